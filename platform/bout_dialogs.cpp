#include "platform/bout_dialogs.h"

#include <algorithm>

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/dialog_placement.h"
#include "platform/text_codec.h"

namespace kestrio::platform {
namespace {

QString Text(std::string_view bytes) { return BytesToDisplay(bytes); }

QLabel* PlainLabel(const QString& text) {
  auto* label = new QLabel(text);
  label->setTextFormat(Qt::PlainText);
  return label;
}

// A wrestler's name in bold over his club, numbers and bouts.
QGroupBox* WrestlerBox(const QString& title, const ui::WrestlerText& w) {
  auto* box = new QGroupBox(title);
  auto* column = new QVBoxLayout(box);
  QLabel* name = PlainLabel(Text(w.name));
  QFont bold = name->font();
  bold.setBold(true);
  name->setFont(bold);
  column->addWidget(name);
  column->addWidget(PlainLabel(Text(w.club.empty() ? std::string("(no club)") : w.club)));
  column->addWidget(PlainLabel(Text(w.numbers)));
  column->addWidget(PlainLabel(Text(w.bouts)));
  return box;
}

QTableWidget* LimitsTable() {
  auto* table = new QTableWidget(0, 4);
  table->setHorizontalHeaderLabels(
      {QStringLiteral("Limit"), QStringLiteral("This bout"), QStringLiteral("Allowed"), QString()});
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionMode(QAbstractItemView::NoSelection);
  table->setFocusPolicy(Qt::NoFocus);
  table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table->horizontalHeader()->setStretchLastSection(true);
  return table;
}

// The eight limits, a broken one in red and a broken hard limit in bold red too.
void FillLimits(QTableWidget* table, const std::vector<ui::LimitRow>& rows) {
  table->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const ui::LimitRow& row = rows[static_cast<std::size_t>(r)];
    const QString cells[] = {Text(row.limit), Text(row.value), Text(row.allowed),
                             Text(row.verdict)};
    for (int c = 0; c < 4; ++c) {
      auto* item = new QTableWidgetItem(cells[c]);
      if (c == 1 || c == 2) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      if (row.broken) item->setForeground(QColor(0xb0, 0x10, 0x10));
      if (row.hard) {
        QFont bold = item->font();
        bold.setBold(true);
        item->setFont(bold);
      }
      table->setItem(r, c, item);
    }
  }
  table->resizeColumnsToContents();
  table->resizeRowsToContents();
  int height = table->horizontalHeader()->height() + 2 * table->frameWidth();
  for (int r = 0; r < table->rowCount(); ++r) height += table->rowHeight(r);
  table->setMinimumHeight(height);
  table->setMaximumHeight(height);
}

}  // namespace

AddBoutDialog::AddBoutDialog(ui::AddBoutForm& form, QWidget* owner)
    : QDialog(owner), form_(form), owner_(owner) {
  setWindowTitle(Text(ui::kAddBoutTitle));
  auto* wrestlers = new QHBoxLayout;
  wrestlers->addWidget(WrestlerBox(QStringLiteral("Wrestler"), form.first));
  wrestlers->addWidget(WrestlerBox(QStringLiteral("Opponent"), form.second));

  auto* facts = new QFormLayout;
  facts->addRow(PlainLabel(QStringLiteral("Fit:")), PlainLabel(Text(form.fit)));
  facts->addRow(PlainLabel(QStringLiteral("New bout:")), PlainLabel(Text(form.placing)));

  limits_ = kestrio::platform::LimitsTable();
  FillLimits(limits_, form.limits);

  auto* buttons = new QDialogButtonBox;
  add_ = buttons->addButton(QStringLiteral("Add Bout"), QDialogButtonBox::AcceptRole);
  QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
  add_->setEnabled(form.can_add());
  add_->setDefault(form.can_add());
  connect(add_, &QPushButton::clicked, this, &AddBoutDialog::PressAdd);
  connect(cancel, &QPushButton::clicked, this, &AddBoutDialog::PressCancel);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(wrestlers);
  layout->addLayout(facts);
  layout->addWidget(limits_);
  if (!form.can_add()) {
    QLabel* refusal = PlainLabel(Text(form.refusal));
    refusal->setStyleSheet(QStringLiteral("color: #b01010"));
    layout->addWidget(refusal);
  }
  layout->addWidget(buttons);
}

void AddBoutDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOverOwner(this, owner_);
}

void AddBoutDialog::PressAdd() {
  if (form_.Add()) accept();
}

void AddBoutDialog::PressCancel() {
  if (form_.Cancel()) QDialog::reject();
}

