#pragma once

// The ports of the main window's own parts, each a thin view onto MainWindow: the list
// pane, the tree pane, the status bar, the menu states and the progress bar.
//
// Each adapter borrows the window, which must outlive it. None of them decides anything:
// they show what the session computed.

#include <QElapsedTimer>

#include <memory>

#include "ui/list_pane.h"
#include "ui/menu_port.h"
#include "ui/progress_port.h"
#include "ui/status_bar_port.h"
#include "ui/title_port.h"
#include "ui/tree_pane.h"

class QProgressDialog;

namespace kestrio::platform {

class MainWindow;

class ListPaneView : public ui::ListPane {
 public:
  explicit ListPaneView(MainWindow& window) : window_(window) {}
  int RowCount() const override;
  int TopIndex() const override;
  void Clear() override;
  void AppendRow(ui::ListRow row) override;
  void ReplaceRow(int row, const ui::ListRow& cells) override;
  void EnsureVisible(int row) override;
  std::vector<int> HighlightedRows() const override;
  void SetHighlightedRows(const std::vector<int>& rows) override;
  int CurrentRow() const override;
  void SetCurrentRow(int row) override;
  void ScrollToTop(int row) override;
  ui::ListRow Row(int row) const override;

 private:
  MainWindow& window_;
  // The cursor's column when its row was last asked for: a refill puts it back there.
  mutable int cursor_column_ = 0;
};

class TreePaneView : public ui::TreePane {
 public:
  explicit TreePaneView(MainWindow& window) : window_(window) {}
  void ShowBareTree() override;
  void InsertLeaf(ui::TreeBranch branch, int position, const std::string& label) override;

 private:
  MainWindow& window_;
};

class StatusBarView : public ui::StatusBarPort {
 public:
  explicit StatusBarView(MainWindow& window) : window_(window) {}
  void SetPartText(int part, std::string_view text) override;
  void SetVisible(bool visible) override;

 private:
  MainWindow& window_;
};

// The window title, with Qt's mark of unsaved changes.
class TitleView : public ui::TitlePort {
 public:
  explicit TitleView(MainWindow& window) : window_(window) {}
  void SetTitle(const std::string& title, bool modified) override;

 private:
  MainWindow& window_;
};

class MenuView : public ui::MenuPort {
 public:
  explicit MenuView(MainWindow& window) : window_(window) {}
  void Apply(const ui::MenuState& state) override;
  void SetStatusBarChecked(bool checked) override;

 private:
  MainWindow& window_;
};

// The bar across the bottom during a pairing run or a sort. The run blocks the window,
// so Step lets the window repaint now and then (never more often than every 40 ms);
// keyboard and mouse input waits until the run is over.
//
// Tandrel Optimal's work shows a window-modal dialog with the same progress and a Cancel
// button instead; while it is up, input reaches only that dialog, so the organiser can
// cancel but start nothing else.
class ProgressView : public ui::ProgressPort {
 public:
  explicit ProgressView(MainWindow& window);
  ~ProgressView() override;
  void Show() override;
  void SetRange(int low, int high) override;
  void Step() override;
  void Hide() override;
  void ShowCancellable() override;
  bool CancelRequested() override;

 private:
  void Repaint();

  MainWindow& window_;
  QElapsedTimer since_paint_;
  // The run's progress; the bar shows it at each repaint.
  int value_ = 0;
  std::unique_ptr<QProgressDialog> dialog_;
};

}  // namespace kestrio::platform
