// Plays a short scrimmage day on the desktop program and saves pictures of the main
// window (filtered, sorted heaviest first, found, narrow, after a run), the import
// report, the dialogs, the run's summary and the report window with its tabs. Used by
// scripts/screenshots; not installed.
//
// Usage: kestrio_screenshots <roster file> <output directory>
// Runs in the current working directory, where the pairing run writes its reports.

#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <cstdio>

#include "board/bout_board.h"
#include "platform/add_modify_dialog.h"
#include "platform/bout_dialogs.h"
#include "platform/bouts_pane_view.h"
#include "platform/desktop_app.h"
#include "platform/desktop_dialogs.h"
#include "platform/import_dialog.h"
#include "platform/main_window.h"
#include "platform/modal_driver.h"
#include "platform/report_viewer_window.h"
#include "platform/schedule_dialog.h"
#include "platform/sheet_printer.h"
#include "reports/schedule_reports.h"
#include "ui/bouts_view.h"
#include "ui/command_ids.h"
#include "ui/session.h"

namespace kp = kestrio::platform;
namespace ku = kestrio::ui;

namespace {

void Save(QWidget* widget, const QDir& out, const char* name) {
  QTest::qWait(150);
  const QString path = out.filePath(QString::fromLatin1(name));
  const bool saved = widget->grab().save(path);
  std::printf("%s %s\n", saved ? "saved" : "FAILED", qPrintable(path));
}

// Grabs the next dialog once it is painted, then closes it with the given action.
void GrabDialogNext(kp::DesktopApp& app, const QDir& out, const char* name,
                    std::function<void(QDialog*)> prepare, std::function<void(QDialog*)> close) {
  app.dialogs().on_open = [&app, out, name, prepare, close](QDialog* dialog) {
    // Clearing the hook destroys this lambda: keep copies of what it holds first.
    const QDir to = out;
    const char* file = name;
    const auto closer = close;
    if (prepare) prepare(dialog);
    app.dialogs().on_open = nullptr;
    kp::WhenModalAppears([to, file, closer](QWidget* modal) {
      auto* shown = qobject_cast<QDialog*>(modal);
      if (shown == nullptr) return;
      Save(shown, to, file);
      closer(shown);
    });
  };
}

void CloseStrayMessages() {
  auto* watchdog = new QTimer(qApp);
  QObject::connect(watchdog, &QTimer::timeout, [] {
    static QPointer<QMessageBox> seen;
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    if (box != seen) {
      seen = box;  // give the script's own handler its chance first
      return;
    }
    std::printf("closed message \"%s\": %s\n", qPrintable(box->windowTitle()),
                qPrintable(box->text()));
    box->reject();
  });
  watchdog->start(1500);
}

void HighlightRows(QTableView* list, std::initializer_list<int> rows) {
  list->clearSelection();
  for (int row : rows) {
    list->selectionModel()->select(list->model()->index(row, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: kestrio_screenshots <roster file> <output directory>\n");
    return 2;
  }
  const QString roster = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
  QDir out(QString::fromLocal8Bit(argv[2]));
  out.mkpath(QStringLiteral("."));

  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  CloseStrayMessages();
  // The pictures show a first start, and leave the organiser's own settings alone.
  const QString settings = QDir::current().filePath(QStringLiteral("screenshots.ini"));
  kp::DesktopApp app(settings);
  kp::MainWindow& window = app.window();
  ku::Session& session = app.session();
  window.resize(1240, 760);
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;

  // The sample roster has lines that cannot be read: its import report.
  GrabDialogNext(app, out, "import-report.png", nullptr, [](QDialog* d) { d->reject(); });
  kp::ChooseFileNext(roster);
  session.Dispatch(ku::kCmdOpen);

  // One club picked in the tree, three of its wrestlers highlighted.
  QTreeWidgetItem* by_club = window.Tree()->topLevelItem(0)->child(0);
  by_club->setExpanded(true);
  window.Tree()->setCurrentItem(by_club->child(std::min(1, by_club->childCount() - 1)));
  HighlightRows(window.List(), {0, 2, 3});
  Save(&window, out, "main-filtered-by-club.png");

  // The header's arrow points up while the weights go up; a click reverses the order and
  // the arrow, a second click brings both back.
  QHeaderView* header = window.List()->horizontalHeader();
  const QPoint weight(header->sectionViewportPosition(2) + 10, header->height() / 2);
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, weight);
  Save(&window, out, "main-sorted-heaviest-first.png");
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, weight);

  // The find box narrowing the whole roster as the organiser types.
  window.Tree()->setCurrentItem(window.Tree()->topLevelItem(0));
  window.FindBox()->setFocus();
  QTest::keyClicks(window.FindBox(), QStringLiteral("del"));
  Save(&window, out, "main-find-box.png");
  window.FindBox()->clear();

  HighlightRows(window.List(), {1});
  GrabDialogNext(app, out, "add-modify-dialog.png", nullptr,
                 [](QDialog* d) { static_cast<kp::AddModifyDialog*>(d)->PressCancel(); });
  session.Dispatch(ku::kCmdModify);

  // The whole roster selected; in a narrow window the status bar says what Run waits for
  // and keeps the statistics whole.
  session.Dispatch(ku::kCmdMarkAllSelected);
  const QSize wide = window.size();
  window.resize(window.minimumSizeHint().width(), 560);
  Save(&window, out, "main-narrow.png");
  window.resize(wide);

  // Saved as the project, paired.
  kp::ChooseFileNext(QDir::current().filePath(QStringLiteral("scrimmage-day.tmrx")));
  session.Dispatch(ku::kCmdSaveProjectData);

  GrabDialogNext(app, out, "parameters-dialog.png", nullptr, [](QDialog* d) { d->reject(); });
  session.Dispatch(ku::kCmdEditControls);

  // "Are you sure the data are sorted?" Yes; then the run's summary box.
  kp::WhenModalAppears([&out](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box == nullptr) return;
    box->button(QMessageBox::Yes)->click();
    kp::WhenModalAppears([out](QWidget* summary) {
      auto* done = qobject_cast<QMessageBox*>(summary);
      if (done == nullptr) return;
      std::printf("run: %s\n", qPrintable(done->text()));
      Save(done, out, "run-summary.png");
      done->button(QMessageBox::Ok)->click();
    });
  });
  session.Dispatch(ku::kCmdRunPairing);
  Save(&window, out, "main-after-run.png");

