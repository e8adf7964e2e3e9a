#include "platform/main_window.h"

#include <algorithm>

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QResizeEvent>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/roster_table_model.h"

namespace kestrio::platform {
namespace {

// Neither pane may be dragged closer than this to the window's edge.
constexpr int kSplitterEdgeMargin = 50;

QIcon TreeNodeIcon() {
  QIcon icon;
  icon.addFile(QStringLiteral(":/kestrio/tree_node.svg"), QSize(16, 16), QIcon::Normal);
  icon.addFile(QStringLiteral(":/kestrio/tree_node_selected.svg"), QSize(16, 16), QIcon::Selected);
  return icon;
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(QStringLiteral("Kestrio v2.1"));
  setWindowIcon(QIcon(QStringLiteral(":/kestrio/kestrio.svg")));
  BuildMenus();
  BuildPanes();
  BuildStatusBar();
  resize(1180, 720);
}

MainWindow::~MainWindow() = default;

QAction* MainWindow::AddCommand(QMenu* menu, const QString& caption, int command) {
  QAction* action = menu->addAction(caption);
  action->setData(command);
  connect(action, &QAction::triggered, this, [this, command] { emit CommandRequested(command); });
  actions_[command] = action;
  return action;
}

void MainWindow::BuildMenus() {
  QMenuBar* bar = menuBar();
  QMenu* file = bar->addMenu(QStringLiteral("&File"));
  AddCommand(file, QStringLiteral("Open"), kCmdOpen);
  AddCommand(file, QStringLiteral("Clear All"), kCmdClearAll);
  file->addSeparator();
  AddCommand(file, QStringLiteral("&Save All"), kCmdSaveAll);
  AddCommand(file, QStringLiteral("Save &Display Data"), kCmdSaveDisplayData);
  file->addSeparator();
  AddCommand(file, QStringLiteral("&Print Display Data"), kCmdPrintDisplayData);
  file->addSeparator();
  AddCommand(file, QStringLiteral("E&xit"), kCmdExit);

  QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
  AddCommand(edit, QStringLiteral("Select"), kCmdSelect)->setShortcut(QKeySequence(QStringLiteral("Ctrl+Y")));
  AddCommand(edit, QStringLiteral("Toggle"), kCmdToggle)->setShortcut(QKeySequence(QStringLiteral("Ctrl+T")));
  AddCommand(edit, QStringLiteral("UnSelect"), kCmdUnSelect)->setShortcut(QKeySequence(QStringLiteral("Ctrl+N")));
  AddCommand(edit, QStringLiteral("Delete"), kCmdDelete)->setShortcut(QKeySequence(Qt::Key_Delete));
  edit->addSeparator();
  AddCommand(edit, QStringLiteral("Mark All Selected"), kCmdMarkAllSelected)
      ->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+Y")));
  AddCommand(edit, QStringLiteral("Mark All UnSelected"), kCmdMarkAllUnSelected)
      ->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+N")));
  edit->addSeparator();
  AddCommand(edit, QStringLiteral("&Add"), kCmdAdd);
  AddCommand(edit, QStringLiteral("&Modify"), kCmdModify);
  edit->addSeparator();
  AddCommand(edit, QStringLiteral("Tag Duplicates"), kCmdTagDuplicates);
  AddCommand(edit, QStringLiteral("Empty Trash"), kCmdEmptyTrash);

  QMenu* view = bar->addMenu(QStringLiteral("View"));
  QAction* status_bar = AddCommand(view, QStringLiteral("Status Bar"), kCmdStatusBar);
  status_bar->setCheckable(true);
  status_bar->setChecked(true);

  QMenu* tandrel = bar->addMenu(QStringLiteral("Tandrel"));
  AddCommand(tandrel, QStringLiteral("Edit Tandrel Controls"), kCmdEditControls);
  AddCommand(tandrel, QStringLiteral("&Run Tandrel"), kCmdRunPairing);
  AddCommand(tandrel, QStringLiteral("Save Project Data"), kCmdSaveProjectData);

  QMenu* lumiva = bar->addMenu(QStringLiteral("Lumiva"));
  QMenu* results = lumiva->addMenu(QStringLiteral("Pairing Results"));
  AddCommand(results, QStringLiteral("Summary"), kCmdResultsSummary);
  AddCommand(results, QStringLiteral("By Club"), kCmdResultsByClub);
  AddCommand(results, QStringLiteral("By Bout #"), kCmdResultsByBout);
  AddCommand(lumiva, QStringLiteral("Pairing Exceptions"), kCmdPairingExceptions);
  AddCommand(lumiva, QStringLiteral("Pairing Bout Sheets"), kCmdBoutSheets);

  QMenu* help = bar->addMenu(QStringLiteral("&Help"));
  AddCommand(help, QStringLiteral("&About Kestrio..."), kCmdAbout)
      ->setShortcuts({QKeySequence(QStringLiteral("Alt+/")), QKeySequence(QStringLiteral("Alt+?"))});
  help->addSeparator();
  AddCommand(help, QStringLiteral("Online Manual"), kCmdOnlineManual)->setEnabled(false);

  menus_ = {file, edit, view, tandrel, lumiva, help};
  // A status-bar tip would overwrite the guidance text while a menu is open.
  for (QMenu* menu : menus_) {
    for (QAction* action : menu->actions()) action->setStatusTip(QString());
  }
}

void MainWindow::BuildPanes() {
  tree_ = new QTreeWidget;
  tree_->setHeaderHidden(true);
  tree_->setRootIsDecorated(true);
  tree_->setIconSize(QSize(16, 16));
  tree_->setMinimumWidth(kSplitterEdgeMargin);
  tree_->setSelectionMode(QAbstractItemView::SingleSelection);
  connect(tree_, &QTreeWidget::itemSelectionChanged, this, &MainWindow::OnTreeSelection);

  model_ = new RosterTableModel(this);
  list_ = new QTableView;
  list_->setModel(model_);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setShowGrid(true);
  list_->setWordWrap(false);
  list_->setTextElideMode(Qt::ElideRight);
  list_->verticalHeader()->hide();
  // Fixed row heights keep a list of ten thousand wrestlers instant to scroll.
  list_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 6);
  list_->horizontalHeader()->setSectionsMovable(true);
  list_->horizontalHeader()->setSectionsClickable(true);
  list_->horizontalHeader()->setHighlightSections(false);
  list_->horizontalHeader()->setStretchLastSection(false);
  list_->setMinimumWidth(kSplitterEdgeMargin);
  connect(list_->horizontalHeader(), &QHeaderView::sectionClicked, this,
          [this](int logical) { emit HeaderClicked(logical + 1); });
  connect(list_, &QTableView::doubleClicked, this,
          [this](const QModelIndex& index) { emit RowActivated(index.row()); });

