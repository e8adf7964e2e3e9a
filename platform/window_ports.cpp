#include "platform/window_ports.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QProgressBar>
#include <QProgressDialog>
#include <QTableView>

#include <algorithm>
#include <utility>

#include "platform/main_window.h"
#include "platform/roster_table_model.h"
#include "platform/text_codec.h"

namespace kestrio::platform {
namespace {

constexpr qint64 kRepaintIntervalMs = 40;

QString Text(std::string_view bytes) { return BytesToDisplay(bytes); }

}  // namespace

// ---- list pane

int ListPaneView::RowCount() const { return window_.ListModel()->TotalRows(); }

int ListPaneView::TopIndex() const {
  window_.ListModel()->Flush();
  const int top = window_.List()->rowAt(0);
  return top < 0 ? 0 : top;
}

void ListPaneView::Clear() { window_.ListModel()->Clear(); }

void ListPaneView::AppendRow(ui::ListRow row) { window_.ListModel()->Append(std::move(row)); }

void ListPaneView::ReplaceRow(int row, const ui::ListRow& cells) {
  window_.ListModel()->Replace(row, cells);
}

void ListPaneView::EnsureVisible(int row) {
  RosterTableModel* model = window_.ListModel();
  model->Flush();
  window_.WidenColumnsToContents();
  if (row < 0 || row >= model->rowCount()) return;
  // A refill has just reset the model: the view must know its new extent before it can
  // scroll back to where the organiser was.
  window_.List()->doItemsLayout();
  window_.List()->scrollTo(model->index(row, 0), QAbstractItemView::EnsureVisible);
}

std::vector<int> ListPaneView::HighlightedRows() const {
  window_.ListModel()->Flush();
  std::vector<int> rows;
  for (const QModelIndex& index : window_.List()->selectionModel()->selectedRows()) {
    rows.push_back(index.row());
  }
  std::sort(rows.begin(), rows.end());
  return rows;
}

void ListPaneView::SetHighlightedRows(const std::vector<int>& rows) {
  RosterTableModel* model = window_.ListModel();
  model->Flush();
  // Runs of neighbouring rows as one range each: highlighting thousands of rows stays
  // one selection change.
  QItemSelection selection;
  const int last_column = model->columnCount() - 1;
  for (std::size_t i = 0; i < rows.size();) {
    std::size_t j = i;
    while (j + 1 < rows.size() && rows[j + 1] == rows[j] + 1) ++j;
    if (rows[i] >= 0 && rows[j] < model->rowCount()) {
      selection.select(model->index(rows[i], 0), model->index(rows[j], last_column));
    }
    i = j + 1;
  }
  window_.List()->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

int ListPaneView::CurrentRow() const {
  window_.ListModel()->Flush();
  const QModelIndex current = window_.List()->selectionModel()->currentIndex();
  if (!current.isValid()) return -1;
  cursor_column_ = current.column();
  return current.row();
}

void ListPaneView::SetCurrentRow(int row) {
  RosterTableModel* model = window_.ListModel();
  model->Flush();
  QItemSelectionModel* selection = window_.List()->selectionModel();
  if (row < 0 || row >= model->rowCount()) {
    selection->clearCurrentIndex();
    return;
  }
  selection->setCurrentIndex(model->index(row, cursor_column_), QItemSelectionModel::NoUpdate);
}

void ListPaneView::ScrollToTop(int row) {
  RosterTableModel* model = window_.ListModel();
  model->Flush();
  if (row < 0 || row >= model->rowCount()) return;
  window_.List()->doItemsLayout();
  window_.List()->scrollTo(model->index(row, 0), QAbstractItemView::PositionAtTop);
}

ui::ListRow ListPaneView::Row(int row) const { return window_.ListModel()->Row(row); }

// ---- tree pane

void TreePaneView::ShowBareTree() {
  QStringList labels;
  for (ui::TreeBranch branch : ui::kTreeBranches) labels << Text(ui::BranchLabel(branch));
  window_.ShowBareTree(Text(ui::kTreeRootLabel), labels);
}

void TreePaneView::InsertLeaf(ui::TreeBranch branch, int position, const std::string& label) {
  const auto* found = std::find(ui::kTreeBranches.begin(), ui::kTreeBranches.end(), branch);
  if (found == ui::kTreeBranches.end()) return;
  window_.InsertLeaf(static_cast<int>(found - ui::kTreeBranches.begin()), position, Text(label));
}

// ---- status bar and menus

void StatusBarView::SetPartText(int part, std::string_view text) {
  window_.SetStatusPart(part, Text(text));
}

void StatusBarView::SetVisible(bool visible) { window_.SetStatusBarShown(visible); }

void TitleView::SetTitle(const std::string& title, bool modified) {
  window_.setWindowTitle(BytesToDisplay(title));
  window_.setWindowModified(modified);
}

void MenuView::Apply(const ui::MenuState& state) { window_.ApplyMenuState(state); }

void MenuView::SetStatusBarChecked(bool checked) { window_.SetStatusBarChecked(checked); }

// ---- progress

ProgressView::ProgressView(MainWindow& window) : window_(window) {}

ProgressView::~ProgressView() = default;

void ProgressView::ShowCancellable() {
  Show();
  dialog_ = std::make_unique<QProgressDialog>(
      QStringLiteral("Tandrel Optimal is pairing the selected wrestlers..."),
      QStringLiteral("Cancel"), 0, 0, &window_);
  dialog_->setWindowTitle(QStringLiteral("Kestrio Bout Pairing"));
  dialog_->setWindowModality(Qt::WindowModal);
  dialog_->setMinimumDuration(0);
  dialog_->setAutoClose(false);
  dialog_->setAutoReset(false);
  dialog_->show();
  Repaint();
}

bool ProgressView::CancelRequested() { return dialog_ != nullptr && dialog_->wasCanceled(); }

void ProgressView::Show() {
  QProgressBar* bar = window_.Progress();
  bar->reset();
  bar->show();
  value_ = bar->value();
  since_paint_.start();
  Repaint();
}

void ProgressView::SetRange(int low, int high) {
  QProgressBar* bar = window_.Progress();
  // The bar was painted empty as it came; it is painted again at its next step, not at
  // once for the same empty bar.
  bar->setUpdatesEnabled(false);
  bar->setRange(low, std::max(low, high));
  bar->setValue(low);
  bar->setUpdatesEnabled(true);
  value_ = low;
  if (dialog_) {
    dialog_->setRange(low, std::max(low, high));
    dialog_->setValue(low);
  }
}

void ProgressView::Step() {
  QProgressBar* bar = window_.Progress();
  value_ = std::min(value_ + 1, bar->maximum());
  // The bar is given its value when the window is about to repaint and when it is full:
  // setting it paints it at once whenever its percentage changes, a hundred paints a run.
  const bool due = !since_paint_.isValid() || since_paint_.elapsed() >= kRepaintIntervalMs;
  if (!due && value_ != bar->maximum()) return;
  bar->setValue(value_);
  if (dialog_ && value_ != dialog_->value()) dialog_->setValue(value_);
  if (due) Repaint();
}

void ProgressView::Hide() {
  dialog_.reset();
  window_.Progress()->hide();
}

void ProgressView::Repaint() {
  // With the cancel dialog up, its button must get the click; the dialog's modality
  // keeps every other input away from the window.
  QCoreApplication::processEvents(dialog_ ? QEventLoop::AllEvents
                                          : QEventLoop::ExcludeUserInputEvents);
  since_paint_.restart();
}

}  // namespace kestrio::platform