  // The Bouts tab: the run's bouts, then one wrestler's after a scratch through the menu,
  // with the Short of Minimum view below and Edit > Undo naming the step.
  window.Tabs()->setCurrentIndex(1);
  window.List()->clearSelection();
  Save(&window, out, "main-bouts-tab.png");
  HighlightRows(window.List(), {4});
  kp::AnswerNextMessage(QMessageBox::Ok);
  session.Dispatch(ku::kCmdScratchWrestler);
  HighlightRows(window.List(), {5});
  Save(&window, out, "main-bouts-after-scratch.png");
  QMenu* edit = window.TopMenu(1);
  edit->popup(window.mapToGlobal(QPoint(60, 24)));
  Save(edit, out, "edit-menu-undo.png");
  edit->hide();
  session.Dispatch(ku::kCmdUndo);

  // The bout dialogs: Add Bout between two highlighted wrestlers, then Replace Wrestler
  // in Bout on the first bout of the Bouts tab, with its best candidate chosen.
  HighlightRows(window.List(), {6, 9});
  GrabDialogNext(app, out, "add-bout-dialog.png", nullptr, [](QDialog* d) { d->reject(); });
  session.Dispatch(ku::kCmdAddBout);
  window.List()->clearSelection();
  HighlightRows(window.Bouts()->Table(), {0});
  GrabDialogNext(
      app, out, "replace-wrestler-dialog.png",
      [](QDialog* d) {
        auto* dialog = static_cast<kp::ReplaceWrestlerDialog*>(d);
        QTreeWidget* list = dialog->CandidateList();
        if (list->topLevelItemCount() > 0) list->setCurrentItem(list->topLevelItem(0));
      },
      [](QDialog* d) { d->reject(); });
  session.Dispatch(ku::kCmdReplaceWrestler);
  window.Tabs()->setCurrentIndex(0);

  GrabDialogNext(app, out, "about-box.png", nullptr, [](QDialog* d) { d->accept(); });
  session.Dispatch(ku::kCmdAbout);

  // Every report in one window: the summary, then By Club's tab per club.
  session.Dispatch(ku::kCmdViewByClub);
  session.Dispatch(ku::kCmdViewSummary);
  if (kp::ReportWindow* reports = app.viewer().Window()) {
    reports->resize(900, 620);
    if (!QTest::qWaitForWindowExposed(reports)) std::printf("report window not shown\n");
    reports->ShowFindBar();
    QTest::keyClicks(reports->FindBox(), QStringLiteral("Rasmussen"));
    reports->FindNext();
    Save(reports, out, "report-window-tabs.png");
  }

