#pragma once

// The desktop program assembled: the main window, the Qt implementations of every port,
// and the session that decides what they show. Built by app/ (and by the GUI tests and
// the screenshot driver, which drive the same object).
//
// Needs a QApplication for its whole life. Files are read and written in the process's
// working directory and at the paths the organiser chooses. What the program remembers
// between sessions (desktop_settings.h) is read when it is built and written as it
// changes.

#include <QString>
#include <QStringList>

#include <memory>

#include "base/file_system.h"

namespace kestrio::ui {
class Session;
}

namespace kestrio::platform {

class DesktopDialogs;
class FileDialogs;
class MainWindow;
class MessageBoxes;
class ReportViewerLauncher;

class DesktopApp {
 public:
  // Builds the window and the session and runs the session's start-up; the window is
  // not shown yet. settings_file: an INI file to remember things in; empty for the
  // platform's own settings store.
  explicit DesktopApp(const QString& settings_file = QString());
  ~DesktopApp();

  DesktopApp(const DesktopApp&) = delete;
  DesktopApp& operator=(const DesktopApp&) = delete;

  // Opens the roster and data files in order, as File > Open would (the command line).
  void OpenFiles(const QStringList& paths);

  MainWindow& window();
  ui::Session& session();
  DesktopDialogs& dialogs();
  ReportViewerLauncher& viewer();
  FileDialogs& file_dialogs();

 private:
  struct Parts;
  void Connect();
  // After every command: the sort mark in the header, the recent files in the menu and
  // the settings that changed.
  void AfterCommand();

  std::unique_ptr<Parts> parts_;
};

}  // namespace kestrio::platform
