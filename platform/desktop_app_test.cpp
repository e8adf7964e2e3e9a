// The desktop program driven as an organiser drives it: menus, accelerators, header
// clicks, the tree, highlighted rows and the dialogs. The rules behind them are tested
// in the core; these tests check that the window reaches them and shows their results.

#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSplitter>
#include <QStatusBar>
#include <QStyleOptionHeader>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <algorithm>
#include <memory>

#include "pairing/pairing_control.h"
#include "platform/add_modify_dialog.h"
#include "platform/bout_dialogs.h"
#include "platform/bouts_pane_view.h"
#include "platform/control_dialog.h"
#include "platform/desktop_app.h"
#include "platform/desktop_dialogs.h"
#include "platform/main_window.h"
#include "platform/modal_driver.h"
#include "platform/report_viewer_window.h"
#include "platform/roster_table_model.h"
#include "platform/schedule_dialog.h"
#include "platform/system_dialogs.h"
#include "ui/bouts_view.h"
#include "ui/command_ids.h"
#include "ui/session.h"

using namespace kestrio::platform;
namespace ku = kestrio::ui;

namespace {

constexpr char kRoster[] =
    "Adams\tAl\t60\t10\t1\tHawks\r\n"
    "Brown\tBo\t62\t10\t1.5\tHawks\r\n"
    "Cole\tCy\t58\t11\t2\tEagles\r\n"
    "Diaz\tDan\t65\t11\t1\tEagles\r\n";

QString Cell(const MainWindow& window, int row, int column) {
  return window.ListModel()->index(row, column).data().toString();
}

QStringList Column(const MainWindow& window, int column) {
  QStringList cells;
  for (int row = 0; row < window.ListModel()->rowCount(); ++row) cells << Cell(window, row, column);
  return cells;
}

// Which way the header's sort arrow points as its style paints it: 1 up, -1 down. A
// triangle pointing up holds more of its ink in its lower half. The header is asked with
// both of the style's sort values, since which one it hands over is the style's habit.
int SortArrowWay(QHeaderView* header, QStyleOptionHeader::SortIndicator indicator) {
  QImage image(32, 32, QImage::Format_RGB32);
  image.fill(Qt::white);
  QStyleOptionHeader option;
  option.initFrom(header);
  option.rect = image.rect();
  option.palette.setColor(QPalette::ButtonText, Qt::black);
  option.palette.setColor(QPalette::Text, Qt::black);
  option.palette.setColor(QPalette::WindowText, Qt::black);
  option.sortIndicator = indicator;
  {
    QPainter painter(&image);
    header->style()->drawPrimitive(QStyle::PE_IndicatorHeaderArrow, &option, &painter, header);
  }
  int top = image.height(), bottom = -1;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) != qRgb(255, 255, 255)) {
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
    }
  }
  if (bottom < top + 1) return 0;  // nothing drawn
  long upper = 0, lower = 0;
  for (int y = top; y <= bottom; ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const int ink = 255 - qGray(image.pixel(x, y));
      (2 * (y - top) < bottom - top ? upper : lower) += ink;
    }
  }
  return lower > upper ? 1 : (upper > lower ? -1 : 0);
}

void Highlight(const MainWindow& window, std::initializer_list<int> rows) {
  window.List()->clearSelection();
  for (int row : rows) {
    window.List()->selectionModel()->select(
        window.ListModel()->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
  }
}

}  // namespace

class DesktopAppTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    QVERIFY(QDir::setCurrent(dir_.path()));
    QFile roster(QStringLiteral("roster.txt"));
    QVERIFY(roster.open(QIODevice::WriteOnly));
    roster.write(kRoster);
  }

  void init() {
    QFile::remove(dir_.filePath(QStringLiteral("settings.ini")));
    // Each test starts a fresh day: a bout board left in the folder would bring its
    // roster back at start-up.
    QFile::remove(dir_.filePath(QStringLiteral("Tandrel-BoutBoard.txt")));
    app_ = std::make_unique<DesktopApp>(dir_.filePath(QStringLiteral("settings.ini")));
    MainWindow& window = app_->window();
    window.resize(1000, 600);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
  }

  void cleanup() { app_.reset(); }

  void StartUpShowsAnEmptyRoster() {
    MainWindow& window = app_->window();
    // The place of the mark of unsaved changes, shown once there are any.
    QCOMPARE(window.windowTitle(), QStringLiteral("Kestrio v2.1[*]"));
    QVERIFY(!window.isWindowModified());
    QStringList menus;
    for (QAction* action : window.menuBar()->actions()) menus << action->text();
    QCOMPARE(menus, QStringList({"&File", "&Edit", "View", "Tandrel", "Lumiva", "&Help"}));
    QVERIFY(window.CommandAction(ku::kCmdOpen)->isEnabled());
    QVERIFY(!window.CommandAction(ku::kCmdClearAll)->isEnabled());
    QVERIFY(!window.CommandAction(ku::kCmdOnlineManual)->isEnabled());
    QVERIFY(!window.TopMenu(4)->actions().at(0)->isEnabled());  // Pairing Results
    QVERIFY(window.CommandAction(ku::kCmdStatusBar)->isChecked());
    QCOMPARE(window.CommandAction(ku::kCmdSelect)->shortcut(),
             QKeySequence(QStringLiteral("Ctrl+Y")));
    QCOMPARE(window.StatusPart(0), QStringLiteral("Load participants"));
    QCOMPARE(
        window.StatusPart(2),
        QStringLiteral("Stats:     0 Entries;     0 Displayed;     0 Selected;     0 Unassigned;"
                       "     0 Deleted;     0 Known Duplicates;"));
    QTreeWidgetItem* root = window.Tree()->topLevelItem(0);
    QCOMPARE(root->text(0), QStringLiteral("Kestrio Info"));
    QCOMPARE(root->childCount(), 5);
    QCOMPARE(root->child(4)->text(0), QStringLiteral("By Status"));
    // The splitter stops 50 pixels short of either edge.
    window.Splitter()->setSizes({3, window.width() - 3});
    QVERIFY(window.Tree()->width() >= 50);
    window.Splitter()->setSizes({window.width() - 3, 3});
    QVERIFY(window.List()->width() >= 50);
    // View > Status Bar hides the bar and takes its check mark; again brings both back.
    window.CommandAction(ku::kCmdStatusBar)->trigger();
    QVERIFY(!window.statusBar()->isVisible());
    QVERIFY(!window.CommandAction(ku::kCmdStatusBar)->isChecked());
    window.CommandAction(ku::kCmdStatusBar)->trigger();
    QVERIFY(window.statusBar()->isVisible());
  }

  void FileDialogFiltersKeepTheirCaptions() {
    QCOMPARE(QtNameFilter(ku::kRosterFileFilters[0]),
             QStringLiteral("Kestrio data files(*.tmrx) (*.tmrx)"));
    QCOMPARE(QtNameFilter(ku::kRosterFileFilters[1]),
             QStringLiteral("Text Files (*.dat,*.txt,*.prn) (*.dat *.txt *.prn)"));
    // "*.*" means every file, also those without a dot in their name.
    QCOMPARE(QtNameFilter(ku::kRosterFileFilters[2]), QStringLiteral("All Files (*.*) (*)"));
    // A typed name gets the extension of the preselected filter, never an asterisk.
    QCOMPARE(DefaultSuffix(ku::kDefaultExtension), QStringLiteral("tmrx"));
  }

  void ViewerHoldsTheReportAfterTheFileIsGone() {
    ReportViewerLauncher& viewer = app_->viewer();
    QFile listing(QStringLiteral("DisplayData.dat"));
    QVERIFY(listing.open(QIODevice::WriteOnly));
    listing.write("  Adams  M\xFCller\r\n  Brown\r\n");
    listing.close();
    QVERIFY(viewer.Show("DisplayData.dat"));
    QVERIFY(QFile::remove(QStringLiteral("DisplayData.dat")));
    ReportPage* shown = viewer.LastShown();
    QVERIFY(shown != nullptr);
    QCOMPARE(viewer.Window()->windowTitle(), QStringLiteral("DisplayData.dat"));
    QVERIFY(shown->isReadOnly());
    QCOMPARE(shown->toPlainText(), QString::fromUtf8("  Adams  Müller\n  Brown\n"));
    QVERIFY(QFontInfo(shown->font()).fixedPitch());
    // A file that cannot be read opens nothing, and says so to the session.
    QVERIFY(!viewer.Show("Missing-Report.txt"));
    QVERIFY(viewer.LastShown() == nullptr);
  }

  // Whatever fonts the machine has, the report columns line up: a proportional font
  // offered as the platform's fixed font is replaced by one that is fixed-pitch.
  void ReportFontIsFixedPitchEvenWhenThePlatformsIsNot() {
    const QFont proportional(QStringLiteral("DejaVu Sans"));
    QVERIFY(!QFontInfo(proportional).fixedPitch());
    QVERIFY(QFontInfo(FixedPitchFont(proportional)).fixedPitch());
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (QFontInfo(fixed).fixedPitch()) QCOMPARE(FixedPitchFont(fixed), fixed);
  }

  void HeaderClicksSortAndTheTreeFilters() {
    MainWindow& window = OpenRoster();
    QCOMPARE(Column(window, 0), QStringList({"Cole", "Adams", "Brown", "Diaz"}));  // by weight
    QHeaderView* header = window.List()->horizontalHeader();
    QCOMPARE(header->sortIndicatorSection(), 2);
    QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
    const QPoint last_name(header->sectionViewportPosition(0) + 10, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, last_name);
    QCOMPARE(Column(window, 0), QStringList({"Adams", "Brown", "Cole", "Diaz"}));
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, last_name);
    QCOMPARE(Column(window, 0), QStringList({"Diaz", "Cole", "Brown", "Adams"}));
    QCOMPARE(header->sortIndicatorSection(), 0);
    QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
    // The arrow points down for descending and up for ascending, as organisers read it.
    QCOMPARE(SortArrowWay(header, QStyleOptionHeader::SortDown), -1);
    QCOMPARE(SortArrowWay(header, QStyleOptionHeader::SortUp), -1);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, last_name);
    QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
    QCOMPARE(SortArrowWay(header, QStyleOptionHeader::SortDown), 1);
    QCOMPARE(SortArrowWay(header, QStyleOptionHeader::SortUp), 1);
    QCOMPARE(Column(window, 0), QStringList({"Adams", "Brown", "Cole", "Diaz"}));

    QTreeWidgetItem* by_club = window.Tree()->topLevelItem(0)->child(0);
    QCOMPARE(by_club->childCount(), 2);
    QCOMPARE(by_club->child(0)->text(0), QStringLiteral("Eagles"));
    window.Tree()->setCurrentItem(by_club->child(0));
    QCOMPARE(Column(window, 5), QStringList({"Eagles", "Eagles"}));
    QVERIFY(window.StatusPart(2).contains(QStringLiteral("     2 Displayed;")));
  }

  void HighlightedRowsFollowAcceleratorsAndDoubleClicks() {
    MainWindow& window = OpenRoster();
    Highlight(window, {0, 2});
    QTest::keyClick(window.List(), Qt::Key_Y, Qt::ControlModifier);  // Select
    QCOMPARE(Column(window, 6), QStringList({"Selected", "", "Selected", ""}));
    Highlight(window, {0, 1});
    QTest::keyClick(window.List(), Qt::Key_T, Qt::ControlModifier);  // Toggle
    QCOMPARE(Column(window, 6), QStringList({"", "Selected", "Selected", ""}));
    const QRect last = window.List()->visualRect(window.ListModel()->index(3, 0));
    QTest::mouseClick(window.List()->viewport(), Qt::LeftButton, {}, last.center());
    QTest::mouseDClick(window.List()->viewport(), Qt::LeftButton, {}, last.center());
    QCOMPARE(Column(window, 6), QStringList({"", "Selected", "Selected", "Selected"}));
    QTest::keyClick(window.List(), Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(window.StatusPart(2).contains(QStringLiteral("     0 Selected;")));
  }

  void AddDialogRefusesABlankSurnameThenAdds() {
    MainWindow& window = OpenRoster();
    QString refused;
    app_->dialogs().on_open = [&refused](QDialog* opened) {
      auto* dialog = static_cast<AddModifyDialog*>(opened);
      WhenModalAppears([dialog, &refused](QWidget*) {
        dialog->FirstNameEdit()->setText(QStringLiteral("Eve"));
        dialog->WeightEdit()->setText(QStringLiteral("70"));
        dialog->AgeEdit()->setText(QStringLiteral("12"));
        dialog->RatingEdit()->setText(QStringLiteral("2"));
        dialog->ClubEdit()->setText(QStringLiteral("Hawks"));
        dialog->PressDone();
        refused = dialog->MessageLine()->text();
        QVERIFY(dialog->isVisible());
        QTest::keyClicks(dialog->SurnameEdit(), QStringLiteral("Evans"));
        dialog->PressDone();
      });
    };
    app_->session().Dispatch(ku::kCmdAdd);
    QCOMPARE(refused, QStringLiteral("Blank Field: Please Enter Surname"));
    QCOMPARE(window.ListModel()->rowCount(), 5);
    QVERIFY(Column(window, 0).contains(QStringLiteral("Evans")));
    QCOMPARE(Cell(window, Column(window, 0).indexOf(QStringLiteral("Evans")), 2),
             QStringLiteral("70.00"));
  }

  // The tail of the organiser's day: select everyone, save the project, set the limits
  // in the parameters dialog, run the pairing.
  void SavedProjectTakesParametersAndPairs() {
    MainWindow& window = OpenRoster();
    QTest::keyClick(window.List(), Qt::Key_Y, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(window.StatusPart(0), QStringLiteral("Load/Select More or Execute Pairing"));
    QVERIFY(!window.CommandAction(ku::kCmdRunPairing)->isEnabled());
    ChooseFileNext(QDir::current().filePath(QStringLiteral("day.tmrx")));
    app_->session().Dispatch(ku::kCmdSaveProjectData);
    QVERIFY(QFile::exists(QStringLiteral("day.tmrx")));
    QVERIFY(window.CommandAction(ku::kCmdRunPairing)->isEnabled());

    QFile::remove(QStringLiteral("Tandrel_PairingControl.txt"));
    QString shown_weight;
    app_->dialogs().on_open = [&shown_weight](QDialog* opened) {
      auto* dialog = static_cast<ControlDialog*>(opened);
      WhenModalAppears([dialog, &shown_weight](QWidget*) {
        shown_weight = dialog->WeightEdit()->text();
        dialog->WeightEdit()->setText(QStringLiteral("12.5"));
        dialog->SameClubSlider()->setValue(2);
        dialog->PressOk();
      });
    };
    window.CommandAction(ku::kCmdEditControls)->trigger();
    QCOMPARE(shown_weight, QStringLiteral("10.0"));
    QFile control(QStringLiteral("Tandrel_PairingControl.txt"));
    QVERIFY(control.open(QIODevice::ReadOnly));
    const QByteArray text = control.readAll();
    QVERIFY2(text.contains("12.5") && text.contains("0.5"), text.constData());

    QString question;
    QString finished;
    WhenModalAppears([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      QVERIFY(box != nullptr);
      question = box->text();
      box->button(QMessageBox::Yes)->click();
      AnswerNextMessage(QMessageBox::Ok, &finished);
    });
    window.CommandAction(ku::kCmdRunPairing)->trigger();
    QCOMPARE(question, QStringLiteral("Are the data sorted in the desired order?"));
    QVERIFY2(finished.startsWith(QStringLiteral("Bout Pairing Completed Successfully!\n\n")),
             qPrintable(finished));
    QVERIFY(!window.Progress()->isVisible());
    for (int position = 0; position < 3; ++position) {
      QVERIFY(window.TopMenu(4)->actions().at(position)->isEnabled());
    }
    QCOMPARE(window.StatusPart(0), QStringLiteral("Load/Select/Execute or Process Reports"));
    QVERIFY(QFile::exists(QStringLiteral("Tandrel-PairingResults.txt")));
  }

  void CtrlZTakesBackADeleteAndTheMenuNamesIt() {
    MainWindow& window = OpenRoster();
    QVERIFY(!window.isWindowModified());
    QCOMPARE(window.windowTitle(), QStringLiteral("Kestrio v2.1 - roster.txt[*]"));
    Highlight(window, {0, 1});
    window.CommandAction(ku::kCmdDelete)->trigger();
    QCOMPARE(Column(window, 6).count(QStringLiteral("Deleted")), 2);
    QVERIFY(window.isWindowModified());
    QCOMPARE(window.CommandAction(ku::kCmdUndo)->text(), QStringLiteral("Undo Delete 2 Entries"));
    QTest::keyClick(window.List(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Column(window, 6).count(QStringLiteral("Deleted")), 0);
    QVERIFY(!window.isWindowModified());
    QCOMPARE(window.CommandAction(ku::kCmdUndo)->text(), QStringLiteral("Undo Open 4 Entries"));
    QCOMPARE(window.CommandAction(ku::kCmdRedo)->text(), QStringLiteral("Redo Delete 2 Entries"));
    QTest::keyClick(window.List(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(Column(window, 6).count(QStringLiteral("Deleted")), 2);
  }

  void ClosingAsksAboutUnsavedChangesOnly() {
    MainWindow& window = OpenRoster();
    Highlight(window, {2});
    window.CommandAction(ku::kCmdSelect)->trigger();
    QString asked;
    AnswerNextMessage(QMessageBox::Cancel, &asked);
    QVERIFY(!window.close());
    QCOMPARE(asked, QStringLiteral("Save the changes to roster.txt before closing?"));
    QVERIFY(window.isVisible());
    // Taken back, nothing is left to lose: the window closes without a word.
    window.CommandAction(ku::kCmdUndo)->trigger();
    QVERIFY(!window.isWindowModified());
    QVERIFY(window.close());
  }

  void BoutsTabShowsTheRunAndAScratchThroughTheMenu() {
    MainWindow& window = OpenRoster();
    QTest::keyClick(window.List(), Qt::Key_Y, Qt::ControlModifier | Qt::ShiftModifier);
    ChooseFileNext(QDir::current().filePath(QStringLiteral("bouts-day.tmrx")));
    app_->session().Dispatch(ku::kCmdSaveProjectData);
    WhenModalAppears([](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      QVERIFY(box != nullptr);
      box->button(QMessageBox::Yes)->click();
      AnswerNextMessage(QMessageBox::Ok);
    });
    window.CommandAction(ku::kCmdRunPairing)->trigger();
    QCOMPARE(window.Tabs()->count(), 2);
    QCOMPARE(window.Tabs()->tabText(1), QStringLiteral("Bouts"));
    QAbstractItemModel* bouts = window.Bouts()->Table()->model();
    const int all = bouts->rowCount();
    QVERIFY(all > 0);
    QCOMPARE(all, static_cast<int>(app_->session().bout_board().Bouts.size()));

    // Highlighting a wrestler shows his bouts only.
    Highlight(window, {0});
    const QString name = Cell(window, 0, 0) + QStringLiteral(", ") + Cell(window, 0, 1);
    QVERIFY(bouts->rowCount() < all);
    for (int row = 0; row < bouts->rowCount(); ++row) {
      QVERIFY(bouts->index(row, 3).data().toString() == name ||
              bouts->index(row, 8).data().toString() == name);
    }

    QString said;
    AnswerNextMessage(QMessageBox::Ok, &said);
    window.CommandAction(ku::kCmdScratchWrestler)->trigger();
    QVERIFY2(said.startsWith(QStringLiteral("Scratched ") + name), qPrintable(said));
    QVERIFY(Column(window, 6).contains(QStringLiteral("Scratched")));
    QCOMPARE(window.CommandAction(ku::kCmdUndo)->text(),
             QStringLiteral("Undo Scratch ") + name + QStringLiteral(" (") + Cell(window, 0, 5) +
                 QStringLiteral(")"));
  }

  void ScheduleDialogWritesItsSettingsAndTheSchedule() {
    MainWindow& window = OpenRoster();
    QTest::keyClick(window.List(), Qt::Key_Y, Qt::ControlModifier | Qt::ShiftModifier);
    // A name of its own: the file dialog would ask before replacing another test's file.
    ChooseFileNext(QDir::current().filePath(QStringLiteral("mats-day.tmrx")));
    app_->session().Dispatch(ku::kCmdSaveProjectData);
    QVERIFY(!window.CommandAction(ku::kCmdScheduleMats)->isEnabled());
    WhenModalAppears([](QWidget* modal) {
      qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Yes)->click();
      AnswerNextMessage(QMessageBox::Ok);
    });
    window.CommandAction(ku::kCmdRunPairing)->trigger();
    QVERIFY(window.CommandAction(ku::kCmdScheduleMats)->isEnabled());
    QVERIFY(!window.CommandAction(ku::kCmdViewMatSchedule)->isEnabled());
    QTableView* bouts = window.Bouts()->Table();
    QVERIFY(bouts->isColumnHidden(ku::kMatColumn));
    QVERIFY(bouts->isColumnHidden(ku::kTimeColumn));

    QFile::remove(QStringLiteral("Tandrel_MatSettings.txt"));
    bool rows_follow_mats = false;
    app_->dialogs().on_open = [&rows_follow_mats](QDialog* opened) {
      auto* dialog = static_cast<ScheduleDialog*>(opened);
      WhenModalAppears([dialog, &rows_follow_mats](QWidget*) {
        dialog->MatsEdit()->setText(QStringLiteral("2"));
        rows_follow_mats =
            !dialog->ClassTable()->isRowHidden(1) && dialog->ClassTable()->isRowHidden(2);
        dialog->ClassTable()->item(0, 0)->setText(QStringLiteral("0"));
        dialog->ClassTable()->item(0, 1)->setText(QStringLiteral("60"));
        dialog->PressOk();
      });
    };
    window.CommandAction(ku::kCmdScheduleMats)->trigger();
    QVERIFY(rows_follow_mats);
    QFile settings(QStringLiteral("Tandrel_MatSettings.txt"));
    QVERIFY(settings.open(QIODevice::ReadOnly));
    QCOMPARE(settings.readAll(),
             QByteArray("$mats\r\nMats        = 2\r\nRest        = 3\r\nBoutMinutes = 5\r\n"
                        "StartTime   = 09:00\r\nMat1        = 0-60\r\n$end\r\n"));
    QVERIFY(QFile::exists(QStringLiteral("Tandrel-ScheduleByClub.txt")));
    QVERIFY(app_->viewer().LastShown() != nullptr);
    QCOMPARE(app_->viewer().LastShown()->FileName(), QStringLiteral("Tandrel-MatSchedule.txt"));
    app_->viewer().Window()->close();
    QVERIFY(window.CommandAction(ku::kCmdViewMatSchedule)->isEnabled());
    QVERIFY(window.CommandAction(ku::kCmdPrintMatLists)->isEnabled());

    // The Bouts tab shows each bout's mat and time, right beside its number.
    QVERIFY(!bouts->isColumnHidden(ku::kMatColumn));
    QVERIFY(!bouts->isColumnHidden(ku::kTimeColumn));
    QCOMPARE(bouts->horizontalHeader()->visualIndex(ku::kMatColumn), 1);
    QCOMPARE(bouts->horizontalHeader()->visualIndex(ku::kTimeColumn), 2);
    const QAbstractItemModel* rows = bouts->model();
    QVERIFY(rows->rowCount() > 0);
    for (int row = 0; row < rows->rowCount(); ++row) {
      const QString mat = rows->index(row, ku::kMatColumn).data().toString();
      QVERIFY2(mat == QStringLiteral("1") || mat == QStringLiteral("2"), qPrintable(mat));
      QVERIFY(
          rows->index(row, ku::kTimeColumn).data().toString().startsWith(QStringLiteral("09:")));
    }
    QCOMPARE(rows->headerData(ku::kTimeColumn, Qt::Horizontal).toString(), QStringLiteral("Time"));
  }

  // Club mates wrestle nobody of their club (the default limits). The Bouts tab's menu
  // replaces one side of a bout by the one who stays's club mate, through its dialog;
  // then a bout between two other club mates shows the broken hard limit in the Add Bout
  // dialog and asks.
  void ReplaceWrestlerAndAddBoutThroughTheirDialogs() {
    MainWindow& window = RunOnTheRoster();
    window.Tabs()->setCurrentIndex(1);
    QTableView* table = window.Bouts()->Table();
    table->selectionModel()->select(
        table->model()->index(0, 0),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QCOMPARE(window.Bouts()->HighlightedBouts().size(), std::size_t{1});
    QVERIFY(table->actions().contains(window.CommandAction(ku::kCmdReplaceWrestler)));
    int candidates = -1;
    QString asked;
    app_->dialogs().on_open = [&](QDialog* opened) {
      auto* dialog = qobject_cast<ReplaceWrestlerDialog*>(opened);
      QVERIFY(dialog != nullptr);
      WhenModalAppears([&, dialog](QWidget*) {
        candidates = dialog->CandidateList()->topLevelItemCount();
        if (candidates == 0) return dialog->PressCancel();
        dialog->CandidateList()->setCurrentItem(dialog->CandidateList()->topLevelItem(0));
        QVERIFY(dialog->LimitsTable()->isVisibleTo(dialog));
        AnswerNextMessage(QMessageBox::Yes, &asked);
        dialog->PressReplace();
      });
    };
    window.CommandAction(ku::kCmdReplaceWrestler)->trigger();
    app_->dialogs().on_open = nullptr;
    QVERIFY(candidates > 0);
    QCOMPARE(asked, QStringLiteral("The bout breaks a hard limit. Replace the wrestler anyway?"));
    QVERIFY2(window.CommandAction(ku::kCmdUndo)
                 ->text()
                 .startsWith(QStringLiteral("Undo Replace Wrestler in Bout ")),
             qPrintable(window.CommandAction(ku::kCmdUndo)->text()));

    // The club mates who do not wrestle each other yet.
    const kestrio::board::BoutBoard& board = app_->session().bout_board();
    const auto place = [&board](const char* surname) {
      for (std::size_t w = 0; w < board.Wrestlers.size(); ++w) {
        if (board.Wrestlers[w].Key.LastName.WithoutBlanks() == surname) return static_cast<int>(w);
      }
      return -1;
    };
    const bool hawks_met = kestrio::board::BoutBetween(board, place("Adams"), place("Brown")) != 0;
    const QStringList mates = hawks_met
                                  ? QStringList{QStringLiteral("Cole"), QStringLiteral("Diaz")}
                                  : QStringList{QStringLiteral("Adams"), QStringLiteral("Brown")};
    window.Tabs()->setCurrentIndex(0);
    const QStringList names = Column(window, 0);
    Highlight(window, {static_cast<int>(names.indexOf(mates[0])),
                       static_cast<int>(names.indexOf(mates[1]))});
    int limit_rows = 0;
    QStringList verdicts;
    asked.clear();
    app_->dialogs().on_open = [&](QDialog* opened) {
      auto* dialog = qobject_cast<AddBoutDialog*>(opened);
      QVERIFY(dialog != nullptr);
      WhenModalAppears([&, dialog](QWidget*) {
        limit_rows = dialog->LimitsTable()->rowCount();
        for (int r = 0; r < limit_rows; ++r) verdicts << dialog->LimitsTable()->item(r, 3)->text();
        AnswerNextMessage(QMessageBox::Yes, &asked);
        dialog->PressAdd();
      });
    };
    const std::size_t bouts = board.Bouts.size();
    window.CommandAction(ku::kCmdAddBout)->trigger();
    app_->dialogs().on_open = nullptr;
    QCOMPARE(limit_rows, 8);
    QCOMPARE(verdicts.last(), QStringLiteral("broken (hard limit)"));
    QCOMPARE(asked, QStringLiteral("The bout breaks a hard limit. Add it anyway?"));
    QCOMPARE(app_->session().bout_board().Bouts.size(), bouts + 1);
    QVERIFY(
        window.CommandAction(ku::kCmdUndo)->text().startsWith(QStringLiteral("Undo Add Bout ")));
  }

 private:
  // The roster opened, everyone selected, the project saved and paired under the default
  // limits.
  MainWindow& RunOnTheRoster() {
    QFile control(QString::fromStdString(std::string(kestrio::pairing::kControlFileName)));
    [&] { QVERIFY(control.open(QIODevice::WriteOnly | QIODevice::Truncate)); }();
    control.write(QByteArray::fromStdString(
        kestrio::pairing::FormatPairingControl(kestrio::pairing::PairingControl())));
    control.close();
    MainWindow& window = OpenRoster();
    QTest::keyClick(window.List(), Qt::Key_Y, Qt::ControlModifier | Qt::ShiftModifier);
    ChooseFileNext(QDir::current().filePath(QStringLiteral("bout-dialogs.tmrx")));
    app_->session().Dispatch(ku::kCmdSaveProjectData);
    WhenModalAppears([](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      if (box == nullptr) return;
      box->button(QMessageBox::Yes)->click();
      AnswerNextMessage(QMessageBox::Ok);
    });
    window.CommandAction(ku::kCmdRunPairing)->trigger();
    return window;
  }

  MainWindow& OpenRoster() {
    ChooseFileNext(QDir::current().filePath(QStringLiteral("roster.txt")));
    app_->session().Dispatch(ku::kCmdOpen);
    MainWindow& window = app_->window();
    [&] { QCOMPARE(window.ListModel()->rowCount(), 4); }();
    // The file dialog had the focus: accelerators reach the window once it is active again.
    window.activateWindow();
    [&] { QVERIFY(QTest::qWaitForWindowActive(&window)); }();
    return window;
  }

  QTemporaryDir dir_;
  std::unique_ptr<DesktopApp> app_;
};

QTEST_MAIN(DesktopAppTest)
#include "desktop_app_test.moc"
