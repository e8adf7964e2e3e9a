// The desktop program: one main window over one session, until the window is closed.
//
//   kestrio [FILE...]   opens the roster and data files named, in order, as File > Open

#include <QApplication>
#include <QCommandLineParser>

#include "base/version.h"
#include "platform/artwork.h"
#include "platform/desktop_app.h"
#include "platform/main_window.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kestrio"));
  QApplication::setOrganizationName(QStringLiteral("Kestrio"));
  QApplication::setApplicationVersion(QStringLiteral(KESTRIO_VERSION_TEXT));
  QApplication::setDesktopFileName(QStringLiteral("kestrio"));
  QApplication::setWindowIcon(kestrio::platform::ProgramIcon());

  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Pairs the wrestlers of a youth wrestling scrimmage into bouts. The "
                     "reports are written into the current folder."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(
      QStringLiteral("files"),
      QStringLiteral("Rosters (.txt, .dat, .prn) or Kestrio data files (.tmrx) to open, in order."),
      QStringLiteral("[FILE...]"));
  parser.process(application);

  kestrio::platform::DesktopApp desktop;
  kestrio::platform::MainWindow& window = desktop.window();
  // The report window may still be open: closing the main window ends the program anyway.
  QObject::connect(&window, &kestrio::platform::MainWindow::Closed, &application,
                   &QApplication::quit);
  window.show();
  desktop.OpenFiles(parser.positionalArguments());
  return QApplication::exec();
}
