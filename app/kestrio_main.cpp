// The desktop program: one main window over one session, until the window is closed.

#include <QApplication>

#include "base/version.h"
#include "platform/artwork.h"
#include "platform/desktop_app.h"
#include "platform/main_window.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kestrio"));
  QApplication::setApplicationVersion(QStringLiteral(KESTRIO_VERSION_TEXT));
  QApplication::setDesktopFileName(QStringLiteral("kestrio"));
  QApplication::setWindowIcon(kestrio::platform::ProgramIcon());

  kestrio::platform::DesktopApp desktop;
  kestrio::platform::MainWindow& window = desktop.window();
  // Report viewers may still be open: closing the main window ends the program anyway.
  QObject::connect(&window, &kestrio::platform::MainWindow::Closed, &application,
                   &QApplication::quit);
  window.show();
  return QApplication::exec();
}
