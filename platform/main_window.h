#pragma once

// The main window "Kestrio v2.1": menu bar, tree pane on the left, participant list on
// the right, status bar below, and the progress bar shown during a pairing run or a sort.
//
// The window shows and forwards; it decides nothing. Every menu item, accelerator,
// header click, double-click and tree selection leaves as a signal; what is enabled,
// what the status bar says and what the panes hold is set from outside.

#include <QIcon>
#include <QMainWindow>

#include <functional>
#include <map>
#include <span>

#include "ui/menu_port.h"
#include "ui/tree_pane.h"

class QAction;
class QLineEdit;
class QMenu;
class QProgressBar;
class QSplitter;
class QTabWidget;
class QTableView;
class QTreeWidget;
class QTreeWidgetItem;

namespace kestrio::platform {

class BoutsPaneView;
class RosterTableModel;
class StatusParts;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  // The action of a menu command, nullptr for an unknown number.
  QAction* CommandAction(int command) const;
  QMenu* TopMenu(int menu) const;
  // Greys or enables every menu item as the state says; a submenu is greyed when all of
  // its items are.
  void ApplyMenuState(const ui::MenuState& state);
  void SetStatusBarChecked(bool checked);
  // Asked before the window closes (Exit or the window's own close); false keeps it open.
  void SetCloseGuard(std::function<bool()> guard) { close_guard_ = std::move(guard); }

  RosterTableModel* ListModel() const { return model_; }
  QTableView* List() const { return list_; }
  QTreeWidget* Tree() const { return tree_; }
  // The tabs right of the tree: the roster list first, then "Bouts".
  QTabWidget* Tabs() const { return tabs_; }
  BoutsPaneView* Bouts() const { return bouts_; }
  QSplitter* Splitter() const { return splitter_; }
  QProgressBar* Progress() const { return progress_; }
  // The find box above the list (Ctrl+F).
  QLineEdit* FindBox() const { return find_; }
  StatusParts* StatusTexts() const { return status_parts_; }
  QMenu* RecentFilesMenu() const { return recent_menu_; }

  // Status bar parts: 0 guidance, 1 hint, 2 statistics.
  void SetStatusPart(int part, const QString& text);
  QString StatusPart(int part) const;
  void SetStatusBarShown(bool shown);

  // File > Recent Files, latest first; greyed when empty.
  void SetRecentFiles(const QStringList& paths);

  // The tree's share of the window's width, kept on every resize (a quarter at first;
  // dragging the splitter changes it).
  double TreeShare() const { return tree_share_; }
  void SetTreeShare(double share);

  // Marks the sorted column in the list header: |sort_column| is the 1-based column,
  // negative meaning descending.
  void ShowSortColumn(int sort_column);

  // Widens the list columns that are too narrow for the rows in view (never narrows
  // one), so that names and clubs read whole; does nothing once the organiser has sized
  // a column by hand.
  void WidenColumnsToContents();
  // The organiser sized the columns in an earlier session: the window leaves them alone.
  void KeepColumnWidths() { user_sized_columns_ = columns_fitted_ = true; }

  // Tree: the root and the five branches, nothing selected.
  void ShowBareTree(const QString& root_label, const QStringList& branch_labels);
  // Inserts a leaf as child number `position` of branch number `branch` (0..4).
  void InsertLeaf(int branch, int position, const QString& label);

 signals:
  void CommandRequested(int command);
  // A header click, with the 1-based column number.
  void HeaderClicked(int column);
  void RowActivated(int row);
  // The find box's text changed.
  void FindTextChanged(const QString& text);
  // A file was picked from File > Recent Files.
  void RecentFileChosen(const QString& path);
  // The node's kind, its branch 0..4 (the branch itself, or the one a leaf hangs under;
  // -1 for the root) and its label.
  void TreeNodeSelected(ui::TreeNodeKind kind, int branch, const QString& label);
  // The window was resized or the splitter moved: the status texts and menu states are
  // recomputed after every layout change.
  void LayoutChanged();
  // The window was closed (Exit or its own close button): the program ends.
  void Closed();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // Lays the progress bar over the bottom of the central area, across its width.
  void PlaceProgress();
  void BuildMenus();
  void AddEntries(QMenu* menu, std::span<const ui::MenuEntry> entries);
  void BuildPanes();
  QWidget* BuildListPane();
  void BuildStatusBar();
  void OnTreeSelection();
  void FitColumnsToWidth();
  const QIcon& NodeIcon();

  std::map<int, QAction*> actions_;
  // Each item's own caption, shown when the menu state names none ("Undo").
  std::map<int, QString> own_captions_;
  std::function<bool()> close_guard_;
  std::vector<QMenu*> menus_;
  // Each submenu with the items it was built from.
  std::vector<std::pair<QMenu*, std::span<const ui::MenuEntry>>> submenus_;
  RosterTableModel* model_ = nullptr;
  QTableView* list_ = nullptr;
  QTreeWidget* tree_ = nullptr;
  QTreeWidgetItem* root_ = nullptr;
  // Drawn once: a roster of many clubs and weight classes adds hundreds of leaves.
  QIcon node_icon_;
  QSplitter* splitter_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  BoutsPaneView* bouts_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLineEdit* find_ = nullptr;
  QMenu* recent_menu_ = nullptr;
  StatusParts* status_parts_ = nullptr;
  double tree_share_ = 0.25;
  bool columns_fitted_ = false;
  // The organiser has set a column's width by hand: the window leaves the widths alone.
  bool user_sized_columns_ = false;
  bool sizing_columns_ = false;
};

}  // namespace kestrio::platform
