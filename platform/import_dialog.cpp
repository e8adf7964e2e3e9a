#include "platform/import_dialog.h"

#include <algorithm>
#include <vector>

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include "platform/dialog_placement.h"
#include "platform/text_codec.h"
#include "sheets/csv_reader.h"

namespace kestrio::platform {
namespace {

QString Utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QLabel* PlainLabel(const QString& text = {}) {
  auto* label = new QLabel(text);
  label->setTextFormat(Qt::PlainText);
  return label;
}

constexpr std::array<char, 3> kDelimiters = {',', ';', '\t'};
constexpr std::array<sheets::TextEncoding, 5> kEncodings = {
    sheets::TextEncoding::Utf8, sheets::TextEncoding::Utf8Bom, sheets::TextEncoding::Windows1252,
    sheets::TextEncoding::Utf16Le, sheets::TextEncoding::Utf16Be};
constexpr std::array<sheets::DateOrder, 2> kOrders = {sheets::DateOrder::MonthFirst,
                                                      sheets::DateOrder::DayFirst};

// The preview's columns: the sheet's row number, then the roster fields as they load.
const QStringList& PreviewCaptions() {
  static const QStringList captions = {QStringLiteral("Row"),        QStringLiteral("Last Name"),
                                       QStringLiteral("First Name"), QStringLiteral("Weight"),
                                       QStringLiteral("Age"),        QStringLiteral("Rating"),
                                       QStringLiteral("Club"),       QStringLiteral("Status")};
  return captions;
}

// The order of day and month in the organiser's locale ("M/d/yy" in the United States).
sheets::DateOrder LocaleDateOrder() {
  const QString format = QLocale().dateFormat(QLocale::ShortFormat);
  const qsizetype day = format.indexOf(QLatin1Char('d'));
  const qsizetype month = format.indexOf(QLatin1Char('M'));
  return day >= 0 && month >= 0 && day < month ? sheets::DateOrder::DayFirst
                                               : sheets::DateOrder::MonthFirst;
}

QTableWidgetItem* Item(const QString& text, Qt::Alignment alignment = Qt::AlignLeft) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled);
  item->setTextAlignment(alignment | Qt::AlignVCenter);
  return item;
}

}  // namespace

ImportDialog::ImportDialog(ui::ImportForm& form, QWidget* owner)
    : QDialog(owner), form_(form), owner_(owner) {
  setWindowTitle(Utf8(ui::kImportDialogTitle) + QStringLiteral(" - ") + Utf8(form.file_name()));

  preview_ = new QTableWidget(0, static_cast<int>(PreviewCaptions().size()));
  preview_->setHorizontalHeaderLabels(PreviewCaptions());
  preview_->verticalHeader()->hide();
  preview_->setSelectionMode(QAbstractItemView::NoSelection);
  preview_->setFocusPolicy(Qt::NoFocus);
  preview_->setMinimumSize(720, 300);
  preview_->horizontalHeader()->setStretchLastSection(true);
  auto* preview_box = new QGroupBox(QStringLiteral("The first rows as they will load"));
  auto* preview_layout = new QVBoxLayout(preview_box);
  preview_layout->addWidget(preview_);

  summary_ = PlainLabel();
  QFont bold = summary_->font();
  bold.setBold(true);
  summary_->setFont(bold);
  summary_->setWordWrap(true);
  warnings_ = PlainLabel();
  warnings_->setWordWrap(true);
  warnings_->setStyleSheet(QStringLiteral("color: #9a3b00;"));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons->button(QDialogButtonBox::Ok), &QPushButton::clicked, this,
          &ImportDialog::PressOk);
  connect(buttons->button(QDialogButtonBox::Cancel), &QPushButton::clicked, this,
          &ImportDialog::PressCancel);

  auto* top = new QHBoxLayout;
  top->addWidget(BuildReading());
  top->addWidget(BuildBirthDates());
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(BuildColumns());
  layout->addWidget(preview_box, 1);
  layout->addWidget(summary_);
  layout->addWidget(warnings_);
  layout->addWidget(buttons);

  form_.SetLocaleDateOrder(LocaleDateOrder());
  FromForm();
  Connect();
}

