// The desktop window end to end at a large roster: File > Open, a header click, a club
// chosen in the tree, Mark All Selected, Toggle of 100 highlighted rows, Delete of 1,000,
// Tag Duplicates, a refresh of every view and the pairing run with its progress bar,
// each timed once as an organiser meets it, in that order (each step works on the
// roster the steps before it left, so none is repeated). Prints a line per step. Runs
// offscreen:
//
//   QT_QPA_PLATFORM=offscreen KESTRIO_WINDOW_WRESTLERS=50000 bench/window_bench
//
// The run's time includes answering its two message boxes, which are looked for every
// 10 ms.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMessageBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <ctime>
#include <memory>
#include <string>

#include "bench/roster_generator.h"
#include "platform/desktop_app.h"
#include "platform/main_window.h"
#include "platform/modal_driver.h"
#include "platform/roster_table_model.h"
#include "ui/command_ids.h"
#include "ui/session.h"

using namespace kestrio::platform;
namespace ku = kestrio::ui;

namespace {

// The CPU time this process has used so far, all its threads together, in milliseconds.
double CpuMs() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Runs step once and prints how long it took, the window's repaint included: wall time,
// and CPU time, which the other work on a shared machine disturbs less. Never inlined, so
// that a profiler can tell the steps apart (valgrind --tool=callgrind
// --toggle-collect='*TimeOnce*' --dump-after='*TimeOnce*' gives one profile per step).
template <typename Step>
[[gnu::noinline]] void TimeOnce(const char* name, int wrestlers, Step step) {
  // What the steps before left to paint is painted first; what this one changed is
  // painted before the clock stops, as the organiser waits for it to show.
  QCoreApplication::processEvents();
  QElapsedTimer timer;
  const double cpu = CpuMs();
  timer.start();
  step();
  QCoreApplication::processEvents();
  qInfo("%-16s %6d wrestlers %8.1f ms %8.1f ms CPU", name, wrestlers,
        static_cast<double>(timer.nsecsElapsed()) / 1e6, CpuMs() - cpu);
}

}  // namespace

class WindowBench : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    wrestlers_ = qEnvironmentVariableIntValue("KESTRIO_WINDOW_WRESTLERS");
    if (wrestlers_ <= 0) wrestlers_ = 10000;
    QVERIFY(dir_.isValid());
    QVERIFY(QDir::setCurrent(dir_.path()));
    kestrio::bench::RosterGeneratorOptions options;
    options.wrestlers = wrestlers_;
    options.clubs = 40;
    options.kind = kestrio::bench::RosterKind::kSpreadNames;
    const std::string text = kestrio::bench::GenerateRosterText(options);
    QFile roster(QStringLiteral("roster.txt"));
    QVERIFY(roster.open(QIODevice::WriteOnly));
    roster.write(text.data(), static_cast<qint64>(text.size()));
    roster.close();
    app_ = std::make_unique<DesktopApp>(dir_.filePath(QStringLiteral("settings.ini")));
    window().resize(1200, 800);
    window().show();
    window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window()));
    qInfo("%d wrestlers", wrestlers_);
  }

  void cleanupTestCase() { app_.reset(); }

  void Open() {
    const QString path = QDir::current().filePath(QStringLiteral("roster.txt"));
    TimeOnce(__func__, wrestlers_, [&] { app_->OpenFiles({path}); });
    QCOMPARE(window().ListModel()->rowCount(), wrestlers_);
  }

  void HeaderClick() {
    QHeaderView* header = window().List()->horizontalHeader();
    const QPoint last_name(header->sectionViewportPosition(0) + 10, header->height() / 2);
    TimeOnce(__func__, wrestlers_,
             [&] { QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, last_name); });
    QCOMPARE(header->sortIndicatorSection(), 0);
  }

  void TreeSelection() {
    QTreeWidgetItem* root = window().Tree()->topLevelItem(0);
    QTreeWidgetItem* by_club = root->child(0);
    QVERIFY(by_club->childCount() > 0);
    TimeOnce(__func__, wrestlers_, [&] { window().Tree()->setCurrentItem(by_club->child(0)); });
    QVERIFY(window().ListModel()->rowCount() < wrestlers_);
    window().Tree()->setCurrentItem(root);
  }

  void MarkAllSelected() {
    TimeOnce(__func__, wrestlers_,
             [&] { window().CommandAction(ku::kCmdMarkAllSelected)->trigger(); });
  }

  void Toggle100() {
    Highlight(0, 100);
    TimeOnce(__func__, wrestlers_, [&] { window().CommandAction(ku::kCmdToggle)->trigger(); });
  }

  void Delete1000() {
    Highlight(100, 1000);
    TimeOnce(__func__, wrestlers_, [&] { window().CommandAction(ku::kCmdDelete)->trigger(); });
  }

  void TagDuplicates() {
    TimeOnce(__func__, wrestlers_,
             [&] { window().CommandAction(ku::kCmdTagDuplicates)->trigger(); });
  }

  void Refresh() {
    TimeOnce(__func__, wrestlers_, [&] { app_->session().RefreshViews(); });
  }

  void RunPairing() {
    window().CommandAction(ku::kCmdMarkAllSelected)->trigger();
    ChooseFileNext(QDir::current().filePath(QStringLiteral("day.tmrx")));
    app_->session().Dispatch(ku::kCmdSaveProjectData);
    QVERIFY(window().CommandAction(ku::kCmdRunPairing)->isEnabled());
    // Yes to "Are the data sorted in the desired order?", then Ok to the last message.
    QString finished;
    QTimer answer;
    answer.setInterval(10);
    connect(&answer, &QTimer::timeout, [&finished] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr || !box->isVisible()) return;
      QAbstractButton* yes = box->button(QMessageBox::Yes);
      finished = box->text();
      (yes != nullptr ? yes : box->button(QMessageBox::Ok))->click();
    });
    answer.start();
    TimeOnce(__func__, wrestlers_, [&] { window().CommandAction(ku::kCmdRunPairing)->trigger(); });
    QVERIFY2(finished.startsWith(QStringLiteral("Bout Pairing Completed Successfully!")),
             qPrintable(finished));
  }

 private:
  MainWindow& window() { return app_->window(); }

  // Highlights count rows from first on, as a shift-click would.
  void Highlight(int first, int count) {
    QAbstractItemModel* model = window().ListModel();
    const int last = std::min(first + count, model->rowCount()) - 1;
    window().List()->clearSelection();
    window().List()->selectionModel()->select(
        QItemSelection(model->index(first, 0), model->index(last, model->columnCount() - 1)),
        QItemSelectionModel::Select | QItemSelectionModel::Rows);
  }

  QTemporaryDir dir_;
  std::unique_ptr<DesktopApp> app_;
  int wrestlers_ = 0;
};

QTEST_MAIN(WindowBench)
#include "window_bench.moc"