  // Four mats scheduled, the schedule in the viewer, the bout sheets and mat lists printed
  // to PDF (scripts/screenshots renders their first pages).
  GrabDialogNext(
      app, out, "schedule-mats-dialog.png",
      [](QDialog* d) {
        static_cast<kp::ScheduleDialog*>(d)->MatsEdit()->setText(QStringLiteral("4"));
      },
      [](QDialog* d) { static_cast<kp::ScheduleDialog*>(d)->PressOk(); });
  session.Dispatch(ku::kCmdScheduleMats);
  if (kp::ReportWindow* reports = app.viewer().Window()) {
    reports->resize(1000, 620);
    if (!QTest::qWaitForWindowExposed(reports)) std::printf("report window not shown\n");
    Save(reports, out, "mat-schedule.png");
  }
  // The Bouts tab with each bout's mat and time, in the order of the day.
  window.Tabs()->setCurrentIndex(1);
  window.List()->clearSelection();
  session.OnBoutColumnClicked(ku::kTimeColumn + 1);
  Save(&window, out, "main-bouts-scheduled.png");
  window.Tabs()->setCurrentIndex(0);
  if (session.mat_day()) {
    const auto sheets = kestrio::reports::SheetsInOrder(
        kestrio::board::BoardRun(session.bout_board()), &*session.mat_day());
    kp::QtPrintPort printer;
    for (const auto& [name, status] :
         {std::pair{"bout-sheets.pdf",
                    printer.WriteBoutSheetsPdf(
                        sheets, out.filePath(QStringLiteral("bout-sheets.pdf")).toStdString())},
          std::pair{"mat-lists.pdf",
                    printer.WriteMatListsPdf(
                        sheets, session.mat_day()->settings.Mats,
                        out.filePath(QStringLiteral("mat-lists.pdf")).toStdString())}})
      std::printf("%s %s\n", status.ok() ? "saved" : "FAILED", name);
  }

  // Tandrel Optimal: yes to the question, OK to the closing message; the progress dialog
  // in between is left to close by itself.
  QString optimal_finished;
  QTimer answer;
  answer.setInterval(10);
  QObject::connect(&answer, &QTimer::timeout, [&optimal_finished] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) return;
    if (QAbstractButton* yes = box->button(QMessageBox::Yes)) {
      yes->click();
    } else if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
      optimal_finished = box->text();
      ok->click();
    }
  });
  answer.start();
  session.Dispatch(ku::kCmdRunOptimal);
  answer.stop();
  std::printf("optimal run: %s\n", qPrintable(optimal_finished));
  session.Dispatch(ku::kCmdViewExceptions);
  if (kp::ReportWindow* reports = app.viewer().Window()) {
    reports->resize(900, 620);
    Save(reports, out, "optimal-by-hand-report.png");
  }
  session.Dispatch(ku::kCmdCompareEngines);
  if (kp::ReportWindow* reports = app.viewer().Window()) {
    reports->resize(700, 360);
    Save(reports, out, "engine-comparison.png");
  }

  // A registration form's CSV export beside the roster: the import dialog with the
  // columns guessed from its headers, ages from birth dates at a fixed event date, and a
  // row it cannot read; OK loads the rest (yes to the question about the skipped row).
  const QString form = QFileInfo(roster).dir().filePath(QStringLiteral("registration-form.csv"));
  if (QFileInfo::exists(form)) {
    GrabDialogNext(
        app, out, "import-dialog.png",
        [](QDialog* d) {
          auto* dialog = static_cast<kp::ImportDialog*>(d);
          dialog->resize(980, 760);
          dialog->EventDateEdit()->setDate(QDate(2025, 3, 1));
        },
        [&app, out](QDialog* d) {
          kp::AnswerNextMessage(QMessageBox::Yes);
          // The row it could not read, in the import report with its row number.
          GrabDialogNext(app, out, "import-report-spreadsheet.png", nullptr,
                         [](QDialog* report) { report->reject(); });
          static_cast<kp::ImportDialog*>(d)->PressOk();
        });
    kp::ChooseFileNext(form);
    session.Dispatch(ku::kCmdOpen);
    window.Tree()->setCurrentItem(window.Tree()->topLevelItem(0));
    Save(&window, out, "main-after-import.png");
  } else {
    std::printf("no %s: no import dialog picture\n", qPrintable(form));
  }
  return 0;
}
