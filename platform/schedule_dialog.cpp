#include "platform/schedule_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include "platform/artwork.h"

namespace kestrio::platform {
namespace {

QString Latin(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QRegularExpressionValidator* Digits(QObject* owner, int most) {
  return new QRegularExpressionValidator(
      QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(most)), owner);
}

QLineEdit* DigitsEdit(QObject* owner, const std::string& text, int most) {
  auto* edit = new QLineEdit(QString::fromStdString(text));
  edit->setValidator(Digits(owner, most));
  edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 14);
  edit->setAlignment(Qt::AlignRight);
  return edit;
}

// The class table's cells take digits only, like the fields.
class DigitsDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                        const QModelIndex&) const override {
    auto* edit = new QLineEdit(parent);
    edit->setValidator(Digits(edit, 4));
    return edit;
  }
};

}  // namespace

ScheduleDialog::ScheduleDialog(ui::MatScheduleForm& form, QWidget* owner)
    : QDialog(owner), form_(form) {
  setWindowTitle(Latin(ui::kScheduleDialogTitle));
  setWindowIcon(ProgramIcon());
  mats_ = DigitsEdit(this, form.mats, 2);
  rest_ = DigitsEdit(this, form.rest, 2);
  minutes_ = DigitsEdit(this, form.bout_minutes, 3);
  hour_ = DigitsEdit(this, form.start_hour, 2);
  minute_ = DigitsEdit(this, form.start_minute, 2);

  auto* fields = new QFormLayout;
  fields->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  fields->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  fields->addRow(QStringLiteral("&Mats (1-64):"), mats_);
  fields->addRow(QStringLiteral("&Rest between bouts (slots):"), rest_);
  fields->addRow(QStringLiteral("&Bout length (minutes):"), minutes_);
  auto* start = new QHBoxLayout;
  start->addWidget(hour_);
  start->addWidget(new QLabel(QStringLiteral(":")));
  start->addWidget(minute_);
  start->addStretch(1);
  // A layout takes no mnemonic: the label's buddy is the hour, where typing a start begins.
  auto* start_label = new QLabel(QStringLiteral("&Start (HH:MM):"));
  start_label->setBuddy(hour_);
  fields->addRow(start_label, start);

  classes_ = new QTableWidget(static_cast<int>(form.classes.size()), 2);
  classes_->setHorizontalHeaderLabels(
      {QStringLiteral("Lightest class"), QStringLiteral("Heaviest class")});
  QStringList mats;
  for (std::size_t m = 0; m < form.classes.size(); ++m) {
    mats << QStringLiteral("Mat %1").arg(m + 1);
    classes_->setItem(static_cast<int>(m), 0,
                      new QTableWidgetItem(QString::fromStdString(form.classes[m].from)));
    classes_->setItem(static_cast<int>(m), 1,
                      new QTableWidgetItem(QString::fromStdString(form.classes[m].to)));
  }
  classes_->setVerticalHeaderLabels(mats);
  classes_->setItemDelegate(new DigitsDelegate(classes_));
  classes_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  classes_->setMinimumHeight(180);
  connect(mats_, &QLineEdit::textChanged, this, &ScheduleDialog::ShowMatRows);
  ShowMatRows();

  auto* note = new QLabel(QStringLiteral(
      "Weight classes per mat (blank: every class), e.g. the little ones on mat 1:"));
  note->setWordWrap(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons->button(QDialogButtonBox::Ok), &QPushButton::clicked, this,
          &ScheduleDialog::PressOk);
  connect(buttons->button(QDialogButtonBox::Cancel), &QPushButton::clicked, this,
          &ScheduleDialog::PressCancel);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addWidget(note);
  layout->addWidget(classes_, 1);
  layout->addWidget(buttons);
  resize(420, 460);
}

void ScheduleDialog::ShowMatRows() {
  const int mats = mats_->text().toInt();
  for (int row = 0; row < classes_->rowCount(); ++row)
    classes_->setRowHidden(row, row >= std::max(mats, 1));
}

void ScheduleDialog::PressOk() {
  form_.mats = mats_->text().toStdString();
  form_.rest = rest_->text().toStdString();
  form_.bout_minutes = minutes_->text().toStdString();
  form_.start_hour = hour_->text().toStdString();
  form_.start_minute = minute_->text().toStdString();
  for (int row = 0; row < classes_->rowCount(); ++row) {
    const auto cell = [&](int column) {
      const QTableWidgetItem* item = classes_->item(row, column);
      return item == nullptr ? std::string() : item->text().toStdString();
    };
    form_.classes[static_cast<std::size_t>(row)] = {cell(0), cell(1)};
  }
  if (form_.Ok()) accept();
}

void ScheduleDialog::PressCancel() {
  if (form_.Cancel()) QDialog::reject();
}

}  // namespace kestrio::platform
