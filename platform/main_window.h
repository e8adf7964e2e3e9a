#pragma once

// The main window "Kestrio v2.1": menu bar, tree pane on the left, participant list on
// the right, status bar below, and the progress bar shown during a pairing run or a sort.
//
// The window shows and forwards; it decides nothing. Every menu item, accelerator,
// header click, double-click and tree selection leaves as a signal; what is enabled,
// what the status bar says and what the panes hold is set from outside.

#include <QMainWindow>

#include <map>

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QSplitter;
class QTableView;
class QTreeWidget;
class QTreeWidgetItem;

namespace kestrio::platform {

class RosterTableModel;

// The command numbers of the menu items.
enum Command : int {
  kCmdExit = 30001,
  kCmdClearAll = 30002,
  kCmdOpen = 30003,
  kCmdSaveAll = 30004,
  kCmdSaveDisplayData = 30005,
  kCmdPrintDisplayData = 30006,
  kCmdAbout = 30015,
  kCmdSelect = 30016,
  kCmdUnSelect = 30017,
  kCmdMarkAllSelected = 30018,
  kCmdMarkAllUnSelected = 30019,
  kCmdAdd = 30020,
  kCmdModify = 30021,
  kCmdDelete = 30022,
  kCmdPairingExceptions = 30026,
  kCmdResultsSummary = 30027,
  kCmdResultsByClub = 30028,
  kCmdResultsByBout = 30029,
  kCmdBoutSheets = 30030,
  kCmdStatusBar = 30031,
  kCmdEditControls = 30032,
  kCmdRunPairing = 30033,
  kCmdToggle = 30034,
  kCmdTagDuplicates = 30035,
  kCmdEmptyTrash = 30036,
  kCmdOnlineManual = 30052,
  kCmdSaveProjectData = 30054,
};

// Top-level menus in the order of the menu bar.
enum MenuIndex : int { kMenuFile, kMenuEdit, kMenuView, kMenuTandrel, kMenuLumiva, kMenuHelp };

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  // The action of a menu command, nullptr for an unknown number.
  QAction* CommandAction(int command) const;
  QMenu* TopMenu(int menu) const;
  // Greys or enables the item at a position of a top-level menu; separators and
  // submenus count as positions. Out-of-range positions are ignored.
  void SetItemEnabled(int menu, int position, bool enabled);
  void SetStatusBarChecked(bool checked);

  RosterTableModel* ListModel() const { return model_; }
  QTableView* List() const { return list_; }
  QTreeWidget* Tree() const { return tree_; }
  QSplitter* Splitter() const { return splitter_; }
  QProgressBar* Progress() const { return progress_; }

  // Status bar parts: 0 guidance, 1 empty, 2 statistics.
  void SetStatusPart(int part, const QString& text);
  QString StatusPart(int part) const;
  void SetStatusBarShown(bool shown);

  // Tree: the root "Kestrio Info" with the five branches, nothing selected.
  void ShowBareTree(const QStringList& branch_labels);
  // Inserts a leaf as child number `position` of branch number `branch` (0..4).
  void InsertLeaf(int branch, int position, const QString& label);

 signals:
  void CommandRequested(int command);
  // A header click, with the 1-based column number.
  void HeaderClicked(int column);
  void RowActivated(int row);
  // Kind 0 root, 1 branch, 2 leaf; branch is 0..4 (-1 for the root); the node's label.
  void TreeNodeSelected(int kind, int branch, const QString& label);
  // The window was resized or the splitter moved: the status texts and menu states are
  // recomputed after every layout change.
  void LayoutChanged();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void BuildMenus();
  QAction* AddCommand(QMenu* menu, const QString& caption, int command);
  void BuildPanes();
  void BuildStatusBar();
  void OnTreeSelection();
  void FitColumnsToWidth();

  std::map<int, QAction*> actions_;
  std::vector<QMenu*> menus_;
  RosterTableModel* model_ = nullptr;
  QTableView* list_ = nullptr;
  QTreeWidget* tree_ = nullptr;
  QTreeWidgetItem* root_ = nullptr;
  QSplitter* splitter_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel* status_parts_[3] = {nullptr, nullptr, nullptr};
  bool columns_fitted_ = false;
};

}  // namespace kestrio::platform