QWidget* ImportDialog::BuildReading() {
  sheet_ = new QComboBox;
  delimiter_ = new QComboBox;
  for (char d : kDelimiters) delimiter_->addItem(Utf8(sheets::DelimiterName(d)));
  encoding_ = new QComboBox;
  for (sheets::TextEncoding e : kEncodings) encoding_->addItem(Utf8(sheets::EncodingName(e)));
  header_row_ = new QSpinBox;
  header_row_->setSpecialValueText(QStringLiteral("None"));
  sheet_label_ = PlainLabel(QStringLiteral("Sheet"));
  delimiter_label_ = PlainLabel(QStringLiteral("Delimiter"));
  encoding_label_ = PlainLabel(QStringLiteral("Encoding"));

  auto* box = new QGroupBox(QStringLiteral("Reading the file"));
  auto* rows = new QFormLayout(box);
  rows->addRow(sheet_label_, sheet_);
  rows->addRow(delimiter_label_, delimiter_);
  rows->addRow(encoding_label_, encoding_);
  rows->addRow(PlainLabel(QStringLiteral("Header row")), header_row_);
  return box;
}

QWidget* ImportDialog::BuildColumns() {
  auto* box = new QGroupBox(QStringLiteral("Columns"));
  auto* grid = new QGridLayout(box);
  for (std::size_t k = 0; k < sheets::kRosterFields.size(); ++k) {
    const int row = static_cast<int>(k % 4);
    const int column = static_cast<int>(k / 4) * 2;
    columns_[k] = new QComboBox;
    columns_[k]->setMinimumContentsLength(18);
    columns_[k]->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    grid->addWidget(PlainLabel(Utf8(sheets::FieldCaption(sheets::kRosterFields[k]))), row, column,
                    Qt::AlignRight);
    grid->addWidget(columns_[k], row, column + 1);
  }
  remembered_ = PlainLabel();
  grid->addWidget(remembered_, 4, 0, 1, 4);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);
  return box;
}

QWidget* ImportDialog::BuildBirthDates() {
  event_date_ = new QDateEdit;
  event_date_->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
  event_date_->setCalendarPopup(true);
  date_order_ = new QComboBox;
  for (sheets::DateOrder order : kOrders) date_order_->addItem(Utf8(sheets::DateOrderName(order)));
  auto* box = new QGroupBox(QStringLiteral("Ages from birth dates"));
  auto* rows = new QFormLayout(box);
  rows->addRow(PlainLabel(QStringLiteral("Age on the event date")), event_date_);
  rows->addRow(PlainLabel(QStringLiteral("Dates written as")), date_order_);
  return box;
}

void ImportDialog::Connect() {
  auto changed = [this](auto apply) {
    return [this, apply](int index) {
      if (index < 0) return;
      apply(index);
      FromForm();
    };
  };
  connect(sheet_, &QComboBox::currentIndexChanged, this,
          changed([this](int i) { form_.SelectSheet(static_cast<std::size_t>(i)); }));
  connect(delimiter_, &QComboBox::currentIndexChanged, this,
          changed([this](int i) { form_.SetDelimiter(kDelimiters[static_cast<std::size_t>(i)]); }));
  connect(encoding_, &QComboBox::currentIndexChanged, this,
          changed([this](int i) { form_.SetEncoding(kEncodings[static_cast<std::size_t>(i)]); }));
  connect(header_row_, &QSpinBox::valueChanged, this, changed([this](int value) {
            form_.SetHeaderRow(value == 0 ? std::nullopt : std::optional<std::size_t>(value - 1));
          }));
  for (std::size_t k = 0; k < columns_.size(); ++k) {
    connect(columns_[k], &QComboBox::currentIndexChanged, this,
            changed([this, k](int i) { form_.SetColumn(sheets::kRosterFields[k], i - 1); }));
  }
  connect(date_order_, &QComboBox::currentIndexChanged, this,
          changed([this](int i) { form_.SetDateOrder(kOrders[static_cast<std::size_t>(i)]); }));
  connect(event_date_, &QDateEdit::dateChanged, this, [this](QDate date) {
    form_.SetEventDate({date.year(), date.month(), date.day()});
    FromForm();
  });
}

