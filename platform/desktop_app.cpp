#include "platform/desktop_app.h"

#include <QTreeWidget>

#include "platform/desktop_dialogs.h"
#include "platform/main_window.h"
#include "platform/report_viewer_window.h"
#include "platform/system_dialogs.h"
#include "platform/text_codec.h"
#include "platform/window_ports.h"
#include "ui/session.h"

namespace kestrio::platform {
namespace {

ui::TreeNode NodeFromPane(ui::TreeNodeKind kind, int branch, const QString& label) {
  ui::TreeNode node;
  node.kind = kind;
  if (kind != ui::TreeNodeKind::Root && branch >= 0 &&
      branch < static_cast<int>(ui::kTreeBranches.size())) {
    node.branch = ui::kTreeBranches[static_cast<std::size_t>(branch)];
  }
  node.label = DisplayToBytes(label);
  return node;
}

}  // namespace

struct DesktopApp::Parts {
  RealFileSystem fs;
  MainWindow window;
  MessageBoxes messages{&window};
  FileDialogs file_dialogs{&window};
  ListPaneView list{window};
  TreePaneView tree{window};
  StatusBarView status_bar{window};
  MenuView menu{window};
  ProgressView progress{window};
  ReportViewerLauncher viewer{&window};
  DesktopDialogs dialogs{&window};
  std::unique_ptr<ui::Session> session;
};

DesktopApp::DesktopApp() : parts_(std::make_unique<Parts>()) {
  Parts& p = *parts_;
  p.session = std::make_unique<ui::Session>(
      p.fs, ui::Ports{p.messages, p.file_dialogs, p.list, p.tree, p.status_bar, p.menu, p.progress,
                      p.viewer, p.dialogs});
  ui::Session& session = *p.session;
  MainWindow& window = p.window;

  // After every command and notification the header shows the order the roster is in.
  const auto show_order = [&session, &window] {
    window.ShowSortColumn(session.roster().SortColumn);
  };
  QObject::connect(&window, &MainWindow::CommandRequested, &window,
                   [&session, &window, show_order](int id) {
                     const ui::CommandResult result = session.Dispatch(id);
                     show_order();
                     if (result == ui::CommandResult::CloseWindow) window.close();
                   });
  QObject::connect(&window, &MainWindow::HeaderClicked, &window,
                   [&session, show_order](int column) {
                     session.OnColumnHeaderClicked(column);
                     show_order();
                   });
  QObject::connect(&window, &MainWindow::RowActivated, &window, [&session, show_order](int) {
    session.OnRowActivated();
    show_order();
  });
  QObject::connect(&window, &MainWindow::TreeNodeSelected, &window,
                   [&session, show_order](ui::TreeNodeKind kind, int branch, const QString& label) {
                     session.OnTreeSelectionChanged(NodeFromPane(kind, branch, label));
                     show_order();
                   });
  QObject::connect(&window, &MainWindow::LayoutChanged, &window,
                   [&session, &window] { session.OnLayoutChanged(window.Tree()->width()); });
  session.Start();
  show_order();
}

DesktopApp::~DesktopApp() = default;

MainWindow& DesktopApp::window() { return parts_->window; }
ui::Session& DesktopApp::session() { return *parts_->session; }
DesktopDialogs& DesktopApp::dialogs() { return parts_->dialogs; }
ReportViewerLauncher& DesktopApp::viewer() { return parts_->viewer; }

}  // namespace kestrio::platform
