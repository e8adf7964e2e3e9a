#include "platform/desktop_settings.h"

#include <QFile>
#include <QHeaderView>
#include <QSettings>
#include <QSplitter>
#include <QStringList>
#include <QTableView>

#include "platform/main_window.h"
#include "platform/system_dialogs.h"

namespace kestrio::platform {
namespace {

const QString kGeometry = QStringLiteral("window/geometry");
const QString kTreeShare = QStringLiteral("window/treeShare");
const QString kColumns = QStringLiteral("window/listColumns");
const QString kRecent = QStringLiteral("files/recent");
const QString kFolder = QStringLiteral("files/folder");
const QString kOpenFilter = QStringLiteral("files/openFilter");
const QString kSaveFilter = QStringLiteral("files/saveFilter");
const QString kExportFilter = QStringLiteral("files/exportFilter");

}  // namespace

void RestoreWindowLayout(QSettings& settings, MainWindow& window) {
  if (settings.contains(kGeometry)) window.restoreGeometry(settings.value(kGeometry).toByteArray());
  bool ok = false;
  const double share = settings.value(kTreeShare).toDouble(&ok);
  if (ok && share > 0 && share < 1) window.SetTreeShare(share);
  if (settings.contains(kColumns) &&
      window.List()->horizontalHeader()->restoreState(settings.value(kColumns).toByteArray())) {
    window.KeepColumnWidths();
  }
}

void SaveWindowLayout(QSettings& settings, const MainWindow& window) {
  settings.setValue(kGeometry, window.saveGeometry());
  settings.setValue(kTreeShare, window.TreeShare());
  settings.setValue(kColumns, window.List()->horizontalHeader()->saveState());
}

std::vector<std::string> RestoreRecentFiles(QSettings& settings) {
  std::vector<std::string> recent;
  for (const QString& path : settings.value(kRecent).toStringList()) {
    recent.push_back(QFile::encodeName(path).toStdString());
  }
  return recent;
}

void RestoreFileDialogMemory(QSettings& settings, FileDialogMemory& memory) {
  memory.folder = settings.value(kFolder).toString();
  memory.open_filter = settings.value(kOpenFilter).toString();
  memory.save_filter = settings.value(kSaveFilter).toString();
  memory.export_filter = settings.value(kExportFilter).toString();
}

void SaveFiles(QSettings& settings, const std::vector<std::string>& recent,
               const FileDialogMemory& memory) {
  QStringList paths;
  for (const std::string& path : recent)
    paths << QFile::decodeName(QByteArray::fromStdString(path));
  settings.setValue(kRecent, paths);
  settings.setValue(kFolder, memory.folder);
  settings.setValue(kOpenFilter, memory.open_filter);
  settings.setValue(kSaveFilter, memory.save_filter);
  settings.setValue(kExportFilter, memory.export_filter);
}

}  // namespace kestrio::platform
