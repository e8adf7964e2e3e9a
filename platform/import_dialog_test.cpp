// Spreadsheets in the desktop program, driven as an organiser drives them: File > Open
// of a CSV file from a registration form, a column the guess missed mapped by hand, the
// event date set, the preview checked, OK, the unreadable row in the import report; the
// same headers again offering that mapping; and the roster and the bouts exported.

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "platform/desktop_app.h"
#include "platform/desktop_dialogs.h"
#include "platform/import_dialog.h"
#include "platform/import_report_dialog.h"
#include "platform/main_window.h"
#include "platform/modal_driver.h"
#include "platform/roster_table_model.h"
#include "sheets/spreadsheet.h"
#include "ui/command_ids.h"
#include "ui/session.h"

using namespace kestrio::platform;
namespace ks = kestrio::sheets;
namespace ku = kestrio::ui;

namespace {

// "Wrestler" names no roster field: the organiser maps it to Last Name.
constexpr char kRegistration[] =
    "Wrestler,Given Name,DOB,Weight (lbs),Club,Coach\r\n"
    "Smith,John,2014-06-01,84.5,Eagles,\"Ray, Sr.\"\r\n"
    "Jones,Bob,2013-09-15,86,Hawks,Kim\r\n"
    "Green,Tim,2015-11-30,58.9,Hawks,Kim\r\n"
    "Brown,Al,2014-02-30,61,Eagles,Kim\r\n";

constexpr char kRoster[] =
    "Adams\tAl\t72\t10\t3\tTigers\tSelected\r\n"
    "Baker\tBo\t75\t11\t2\tTigers\tSelected\r\n"
    "Cole\tCy\t70\t10.5\t3\tLions\tSelected\r\n"
    "Dunn\tDi\t71\t10\t2.5\tLions\tSelected\r\n";

QString Cell(const QTableWidget* table, int row, int column) {
  const QTableWidgetItem* item = table->item(row, column);
  return item == nullptr ? QString() : item->text();
}

void Write(const QString& name, const char* bytes) {
  QFile file(name);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

QByteArray Read(const QString& name) {
  QFile file(name);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// In the next file dialog, picks the filter numbered filter and types name (no folder,
// maybe no extension), as an organiser does.
void ChooseFilterAndNameNext(int filter, const QString& name) {
  WhenModalAppears([filter, name](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    if (dialog == nullptr) return;
    // As a click in the file type list: the dialog hears of it only from the list.
    if (auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))) {
      types->setCurrentIndex(filter);
      emit types->activated(filter);
      emit types->textActivated(types->itemText(filter));
    }
    const auto choose = [dialog, name] {
      if (!dialog->isVisible()) return;
      if (auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
        edit->setText(name);
      }
      QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
    };
    auto* retry = new QTimer(dialog);
    QObject::connect(retry, &QTimer::timeout, dialog, choose);
    retry->start(100);
    choose();
  });
}

}  // namespace

class ImportDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    QVERIFY(QDir::setCurrent(dir_.path()));
    Write(QStringLiteral("registration.csv"), kRegistration);
    Write(QStringLiteral("four.txt"), kRoster);
  }

  void init() {
    // The remembered mappings go to this test's own settings, not the organiser's.
    app_ = std::make_unique<DesktopApp>(dir_.filePath(QStringLiteral("settings.ini")));
    app_->window().resize(1000, 600);
    app_->window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&app_->window()));
  }

  void cleanup() { app_.reset(); }

  void MapsAColumnByHandPreviewsAndLoads() {
    QString summary_before, summary_after, age, problem, question, report;
    int preview_rows = -1;
    OnImportDialog(
        [&](ImportDialog* dialog) {
          summary_before = dialog->SummaryLabel()->text();
          QComboBox* last = dialog->ColumnCombo(ks::RosterField::LastName);
          last->setCurrentIndex(last->findText(QStringLiteral("A: Wrestler")));
          dialog->EventDateEdit()->setDate(QDate(2024, 3, 1));
          summary_after = dialog->SummaryLabel()->text();
          preview_rows = dialog->Preview()->rowCount();
          age = Cell(dialog->Preview(), 0, 4);
          problem = Cell(dialog->Preview(), 3, 1);
          AnswerNextMessage(QMessageBox::Yes, &question);  // load the rows that can be read
          dialog->PressOk();
        },
        &report);
    QCOMPARE(summary_before, QStringLiteral("Choose a column for Last Name."));
    QCOMPARE(summary_after, QStringLiteral("3 of 4 rows will load; 1 will be skipped."));
    QCOMPARE(preview_rows, 4);
    QCOMPARE(age, QStringLiteral("9.74"));  // born 1 June 2014, on 1 March 2024: cut, not rounded
    QVERIFY2(problem.contains(QStringLiteral("2014-02-30")), qPrintable(problem));
    QVERIFY2(question.startsWith(QStringLiteral("1 of the 4 rows cannot be read")),
             qPrintable(question));
    // The unreadable row is reported as a text roster's bad line is, by its row number.
    QVERIFY2(report.contains(QStringLiteral("line 5: Unable to read Date of Birth")),
             qPrintable(report));

    const QAbstractItemModel* list = app_->window().ListModel();
    QCOMPARE(list->rowCount(), 3);
    QStringList names;
    for (int row = 0; row < 3; ++row) names << list->index(row, 0).data().toString();
    QCOMPARE(names, QStringList({"Green", "Smith", "Jones"}));  // by weight
    QCOMPARE(list->index(1, 5).data().toString(), QStringLiteral("Eagles"));
  }

  // Runs after the test above in the same settings: the organiser's mapping comes back.
  void TheSameHeadersOfferTheMappingChosenBefore() {
    QString last;
    OnImportDialog([&](ImportDialog* dialog) {
      last = dialog->ColumnCombo(ks::RosterField::LastName)->currentText();
      dialog->PressCancel();
    });
    QCOMPARE(last, QStringLiteral("A: Wrestler"));
    QCOMPARE(app_->window().ListModel()->rowCount(), 0);
  }

  // Export Roster as CSV by the filter chosen (a name typed without an extension takes
  // the filter's), then after a run Export Bouts as a workbook that reads back.
  void ExportsWriteTheTypeChosen() {
    MainWindow& window = app_->window();
    app_->OpenFiles({QStringLiteral("four.txt")});
    QVERIFY(window.CommandAction(ku::kCmdExportRoster)->isEnabled());
    QVERIFY(!window.CommandAction(ku::kCmdExportBouts)->isEnabled());
    ChooseFilterAndNameNext(1, QStringLiteral("roster"));
    window.CommandAction(ku::kCmdExportRoster)->trigger();
    const QByteArray csv = Read(QStringLiteral("roster.csv"));
    QVERIFY2(csv.startsWith("\xEF\xBB\xBFLast Name,First Name,Weight,Age,Rating,Club,Status,"),
             csv.constData());
    QVERIFY2(csv.contains("\r\nCole,Cy,70.00,10.50,3.00,Lions,Selected,"), csv.constData());

    ChooseFileNext(QDir::current().filePath(QStringLiteral("day.tmrx")));
    app_->session().Dispatch(ku::kCmdSaveProjectData);
    app_->dialogs().on_open = [](QDialog* opened) {
      WhenModalAppears([opened](QWidget*) { opened->accept(); });  // the limits as they are
    };
    WhenModalAppears([](QWidget* modal) {
      if (auto* box = qobject_cast<QMessageBox*>(modal)) box->button(QMessageBox::Yes)->click();
      AnswerNextMessage(QMessageBox::Ok);
    });
    window.CommandAction(ku::kCmdRunPairing)->trigger();
    app_->dialogs().on_open = nullptr;
    QVERIFY(window.CommandAction(ku::kCmdExportBouts)->isEnabled());
    ChooseFilterAndNameNext(0, QStringLiteral("bouts"));
    window.CommandAction(ku::kCmdExportBouts)->trigger();
    const QByteArray xlsx = Read(QStringLiteral("bouts.xlsx"));
    const ks::SheetData bouts = ks::ReadSpreadsheet(
        std::string_view(xlsx.constData(), static_cast<std::size_t>(xlsx.size())),
        ks::SheetFormat::Xlsx);
    QVERIFY2(bouts.status.ok(), bouts.status.message().c_str());
    QVERIFY(bouts.rows.size() >= 2);
    QCOMPARE(QString::fromStdString(bouts.rows[0][0].text), QStringLiteral("Bout"));
    QCOMPARE(bouts.rows[1][0].kind, ks::CellKind::Number);
  }

 private:
  // Opens the registration file and hands the import dialog to act once it shows; the
  // text of an import report that follows goes to *report.
  void OnImportDialog(std::function<void(ImportDialog*)> act, QString* report = nullptr) {
    bool shown = false;
    app_->dialogs().on_open = [&shown, act, report](QDialog* opened) {
      if (auto* skipped = qobject_cast<ImportReportDialog*>(opened)) {
        WhenModalAppears([skipped, report](QWidget*) {
          if (report != nullptr) *report = skipped->Text()->toPlainText();
          skipped->reject();
        });
        return;
      }
      auto* dialog = qobject_cast<ImportDialog*>(opened);
      if (dialog == nullptr) return;
      shown = true;
      WhenModalAppears([dialog, act](QWidget*) { act(dialog); });
    };
    ChooseFileNext(QDir::current().filePath(QStringLiteral("registration.csv")));
    app_->session().Dispatch(ku::kCmdOpen);
    app_->dialogs().on_open = nullptr;
    QVERIFY(shown);
  }

  QTemporaryDir dir_;
  std::unique_ptr<DesktopApp> app_;
};

QTEST_MAIN(ImportDialogTest)
#include "import_dialog_test.moc"