  splitter_ = new QSplitter(Qt::Horizontal);
  splitter_->addWidget(tree_);
  splitter_->addWidget(list_);
  splitter_->setChildrenCollapsible(false);
  splitter_->setHandleWidth(4);
  splitter_->setStretchFactor(1, 1);
  connect(splitter_, &QSplitter::splitterMoved, this, [this] {
    status_parts_[0]->setMinimumWidth(tree_->width());
    emit LayoutChanged();
  });

  progress_ = new QProgressBar;
  progress_->setTextVisible(false);
  progress_->setFixedHeight(style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2);
  progress_->hide();

  auto* central = new QWidget;
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(splitter_, 1);
  layout->addWidget(progress_);
  setCentralWidget(central);
}

void MainWindow::BuildStatusBar() {
  for (int part = 0; part < 3; ++part) {
    auto* label = new QLabel(QStringLiteral(" "));
    label->setTextFormat(Qt::PlainText);
    label->setContentsMargins(4, 0, 4, 0);
    status_parts_[part] = label;
  }
  // The guidance part spans the tree's width, the statistics take the rest.
  statusBar()->addWidget(status_parts_[0]);
  statusBar()->addWidget(status_parts_[1]);
  statusBar()->addWidget(status_parts_[2], 1);
  statusBar()->setSizeGripEnabled(true);
}

QAction* MainWindow::CommandAction(int command) const {
  auto it = actions_.find(command);
  return it == actions_.end() ? nullptr : it->second;
}

QMenu* MainWindow::TopMenu(int menu) const {
  return menu >= 0 && menu < static_cast<int>(menus_.size()) ? menus_[menu] : nullptr;
}

void MainWindow::SetItemEnabled(int menu, int position, bool enabled) {
  QMenu* m = TopMenu(menu);
  if (m == nullptr) return;
  const QList<QAction*> items = m->actions();
  if (position < 0 || position >= items.size()) return;
  items[position]->setEnabled(enabled);
}

void MainWindow::SetStatusBarChecked(bool checked) { actions_[kCmdStatusBar]->setChecked(checked); }

void MainWindow::SetStatusPart(int part, const QString& text) {
  if (part < 0 || part > 2) return;
  status_parts_[part]->setText(text);
}

QString MainWindow::StatusPart(int part) const {
  return part < 0 || part > 2 ? QString() : status_parts_[part]->text();
}

void MainWindow::SetStatusBarShown(bool shown) { statusBar()->setVisible(shown); }

void MainWindow::ShowBareTree(const QStringList& branch_labels) {
  const QSignalBlocker quiet(tree_);
  tree_->clear();
  root_ = new QTreeWidgetItem(tree_, {QStringLiteral("Kestrio Info")});
  root_->setIcon(0, TreeNodeIcon());
  for (const QString& label : branch_labels) {
    auto* branch = new QTreeWidgetItem(root_, {label});
    branch->setIcon(0, TreeNodeIcon());
  }
  root_->setExpanded(true);
  tree_->setCurrentItem(nullptr);
}

void MainWindow::InsertLeaf(int branch, int position, const QString& label) {
  if (root_ == nullptr || branch < 0 || branch >= root_->childCount()) return;
  QTreeWidgetItem* parent = root_->child(branch);
  auto* leaf = new QTreeWidgetItem({label});
  leaf->setIcon(0, TreeNodeIcon());
  parent->insertChild(std::clamp(position, 0, parent->childCount()), leaf);
}

void MainWindow::OnTreeSelection() {
  const QList<QTreeWidgetItem*> chosen = tree_->selectedItems();
  if (chosen.isEmpty()) return;
  QTreeWidgetItem* item = chosen.front();
  QTreeWidgetItem* parent = item->parent();
  if (parent == nullptr) {
    emit TreeNodeSelected(0, -1, item->text(0));
  } else if (parent == root_) {
    emit TreeNodeSelected(1, root_->indexOfChild(item), item->text(0));
  } else {
    emit TreeNodeSelected(2, root_->indexOfChild(parent), item->text(0));
  }
}

void MainWindow::FitColumnsToWidth() {
  // Each column starts a twelfth of the window wide, never narrower than its caption.
  const int twelfth = width() / 12;
  QHeaderView* header = list_->horizontalHeader();
  for (int column = 0; column < kListColumns; ++column) {
    list_->setColumnWidth(column, std::max(twelfth, header->sectionSizeHint(column)));
  }
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  // Every resize puts the tree back at a quarter of the window.
  const int w = event->size().width();
  splitter_->setSizes({w / 4, w - w / 4});
  status_parts_[0]->setMinimumWidth(w / 4);
  emit LayoutChanged();
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!columns_fitted_) {
    FitColumnsToWidth();
    columns_fitted_ = true;
  }
}

}  // namespace kestrio::platform
