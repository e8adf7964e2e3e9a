#pragma once

// The desktop program assembled: the main window, the Qt implementations of every port,
// and the session that decides what they show. Built by app/ (and by the GUI tests and
// the screenshot driver, which drive the same object).
//
// Needs a QApplication for its whole life. Files are read and written in the process's
// working directory and at the paths the organiser chooses.

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
  // not shown yet.
  DesktopApp();
  ~DesktopApp();

  DesktopApp(const DesktopApp&) = delete;
  DesktopApp& operator=(const DesktopApp&) = delete;

  MainWindow& window();
  ui::Session& session();
  DesktopDialogs& dialogs();
  ReportViewerLauncher& viewer();

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
};

}  // namespace kestrio::platform
