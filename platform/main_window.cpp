#include "platform/main_window.h"

#include <algorithm>

#include <QAction>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QResizeEvent>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/artwork.h"
#include "platform/bouts_pane_view.h"
#include "platform/roster_list_view.h"
#include "platform/roster_table_model.h"
#include "platform/status_parts.h"
#include "platform/text_codec.h"
#include "ui/command_ids.h"
#include "ui/menu_layout.h"

namespace kestrio::platform {
namespace {

// Neither pane may be dragged closer than this to the window's edge.
constexpr int kSplitterEdgeMargin = 50;

// Whether a key press is the shortcut of an action.
bool IsShortcutOf(const QAction* action, const QKeyEvent* key) {
  const QKeySequence pressed(key->keyCombination());
  for (const QKeySequence& shortcut : action->shortcuts()) {
    if (shortcut.matches(pressed) == QKeySequence::ExactMatch) return true;
  }
  return false;
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(QString::fromLatin1(ui::kMainWindowTitle.data(), ui::kMainWindowTitle.size()));
  setWindowIcon(ProgramIcon());
  BuildMenus();
  BuildPanes();
  BuildStatusBar();
  resize(1180, 720);
}

MainWindow::~MainWindow() = default;

void MainWindow::AddEntries(QMenu* menu, std::span<const ui::MenuEntry> entries) {
  for (const ui::MenuEntry& entry : entries) {
    const QString caption = QString::fromUtf8(entry.caption.data(), entry.caption.size());
    if (entry.kind == ui::MenuEntryKind::Separator) {
      menu->addSeparator();
      continue;
    }
    if (entry.kind == ui::MenuEntryKind::Submenu) {
      QMenu* submenu = menu->addMenu(caption);
      AddEntries(submenu, entry.children);
      submenus_.emplace_back(submenu, entry.children);
      continue;
    }
    QAction* action = menu->addAction(caption);
    const int command = entry.command;
    QList<QKeySequence> keys;
    for (std::string_view key : entry.shortcuts) {
      if (!key.empty()) keys << QKeySequence(QString::fromLatin1(key.data(), key.size()));
    }
    action->setShortcuts(keys);
    action->setCheckable(entry.checkable);
    action->setChecked(entry.starts_checked);
    action->setEnabled(entry.starts_enabled);
    connect(action, &QAction::triggered, this, [this, command] { emit CommandRequested(command); });
    actions_[command] = action;
    own_captions_[command] = caption;
    if (command == ui::kCmdOpen) {
      recent_menu_ = menu->addMenu(QStringLiteral("Recent Files"));
      recent_menu_->setEnabled(false);
    }
  }
}

void MainWindow::BuildMenus() {
  for (const ui::TopMenu& top : ui::MenuBar()) {
    QMenu* menu = menuBar()->addMenu(QString::fromUtf8(top.caption.data(), top.caption.size()));
    AddEntries(menu, top.entries);
    menus_.push_back(menu);
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
  list_ = new RosterListView;
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
  list_->horizontalHeader()->setStretchLastSection(true);
  list_->setMinimumWidth(kSplitterEdgeMargin);
  // The last column stretches with the pane; only the others are sized by hand.
  connect(list_->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int logical) {
    if (!sizing_columns_ && logical != kListColumns - 1) user_sized_columns_ = true;
  });
  connect(list_->horizontalHeader(), &QHeaderView::sectionClicked, this,
          [this](int logical) { emit HeaderClicked(logical + 1); });
  connect(list_, &QTableView::doubleClicked, this,
          [this](const QModelIndex& index) { emit RowActivated(index.row()); });

  splitter_ = new QSplitter(Qt::Horizontal);
  splitter_->addWidget(tree_);
  tabs_ = new QTabWidget;
  tabs_->setDocumentMode(true);
  tabs_->addTab(BuildListPane(), QStringLiteral("Roster"));
  bouts_ = new BoutsPaneView;
  tabs_->addTab(bouts_, QStringLiteral("Bouts"));
  splitter_->addWidget(tabs_);
  splitter_->setChildrenCollapsible(false);
  splitter_->setHandleWidth(4);
  splitter_->setStretchFactor(1, 1);
  connect(splitter_, &QSplitter::splitterMoved, this, [this] {
    if (width() > 0) tree_share_ = static_cast<double>(tree_->width()) / width();
    status_parts_->SetGuidanceWidth(tree_->width());
    emit LayoutChanged();
  });

  auto* central = new QWidget;
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(splitter_, 1);
  setCentralWidget(central);

  // The progress bar lies over the bottom of the panes while a run lasts, outside the
  // layout: making room for it would shrink the list and the tree as it comes and again
  // as it goes, and each time every visible cell would be laid out and painted anew.
  progress_ = new QProgressBar(central);
  progress_->setTextVisible(false);
  // Filled with the window's colour, the bar is opaque: each step of it is painted alone,
  // not the rows, the tree and the scroll bars beneath it as well.
  progress_->setAutoFillBackground(true);
  progress_->setFixedHeight(style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2);
  progress_->hide();
  central->installEventFilter(this);
  progress_->installEventFilter(this);
  // Tab moves between the panes: tree, find box, list.
  setTabOrder(tree_, find_);
  setTabOrder(find_, list_);
}

QWidget* MainWindow::BuildListPane() {
  find_ = new QLineEdit;
  find_->setPlaceholderText(QStringLiteral("Find a wrestler or club (Ctrl+F)"));
  find_->setClearButtonEnabled(true);
  find_->installEventFilter(this);
  connect(find_, &QLineEdit::textChanged, this, &MainWindow::FindTextChanged);
  connect(find_, &QLineEdit::returnPressed, list_, [this] { list_->setFocus(); });
  auto* find_key = new QAction(this);
  find_key->setShortcut(QKeySequence::Find);
  connect(find_key, &QAction::triggered, this, [this] {
    find_->setFocus();
    find_->selectAll();
  });
  addAction(find_key);

  auto* pane = new QWidget;
  auto* column = new QVBoxLayout(pane);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(2);
  column->addWidget(find_);
  column->addWidget(list_, 1);
  pane->setMinimumWidth(kSplitterEdgeMargin);
  return pane;
}

void MainWindow::BuildStatusBar() {
  // Permanent: a menu's status tip would otherwise hide the texts while it is open.
  status_parts_ = new StatusParts;
  statusBar()->addPermanentWidget(status_parts_, 1);
  statusBar()->setSizeGripEnabled(true);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if ((watched == centralWidget() && event->type() == QEvent::Resize) ||
      (watched == progress_ && event->type() == QEvent::Show)) {
    PlaceProgress();
  }
  if (watched == find_ && event->type() == QEvent::ShortcutOverride) {
    // In the find box, Delete deletes a character, not the highlighted wrestlers: the
    // keys of the commands on list rows belong to the text field while it has the focus.
    const auto* key = static_cast<QKeyEvent*>(event);
    for (const auto& [command, action] : actions_) {
      if (ui::ActsOnListRows(command) && IsShortcutOf(action, key)) {
        event->accept();
        return true;
      }
    }
  }
  if (watched == find_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Escape && !find_->text().isEmpty()) {
      find_->clear();
      return true;
    }
    if (key->key() == Qt::Key_Down || key->key() == Qt::Key_Escape) {
      list_->setFocus();
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::SetRecentFiles(const QStringList& paths) {
  recent_menu_->clear();
  for (int i = 0; i < paths.size(); ++i) {
    const QString path = paths[i];
    // "&1 saturday.tmrx": the number is the mnemonic; the folder shows as a tip.
    QAction* action = recent_menu_->addAction(
        QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
    action->setToolTip(path);
    action->setStatusTip(path);
    connect(action, &QAction::triggered, this, [this, path] { emit RecentFileChosen(path); });
  }
  recent_menu_->setToolTipsVisible(true);
  recent_menu_->setEnabled(!paths.isEmpty());
}

void MainWindow::SetTreeShare(double share) {
  tree_share_ = std::clamp(share, 0.05, 0.95);
  const int w = width();
  splitter_->setSizes({static_cast<int>(w * tree_share_), w - static_cast<int>(w * tree_share_)});
  status_parts_->SetGuidanceWidth(tree_->width());
}

QAction* MainWindow::CommandAction(int command) const {
  auto it = actions_.find(command);
  return it == actions_.end() ? nullptr : it->second;
}

QMenu* MainWindow::TopMenu(int menu) const {
  return menu >= 0 && menu < static_cast<int>(menus_.size()) ? menus_[menu] : nullptr;
}

void MainWindow::ApplyMenuState(const ui::MenuState& state) {
  for (const auto& [command, action] : actions_) {
    action->setEnabled(state.Enabled(command));
    const std::string& caption = state.Caption(command);
    action->setText(caption.empty() ? own_captions_[command] : BytesToDisplay(caption));
  }
  for (const auto& [submenu, items] : submenus_) {
    submenu->menuAction()->setEnabled(ui::SubmenuEnabled(state, items));
  }
}

void MainWindow::SetStatusBarChecked(bool checked) {
  if (QAction* action = CommandAction(ui::kCmdStatusBar)) action->setChecked(checked);
}

void MainWindow::SetStatusPart(int part, const QString& text) {
  status_parts_->SetText(part, text);
  // The window never gets so narrow that the statistics would be cut.
  statusBar()->setMinimumWidth(status_parts_->minimumSizeHint().width() +
                               style()->pixelMetric(QStyle::PM_SizeGripSize) + 16);
}

QString MainWindow::StatusPart(int part) const { return status_parts_->Text(part); }

void MainWindow::SetStatusBarShown(bool shown) { statusBar()->setVisible(shown); }

void MainWindow::ShowBareTree(const QString& root_label, const QStringList& branch_labels) {
  const QSignalBlocker quiet(tree_);
  tree_->clear();
  root_ = new QTreeWidgetItem(tree_, {root_label});
  root_->setIcon(0, NodeIcon());
  for (const QString& label : branch_labels) {
    auto* branch = new QTreeWidgetItem(root_, {label});
    branch->setIcon(0, NodeIcon());
  }
  root_->setExpanded(true);
  tree_->setCurrentItem(nullptr);
}

const QIcon& MainWindow::NodeIcon() {
  if (node_icon_.isNull()) node_icon_ = TreeNodeIcon();
  return node_icon_;
}

void MainWindow::InsertLeaf(int branch, int position, const QString& label) {
  if (root_ == nullptr || branch < 0 || branch >= root_->childCount()) return;
  QTreeWidgetItem* parent = root_->child(branch);
  auto* leaf = new QTreeWidgetItem({label});
  leaf->setIcon(0, NodeIcon());
  parent->insertChild(std::clamp(position, 0, parent->childCount()), leaf);
}

void MainWindow::OnTreeSelection() {
  const QList<QTreeWidgetItem*> chosen = tree_->selectedItems();
  if (chosen.isEmpty()) return;
  QTreeWidgetItem* item = chosen.front();
  QTreeWidgetItem* parent = item->parent();
  if (parent == nullptr) {
    emit TreeNodeSelected(ui::TreeNodeKind::Root, -1, item->text(0));
  } else if (parent == root_) {
    emit TreeNodeSelected(ui::TreeNodeKind::Branch, root_->indexOfChild(item), item->text(0));
  } else {
    emit TreeNodeSelected(ui::TreeNodeKind::Leaf, root_->indexOfChild(parent), item->text(0));
  }
}

void MainWindow::FitColumnsToWidth() {
  // Each column starts a twelfth of the window wide, never narrower than its caption.
  const QScopedValueRollback<bool> sizing(sizing_columns_, true);
  const int twelfth = width() / 12;
  QHeaderView* header = list_->horizontalHeader();
  for (int column = 0; column < kListColumns; ++column) {
    list_->setColumnWidth(column, std::max(twelfth, header->sectionSizeHint(column)));
  }
}

void MainWindow::ShowSortColumn(int sort_column) {
  const int column = sort_column < 0 ? -sort_column : sort_column;
  QHeaderView* header = list_->horizontalHeader();
  if (column < 1 || column > kListColumns) {
    header->setSortIndicatorShown(false);
    return;
  }
  header->setSortIndicatorShown(true);
  header->setSortIndicator(column - 1, sort_column > 0 ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void MainWindow::WidenColumnsToContents() {
  if (user_sized_columns_) return;
  const QScopedValueRollback<bool> sizing(sizing_columns_, true);
  for (int column = 0; column < kListColumns; ++column) {
    const int wanted = static_cast<QAbstractItemView*>(list_)->sizeHintForColumn(column);
    if (wanted > list_->columnWidth(column)) list_->setColumnWidth(column, wanted);
  }
}

void MainWindow::PlaceProgress() {
  const QWidget* central = centralWidget();
  const int height = progress_->height();
  progress_->setGeometry(0, central->height() - height, central->width(), height);
  progress_->raise();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  // Every resize gives the tree its share of the window: a quarter, or what the
  // organiser chose by dragging the splitter.
  const int w = event->size().width();
  const int tree = static_cast<int>(w * tree_share_);
  splitter_->setSizes({tree, w - tree});
  status_parts_->SetGuidanceWidth(tree);
  emit LayoutChanged();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // Unsaved work is asked about first; Cancel keeps the window open.
  if (close_guard_ && !close_guard_()) {
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
  emit Closed();
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!columns_fitted_) {
    FitColumnsToWidth();
    columns_fitted_ = true;
  }
}

}  // namespace kestrio::platform
