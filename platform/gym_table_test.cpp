// The desktop program at a gym table, with keyboard and mouse only: working down a long
// list, the find box, the file dialogs, the import report, the report window with its
// tabs, and what the program remembers between sessions.

#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <memory>

#include "platform/add_modify_dialog.h"
#include "platform/desktop_app.h"
#include "platform/desktop_dialogs.h"
#include "platform/import_report_dialog.h"
#include "platform/main_window.h"
#include "platform/modal_driver.h"
#include "platform/report_viewer_window.h"
#include "platform/roster_table_model.h"
#include "platform/status_parts.h"
#include "ui/command_ids.h"
#include "ui/session.h"

using namespace kestrio::platform;
namespace ku = kestrio::ui;

namespace {

// Sixty wrestlers W00..W59 in weight order, in three clubs.
QByteArray LongRoster() {
  QByteArray text;
  for (int i = 0; i < 60; ++i) {
    text += QStringLiteral("W%1\tFirst\t%2\t10\t1\tClub%3\r\n")
                .arg(i, 2, 10, QLatin1Char('0'))
                .arg(40 + i)
                .arg(i % 3)
                .toLatin1();
  }
  return text;
}

int CurrentRow(const MainWindow& window) { return window.List()->currentIndex().row(); }

QString Status(const MainWindow& window, int row) {
  return window.ListModel()->index(row, 6).data().toString();
}

int CountStatus(ku::Session& session, bool (*test)(const kestrio::roster::Participant&)) {
  int n = 0;
  for (const auto& p : session.roster().Entries) n += test(p);
  return n;
}

}  // namespace

class GymTableTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    QVERIFY(QDir::setCurrent(dir_.path()));
    QFile roster(QStringLiteral("long.txt"));
    QVERIFY(roster.open(QIODevice::WriteOnly));
    roster.write(LongRoster());
  }

  void init() { StartApp(/*fresh=*/true); }
  void cleanup() { app_.reset(); }

  // Down, Ctrl+T, Down, Ctrl+T at row 46: the cursor and the view stay where they were.
  void KeyboardWorksDownALongList() {
    MainWindow& window = OpenLong();
    QTableView* list = window.List();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_End);
    QCOMPARE(CurrentRow(window), 59);
    QTest::keyClick(list, Qt::Key_Home);
    QCOMPARE(CurrentRow(window), 0);
    list->selectionModel()->setCurrentIndex(
        window.ListModel()->index(46, 0),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    const int top = list->rowAt(0);
    QVERIFY(top > 0);
    QTest::keyClick(list, Qt::Key_T, Qt::ControlModifier);
    QCOMPARE(Status(window, 46), QStringLiteral("Selected"));
    QCOMPARE(CurrentRow(window), 46);
    QCOMPARE(list->rowAt(0), top);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_T, Qt::ControlModifier);
    QCOMPARE(Status(window, 47), QStringLiteral("Selected"));
    QCOMPARE(CurrentRow(window), 47);
    QCOMPARE(list->selectionModel()->selectedRows().size(), 1);
    QCOMPARE(CountStatus(app_->session(), kestrio::roster::IsSelected), 2);

    // Tab leaves the list for the next pane instead of walking its cells.
    window.Tree()->setFocus();
    QTest::keyClick(window.Tree(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), window.FindBox());
    QTest::keyClick(window.FindBox(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), list);
    const QModelIndex cell = list->currentIndex();
    QTest::keyClick(list, Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget() != list);
    QCOMPARE(list->currentIndex(), cell);
  }

  // The find box narrows the list as the organiser types; its keys stay its own.
  void FindBoxFiltersAndKeepsItsKeys() {
    MainWindow& window = OpenLong();
    window.List()->selectRow(3);
    QTest::keyClick(window.List(), Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), window.FindBox());
    QTest::keyClicks(window.FindBox(), QStringLiteral("w0"));
    QCOMPARE(window.ListModel()->rowCount(), 10);
    QVERIFY(window.StatusPart(2).contains(QStringLiteral("     10 Displayed;")));
    // Delete, Ctrl+T and Ctrl+Shift+Y edit the text, never the wrestlers.
    QTest::keyClick(window.FindBox(), Qt::Key_Home);
    QTest::keyClick(window.FindBox(), Qt::Key_Delete);
    QTest::keyClick(window.FindBox(), Qt::Key_T, Qt::ControlModifier);
    QTest::keyClick(window.FindBox(), Qt::Key_Y, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(window.FindBox()->text(), QStringLiteral("0"));
    QCOMPARE(CountStatus(app_->session(), kestrio::roster::IsDeleted), 0);
    QCOMPARE(CountStatus(app_->session(), kestrio::roster::IsSelected), 0);
    QTest::keyClick(window.FindBox(), Qt::Key_End);
    QTest::keyClicks(window.FindBox(), QStringLiteral("5 club2"));
    QCOMPARE(window.ListModel()->rowCount(), 1);
    QCOMPARE(window.ListModel()->index(0, 0).data().toString(), QStringLiteral("W05"));
    // Escape empties the box and shows everyone again.
    QTest::keyClick(window.FindBox(), Qt::Key_Escape);
    QCOMPARE(window.FindBox()->text(), QString());
    QCOMPARE(window.ListModel()->rowCount(), 60);
  }

  // A name typed without extension is saved as .tmrx, so Open shows it; both dialogs
  // open where the organiser last was, each with its own last filter.
  void FileDialogsAddTmrxAndRememberFolderAndFilter() {
    OpenLong();
    QVERIFY(QDir().mkpath(QStringLiteral("day")));
    const QString day = QDir(QStringLiteral("day")).absolutePath();
    ChooseFileNext(day + QStringLiteral("/saturday"));
    app_->session().Dispatch(ku::kCmdSaveAll);
    QVERIFY(QFile::exists(QStringLiteral("day/saturday.tmrx")));

    QString folder, filter;
    InspectFileDialogNext(
        [&](QFileDialog* dialog) {
          folder = dialog->directory().absolutePath();
          filter = dialog->selectedNameFilter();
          dialog->selectNameFilter(dialog->nameFilters().at(1));  // Text Files
        },
        QDir::current().filePath(QStringLiteral("long.txt")));
    app_->session().Dispatch(ku::kCmdOpen);
    QCOMPARE(folder, day);
    QVERIFY2(filter.startsWith(QStringLiteral("Kestrio data files(*.tmrx)")), qPrintable(filter));

    InspectFileDialogNext([&](QFileDialog* dialog) {
      filter = dialog->selectedNameFilter();
      dialog->reject();
    });
    app_->session().Dispatch(ku::kCmdOpen);
    QVERIFY2(filter.startsWith(QStringLiteral("Text Files")), qPrintable(filter));
    InspectFileDialogNext([&](QFileDialog* dialog) {
      folder = dialog->directory().absolutePath();
      filter = dialog->selectedNameFilter();
      dialog->reject();
    });
    app_->session().Dispatch(ku::kCmdSaveAll);
    QCOMPARE(folder, QDir::current().absolutePath());
    QVERIFY2(filter.startsWith(QStringLiteral("Kestrio data files")), qPrintable(filter));
  }

  // Thirty bad lines are one report naming the file, each line's number and reason.
  void SkippedLinesMakeOneImportReport() {
    QFile roster(QStringLiteral("bad.txt"));
    QVERIFY(roster.open(QIODevice::WriteOnly));
    roster.write("Ames\tAl\t60\t10\t1\tHawks\r\n");
    for (int i = 0; i < 30; ++i) roster.write("Bell\tBo\theavy\t10\t1\tHawks\r\n");
    roster.close();
    int reports = 0;
    QString title, text;
    app_->dialogs().on_open = [&](QDialog* opened) {
      ++reports;
      auto* dialog = qobject_cast<ImportReportDialog*>(opened);
      QVERIFY(dialog != nullptr);
      WhenModalAppears([&, dialog](QWidget*) {
        title = dialog->windowTitle();
        text = dialog->Text()->toPlainText();
        dialog->reject();
      });
    };
    app_->OpenFiles({QStringLiteral("bad.txt")});
    QCOMPARE(reports, 1);
    QCOMPARE(title, QStringLiteral("Import Report: bad.txt"));
    QVERIFY2(text.contains(QStringLiteral("1 wrestler added, 30 lines skipped.")),
             qPrintable(text));
    QVERIFY(text.contains(QStringLiteral(
        "Warning: Error during read --> entry skipped: line 31: Unable to read Weight from string "
        "\"heavy\"\n    Bell\tBo\theavy")));
    QCOMPARE(app_->window().ListModel()->rowCount(), 1);
  }

  // An unlikely age is asked about; No goes back to the Age field with nothing added.
  void UnlikelyValuesAreAskedAbout() {
    MainWindow& window = OpenLong();
    QString question;
    bool back_in_age = false;
    app_->dialogs().on_open = [&](QDialog* opened) {
      auto* dialog = static_cast<AddModifyDialog*>(opened);
      WhenModalAppears([&, dialog](QWidget*) {
        dialog->SurnameEdit()->setText(QStringLiteral("Hill"));
        dialog->FirstNameEdit()->setText(QStringLiteral("Hal"));
        dialog->WeightEdit()->setText(QStringLiteral("70"));
        dialog->AgeEdit()->setText(QStringLiteral("150"));
        dialog->RatingEdit()->setText(QStringLiteral("2"));
        dialog->ClubEdit()->setText(QStringLiteral("Hawks"));
        AnswerNextMessage(QMessageBox::No, &question);
        dialog->PressDone();
        back_in_age = dialog->isVisible() && dialog->focusWidget() == dialog->AgeEdit();
        dialog->PressCancel();
      });
    };
    app_->session().Dispatch(ku::kCmdAdd);
    QCOMPARE(question, QStringLiteral("Are you sure? Age 150 is outside the usual 3 to 20."));
    QVERIFY(back_in_age);
    QCOMPARE(window.ListModel()->rowCount(), 60);
  }

  // Every report in one window, a tab per file, reused when opened again, on screen.
  void ReportsShareOneWindowWithATabPerFile() {
    MainWindow& window = OpenLong();
    QTest::keyClick(window.List(), Qt::Key_Y, Qt::ControlModifier | Qt::ShiftModifier);
    ChooseFileNext(QDir::current().filePath(QStringLiteral("day.tmrx")));
    app_->session().Dispatch(ku::kCmdSaveProjectData);
    QString finished;
    WhenModalAppears([&](QWidget* modal) {
      qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Yes)->click();
      AnswerNextMessage(QMessageBox::Ok, &finished);
    });
    app_->session().Dispatch(ku::kCmdRunPairing);
    QVERIFY2(finished.contains(QStringLiteral("60 wrestlers of 60 paired")), qPrintable(finished));

    app_->session().Dispatch(ku::kCmdViewSummary);
    app_->session().Dispatch(ku::kCmdViewByClub);
    ReportWindow* reports = app_->viewer().Window();
    QVERIFY(reports != nullptr);
    QCOMPARE(reports->Tabs()->count(), 5);  // summary, all clubs, three clubs
    QCOMPARE(reports->Tabs()->tabText(4), QStringLiteral("Tandrel-BoutsForClub2.txt"));
    app_->session().Dispatch(ku::kCmdViewSummary);
    QCOMPARE(reports->Tabs()->count(), 5);
    QCOMPARE(reports->CurrentPage()->FileName(), QStringLiteral("Tandrel-PairingResults.txt"));
    const QRect room = window.screen()->availableGeometry();
    QVERIFY(room.contains(reports->frameGeometry().topLeft()));
    QVERIFY(reports->frameGeometry().right() <= room.right());

    // Ctrl+F finds, F3 goes to the next hit; Ctrl+End reaches the end of the report.
    QVERIFY(QTest::qWaitForWindowActive(reports));
    ReportPage* page = reports->CurrentPage();
    QTest::keyClick(page, Qt::Key_F, Qt::ControlModifier);
    QVERIFY(reports->FindBox()->isVisible());
    QTest::keyClicks(reports->FindBox(), QStringLiteral("first"));
    QTest::keyClick(reports->FindBox(), Qt::Key_Return);
    QCOMPARE(page->textCursor().selectedText(), QStringLiteral("First"));
    const int first = page->textCursor().position();
    QTest::keyClick(page, Qt::Key_F3);
    QCOMPARE(page->textCursor().selectedText(), QStringLiteral("First"));
    QVERIFY(page->textCursor().position() != first);
    page->setFocus();
    QTest::keyClick(page, Qt::Key_End, Qt::ControlModifier);
    QVERIFY(page->textCursor().atEnd());

    // Without a program for text files, Open in Text Editor says so.
    reports->open_url = [](const QUrl&) { return false; };
    QString told;
    AnswerNextMessage(QMessageBox::Ok, &told);
    reports->OpenInTextEditor();
    QVERIFY2(told.contains(QStringLiteral("could not be opened in a text editor")),
             qPrintable(told));
  }

  // The statistics are never cut, however narrow the window.
  void NarrowWindowKeepsTheStatisticsWhole() {
    MainWindow& window = OpenLong();
    window.resize(640, 500);
    QTest::qWait(20);
    StatusParts* parts = window.StatusTexts();
    QCOMPARE(parts->ShownText(2), parts->Text(2));
    QVERIFY(parts->ShownText(0).size() > 0);
    window.resize(1400, 500);
    QTest::qWait(20);
    QCOMPARE(parts->ShownText(0), parts->Text(0));
  }

  // Recent files, the tree's share and the column widths outlive the session; the
  // command line opens its files in order.
  void RecentFilesAndLayoutAreRemembered() {
    QFile second(QStringLiteral("second.txt"));
    QVERIFY(second.open(QIODevice::WriteOnly));
    second.write("Zorn\tZed\t99\t12\t1\tOwls\r\n");
    second.close();
    app_->OpenFiles({QStringLiteral("long.txt"), QStringLiteral("second.txt")});
    MainWindow& window = app_->window();
    QCOMPARE(window.ListModel()->rowCount(), 61);
    QCOMPARE(window.RecentFilesMenu()->actions().size(), 2);
    QCOMPARE(window.RecentFilesMenu()->actions().at(0)->text(), QStringLiteral("&1 second.txt"));
    window.SetTreeShare(0.4);
    window.List()->setColumnWidth(0, 222);
    // Two files make a roster no file holds: closing asks about it first.
    AnswerNextMessage(QMessageBox::Discard);
    QVERIFY(window.close());

    StartApp(/*fresh=*/false);
    MainWindow& again = app_->window();
    QVERIFY(again.RecentFilesMenu()->isEnabled());
    QCOMPARE(again.TreeShare(), 0.4);
    QCOMPARE(again.List()->columnWidth(0), 222);
    again.RecentFilesMenu()->actions().at(1)->trigger();  // long.txt
    QCOMPARE(again.ListModel()->rowCount(), 60);
  }

 private:
  void StartApp(bool fresh) {
    app_.reset();
    const QString settings = dir_.filePath(QStringLiteral("settings.ini"));
    if (fresh) QFile::remove(settings);
    // No bout board from an earlier test: it would bring its roster back at start-up.
    QFile::remove(dir_.filePath(QStringLiteral("Tandrel-BoutBoard.txt")));
    app_ = std::make_unique<DesktopApp>(settings);
    MainWindow& window = app_->window();
    if (fresh) window.resize(1000, 600);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
  }

  MainWindow& OpenLong() {
    app_->OpenFiles({QStringLiteral("long.txt")});
    MainWindow& window = app_->window();
    [&] { QCOMPARE(window.ListModel()->rowCount(), 60); }();
    return window;
  }

  // Hands the next file dialog to inspect, then chooses path in it (or leaves it to
  // inspect to close it when path is empty).
  static void InspectFileDialogNext(std::function<void(QFileDialog*)> inspect,
                                    const QString& path = QString()) {
    WhenModalAppears([inspect, path](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      if (dialog == nullptr) return;
      inspect(dialog);
      if (!path.isEmpty()) ChooseFileIn(dialog, path);
    });
  }

  QTemporaryDir dir_;
  std::unique_ptr<DesktopApp> app_;
};

QTEST_MAIN(GymTableTest)
#include "gym_table_test.moc"