void ImportDialog::FromForm() {
  const sheets::SheetData& data = form_.sheet();
  const sheets::ImportSettings& settings = form_.settings();
  std::vector<QSignalBlocker> blockers;
  blockers.reserve(16);
  for (QWidget* w : std::initializer_list<QWidget*>{sheet_, delimiter_, encoding_, header_row_,
                                                    event_date_, date_order_}) {
    blockers.emplace_back(w);
  }
  for (QComboBox* combo : columns_) blockers.emplace_back(combo);

  const bool workbook = data.format == sheets::SheetFormat::Xlsx;
  sheet_->clear();
  for (const std::string& name : data.sheet_names) sheet_->addItem(Utf8(name));
  sheet_->setCurrentIndex(static_cast<int>(data.sheet));
  sheet_->setVisible(workbook);
  sheet_label_->setVisible(workbook);
  for (QWidget* w :
       std::initializer_list<QWidget*>{delimiter_, delimiter_label_, encoding_, encoding_label_}) {
    w->setVisible(!workbook);
  }
  delimiter_->setCurrentIndex(static_cast<int>(
      std::find(kDelimiters.begin(), kDelimiters.end(), data.delimiter) - kDelimiters.begin()));
  encoding_->setCurrentIndex(static_cast<int>(
      std::find(kEncodings.begin(), kEncodings.end(), data.encoding) - kEncodings.begin()));
  header_row_->setRange(0, static_cast<int>(std::min(data.rows.size(), ui::kHeaderRowChoices)));
  header_row_->setValue(settings.header_row ? static_cast<int>(*settings.header_row) + 1 : 0);

  QStringList choices;
  for (const std::string& choice : form_.ColumnChoices()) choices << Utf8(choice);
  for (std::size_t k = 0; k < columns_.size(); ++k) {
    columns_[k]->clear();
    columns_[k]->addItems(choices);
    columns_[k]->setCurrentIndex(settings.mapping[sheets::kRosterFields[k]] + 1);
  }
  remembered_->setText(form_.mapping_remembered()
                           ? QStringLiteral("The columns chosen the last time a file with these "
                                            "headers was opened.")
                           : QString());

  event_date_->setDate(
      QDate(settings.event_date.year, settings.event_date.month, settings.event_date.day));
  date_order_->setCurrentIndex(settings.date_order == sheets::DateOrder::MonthFirst ? 0 : 1);
  const bool births = settings.mapping.Mapped(sheets::RosterField::BirthDate);
  event_date_->setEnabled(births);
  date_order_->setEnabled(births);

  FillPreview();
  summary_->setText(Utf8(form_.Summary()));
  QStringList warnings;
  for (const std::string& w : form_.Warnings()) warnings << Utf8(w);
  warnings_->setText(warnings.join(QLatin1Char('\n')));
  warnings_->setVisible(!warnings.isEmpty());
}

void ImportDialog::FillPreview() {
  const std::vector<sheets::LinePreview>& rows = form_.preview();
  preview_->clearSpans();
  preview_->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const sheets::LinePreview& p = rows[static_cast<std::size_t>(r)];
    preview_->setItem(r, 0, Item(QString::number(p.row + 1), Qt::AlignRight));
    if (!p.loads) {
      auto* problem = Item(Utf8(p.problem));
      problem->setForeground(QColor(0xB0, 0x20, 0x20));
      preview_->setItem(r, 1, problem);
      preview_->setSpan(r, 1, 1, preview_->columnCount() - 1);
      continue;
    }
    const roster::Participant& e = p.entry;
    preview_->setItem(r, 1, Item(BytesToDisplay(e.LastName.WithoutBlanks())));
    preview_->setItem(r, 2, Item(BytesToDisplay(e.FirstName.WithoutBlanks())));
    preview_->setItem(r, 3, Item(BytesToDisplay(e.Weight.WithoutBlanks()), Qt::AlignRight));
    preview_->setItem(r, 4, Item(BytesToDisplay(e.Age.WithoutBlanks()), Qt::AlignRight));
    preview_->setItem(r, 5, Item(BytesToDisplay(e.Rating.WithoutBlanks()), Qt::AlignRight));
    preview_->setItem(r, 6, Item(BytesToDisplay(e.Club.WithoutBlanks())));
    preview_->setItem(r, 7, Item(BytesToDisplay(e.Status.WithoutBlanks())));
  }
  preview_->resizeColumnsToContents();
}

void ImportDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOverOwner(this, owner_);
}

void ImportDialog::PressOk() {
  const bool closes = form_.Ok();
  FromForm();
  if (closes) QDialog::accept();
}

void ImportDialog::PressCancel() {
  if (form_.Cancel()) QDialog::reject();
}

}  // namespace kestrio::platform
