#include "platform/desktop_app.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QSettings>
#include <QStandardPaths>
#include <QTableView>
#include <QTreeWidget>

#include "platform/bouts_pane_view.h"
#include "platform/desktop_dialogs.h"
#include "platform/desktop_settings.h"
#include "platform/main_window.h"
#include "platform/mapping_memory.h"
#include "platform/report_viewer_window.h"
#include "platform/sheet_printer.h"
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

std::unique_ptr<QSettings> OpenSettings(const QString& file) {
  return file.isEmpty() ? std::make_unique<QSettings>()
                        : std::make_unique<QSettings>(file, QSettings::IniFormat);
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
  TitleView title{window};
  QtPrintPort printer{&window};
  std::unique_ptr<QSettings> settings;
  std::unique_ptr<SettingsMappingMemory> mappings;
  std::unique_ptr<ui::Session> session;
  std::vector<std::string> recent_shown;
};

DesktopApp::DesktopApp(const QString& settings_file) : parts_(std::make_unique<Parts>()) {
  Parts& p = *parts_;
  p.settings = OpenSettings(settings_file);
  p.mappings = std::make_unique<SettingsMappingMemory>(*p.settings);
  p.session = std::make_unique<ui::Session>(
      p.fs, ui::Ports{p.messages, p.file_dialogs, p.list, p.tree, p.status_bar, p.menu, p.progress,
                      p.viewer, p.dialogs, p.title, *p.mappings, p.printer});
  RestoreWindowLayout(*p.settings, p.window);
  RestoreFileDialogMemory(*p.settings, p.file_dialogs.Memory());
  p.session->SetRecentFiles(RestoreRecentFiles(*p.settings));
  // The organiser's own start keeps copies of unsaved work in the application-data folder;
  // a start with a settings file of its own (tests, screenshots) keeps none.
  const QString recovery = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  if (settings_file.isEmpty() && !recovery.isEmpty() && QDir().mkpath(recovery)) {
    p.session->SetRecoveryPlace(QFile::encodeName(recovery).toStdString(),
                                QFile::encodeName(QDir::currentPath()).toStdString());
  }
  p.window.SetCloseGuard([this] {
    const bool close = parts_->session->ConfirmClose();
    AfterCommand();
    return close;
  });
  p.session->AttachBoutsPane(p.window.Bouts());
  Connect();
  p.session->Start();
  AfterCommand();
}

DesktopApp::~DesktopApp() = default;

void DesktopApp::Connect() {
  ui::Session& session = *parts_->session;
  MainWindow& window = parts_->window;
  QObject::connect(&window, &MainWindow::CommandRequested, &window,
                   [this, &session, &window](int id) {
                     const ui::CommandResult result = session.Dispatch(id);
                     AfterCommand();
                     if (result == ui::CommandResult::CloseWindow) window.close();
                   });
  QObject::connect(&window, &MainWindow::HeaderClicked, &window, [this, &session](int column) {
    session.OnColumnHeaderClicked(column);
    AfterCommand();
  });
  QObject::connect(&window, &MainWindow::RowActivated, &window, [this, &session](int) {
    session.OnRowActivated();
    AfterCommand();
  });
  QObject::connect(&window, &MainWindow::TreeNodeSelected, &window,
                   [this, &session](ui::TreeNodeKind kind, int branch, const QString& label) {
                     session.OnTreeSelectionChanged(NodeFromPane(kind, branch, label));
                     AfterCommand();
                   });
  QObject::connect(&window, &MainWindow::FindTextChanged, &window, [&session](const QString& text) {
    session.OnFindTextChanged(DisplayToBytes(text));
  });
  QObject::connect(&window, &MainWindow::RecentFileChosen, &window,
                   [this](const QString& path) { OpenFiles({path}); });
  QObject::connect(&window, &MainWindow::LayoutChanged, &window,
                   [&session, &window] { session.OnLayoutChanged(window.Tree()->width()); });
  QObject::connect(window.List()->selectionModel(), &QItemSelectionModel::selectionChanged, &window,
                   [&session] { session.OnListHighlightChanged(); });
  QObject::connect(window.Bouts(), &BoutsPaneView::ColumnClicked, &window,
                   [&session](int column) { session.OnBoutColumnClicked(column); });
  QObject::connect(window.Bouts(), &BoutsPaneView::AddBoutRequested, &window,
                   [this, &session](int wrestler, int candidate) {
                     session.AddBoutFromView(wrestler, candidate);
                     AfterCommand();
                   });
  // The Bouts tab's own menu: the Tandrel commands that act on its highlighted bouts.
  QTableView* bouts = window.Bouts()->Table();
  bouts->setContextMenuPolicy(Qt::ActionsContextMenu);
  bouts->addAction(window.CommandAction(ui::kCmdReplaceWrestler));
  bouts->addAction(window.CommandAction(ui::kCmdRemoveBout));
  QObject::connect(&window, &MainWindow::Closed, &window,
                   [this] { SaveWindowLayout(*parts_->settings, parts_->window); });
}

void DesktopApp::AfterCommand() {
  Parts& p = *parts_;
  p.window.ShowSortColumn(p.session->roster().SortColumn);
  if (p.session->recent_files() != p.recent_shown) {
    p.recent_shown = p.session->recent_files();
    QStringList paths;
    for (const std::string& path : p.recent_shown) {
      paths << QFile::decodeName(QByteArray::fromStdString(path));
    }
    p.window.SetRecentFiles(paths);
  }
  SaveFiles(*p.settings, p.recent_shown, p.file_dialogs.Memory());
}

void DesktopApp::OpenFiles(const QStringList& paths) {
  for (const QString& path : paths) {
    // Absolute, so that Recent Files finds it again from any working folder.
    parts_->session->OpenFile(QFile::encodeName(QFileInfo(path).absoluteFilePath()).toStdString());
  }
  AfterCommand();
}

MainWindow& DesktopApp::window() { return parts_->window; }
ui::Session& DesktopApp::session() { return *parts_->session; }
DesktopDialogs& DesktopApp::dialogs() { return parts_->dialogs; }
ReportViewerLauncher& DesktopApp::viewer() { return parts_->viewer; }
FileDialogs& DesktopApp::file_dialogs() { return parts_->file_dialogs; }

}  // namespace kestrio::platform