ReplaceWrestlerDialog::ReplaceWrestlerDialog(ui::ReplaceWrestlerForm& form, QWidget* owner)
    : QDialog(owner), form_(form), owner_(owner) {
  setWindowTitle(Text(ui::kReplaceWrestlerTitle));
  QLabel* bout = PlainLabel(Text(form.bout));
  QFont bold = bout->font();
  bold.setBold(true);
  bout->setFont(bold);

  auto* leaving = new QGroupBox(QStringLiteral("Leaves the bout"));
  auto* leaving_column = new QVBoxLayout(leaving);
  for (int side = 0; side < 2; ++side) {
    const ui::WrestlerText& w = form.sides[side];
    leaving_[side] = new QRadioButton(
        Text(w.name + (w.club.empty() ? "" : " (" + w.club + ")") + ", " + w.bouts));
    leaving_column->addWidget(leaving_[side]);
    connect(leaving_[side], &QRadioButton::toggled, this, [this, side](bool on) {
      if (!on || form_.leaving() == side) return;
      form_.SetLeaving(side);
      ShowCandidates();
    });
  }
  leaving_[form.leaving()]->setChecked(true);

  find_ = new QLineEdit;
  find_->setPlaceholderText(QStringLiteral("Name or club"));
  find_->setClearButtonEnabled(true);
  connect(find_, &QLineEdit::textChanged, this, [this](const QString& text) {
    form_.SetFind(DisplayToBytes(text));
    ShowCandidates();
  });
  auto* find_row = new QFormLayout;
  find_row->addRow(PlainLabel(QStringLiteral("Find:")), find_);

  candidates_ = new QTreeWidget;
  candidates_->setRootIsDecorated(false);
  candidates_->setUniformRowHeights(true);
  candidates_->setHeaderLabels({QStringLiteral("Comes in"), QStringLiteral("Club"),
                                QStringLiteral("Weight, age, rating"), QStringLiteral("Bouts"),
                                QStringLiteral("Fit")});
  candidates_->setMinimumSize(560, 220);
  connect(candidates_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    form_.Choose(item == nullptr ? -1 : item->data(0, Qt::UserRole).toInt());
    ShowChosen();
  });
  connect(candidates_, &QTreeWidget::itemDoubleClicked, this, [this] { PressReplace(); });

  chosen_ = PlainLabel(QString());
  limits_ = kestrio::platform::LimitsTable();

  auto* buttons = new QDialogButtonBox;
  QPushButton* replace =
      buttons->addButton(QStringLiteral("Replace"), QDialogButtonBox::AcceptRole);
  QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
  connect(replace, &QPushButton::clicked, this, &ReplaceWrestlerDialog::PressReplace);
  connect(cancel, &QPushButton::clicked, this, &ReplaceWrestlerDialog::PressCancel);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(bout);
  layout->addWidget(leaving);
  layout->addLayout(find_row);
  layout->addWidget(candidates_, 1);
  layout->addWidget(chosen_);
  layout->addWidget(limits_);
  layout->addWidget(buttons);
  ShowCandidates();
}

void ReplaceWrestlerDialog::ShowCandidates() {
  const int chosen = form_.chosen();
  const QSignalBlocker quiet(candidates_);
  candidates_->clear();
  QList<QTreeWidgetItem*> items;
  QTreeWidgetItem* current = nullptr;
  for (const int i : form_.shown()) {
    const auto& c = form_.candidates()[static_cast<std::size_t>(i)];
    auto* item = new QTreeWidgetItem({Text(c.text.name), Text(c.text.club), Text(c.text.numbers),
                                      Text(c.text.bouts), Text(c.fit)});
    item->setData(0, Qt::UserRole, i);
    item->setTextAlignment(4, Qt::AlignRight | Qt::AlignVCenter);
    if (i == chosen) current = item;
    items.push_back(item);
  }
  candidates_->addTopLevelItems(items);
  for (int c = 0; c < candidates_->columnCount(); ++c) candidates_->resizeColumnToContents(c);
  // Wide enough for every column, the fit included, without scrolling sideways.
  const int wide = candidates_->header()->length() + 2 * candidates_->frameWidth() +
                   candidates_->verticalScrollBar()->sizeHint().width();
  candidates_->setMinimumWidth(std::max(candidates_->minimumWidth(), wide));
  if (current != nullptr) {
    candidates_->setCurrentItem(current);
    candidates_->scrollToItem(current);
  }
  ShowChosen();
}

void ReplaceWrestlerDialog::ShowChosen() {
  const int chosen = form_.chosen();
  limits_->setVisible(chosen >= 0);
  if (chosen < 0) {
    chosen_->setText(QStringLiteral("Choose the wrestler who comes in."));
    return;
  }
  const auto& c = form_.candidates()[static_cast<std::size_t>(chosen)];
  chosen_->setText(
      QStringLiteral("%1 comes in for %2, fit %3:")
          .arg(Text(c.text.name), Text(form_.sides[form_.leaving()].name), Text(c.fit)));
  FillLimits(limits_, form_.chosen_limits());
}

void ReplaceWrestlerDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOverOwner(this, owner_);
}

void ReplaceWrestlerDialog::PressReplace() {
  if (form_.Replace()) accept();
}

void ReplaceWrestlerDialog::PressCancel() {
  if (form_.Cancel()) QDialog::reject();
}

}  // namespace kestrio::platform
