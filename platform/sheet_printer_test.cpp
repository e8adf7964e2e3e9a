// The PDFs as a person and a program read them back: pdfinfo for the page count,
// pdftotext for what is printed and in which order.

#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "platform/report_printing.h"
#include "platform/sheet_printer.h"

using namespace kestrio::platform;
using kestrio::reports::SheetBout;

namespace {

std::vector<SheetBout> Bouts(int n, bool scheduled) {
  std::vector<SheetBout> sheets;
  for (int i = 0; i < n; ++i) {
    SheetBout b;
    b.Number = i % 7 == 6 ? -(i + 1) : i + 1;
    b.Round = 1 + i / 10;
    b.WeightClass = 40 + 5 * (i % 9);
    if (scheduled) {
      b.Mat = i % 3;
      b.Slot = i / 3;
      b.Time = QStringLiteral("09:%1").arg(i / 3 * 5 % 60, 2, 10, QLatin1Char('0')).toStdString();
    }
    b.Wrestler[0] = {"Redname" + std::to_string(i), "Ann", "Eagles", 41.5f};
    b.Wrestler[1] = {"Greenname" + std::to_string(i), "Bo", "Hawks", 43.0f};
    sheets.push_back(b);
  }
  return sheets;
}

QString Run(const QString& program, const QStringList& args) {
  QProcess process;
  process.start(program, args);
  if (!process.waitForFinished(60000)) return {};
  return QString::fromUtf8(process.readAllStandardOutput());
}

int Pages(const QString& pdf) {
  for (const QString& line : Run(QStringLiteral("pdfinfo"), {pdf}).split(QLatin1Char('\n')))
    if (line.startsWith(QStringLiteral("Pages:"))) return line.mid(6).trimmed().toInt();
  return -1;
}

QString TextOf(const QString& pdf) {
  return Run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
}

}  // namespace

class SheetPrinterTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
      QSKIP("pdftotext (poppler-utils) is not installed: run scripts/install-deps");
    QVERIFY(dir_.isValid());
  }

  void BoutSheetsTwoAndFourToAPage() {
    const std::vector<SheetBout> sheets = Bouts(7, true);
    QtPrintPort printer;
    const QString two = dir_.filePath(QStringLiteral("two.pdf"));
    QVERIFY(printer.WriteBoutSheetsPdf(sheets, two.toStdString()).ok());
    QCOMPARE(Pages(two), 4);
    printer.SetSheetsPerPage(4);
    const QString four = dir_.filePath(QStringLiteral("four.pdf"));
    QVERIFY(printer.WriteBoutSheetsPdf(sheets, four.toStdString()).ok());
    QCOMPARE(Pages(four), 2);

    // Every bout's number, then its red and its green wrestler, in the order given.
    const QString text = TextOf(two);
    qsizetype at = 0;
    for (const SheetBout& b : sheets) {
      for (const QString& word :
           {QStringLiteral("Mat %1").arg(b.Mat + 1), QString::number(b.Number),
            QStringLiteral("Redname%1, Ann").arg(&b - sheets.data()),
            QStringLiteral("Greenname%1, Bo").arg(&b - sheets.data())}) {
        const qsizetype found = text.indexOf(word, at);
        QVERIFY2(found >= 0, qPrintable(word + QStringLiteral(" after ") + QString::number(at)));
        at = found + word.size();
      }
    }
    for (const char* word :
         {"Period 1", "Period 3", "Fall", "Decision", "Major", "Tech fall", "Referee"})
      QVERIFY2(text.contains(QLatin1String(word)), word);
  }

  void UnscheduledSheetsLeaveMatAndTimeToFillIn() {
    QtPrintPort printer;
    const QString pdf = dir_.filePath(QStringLiteral("plain.pdf"));
    QVERIFY(printer.WriteBoutSheetsPdf(Bouts(1, false), pdf.toStdString()).ok());
    QCOMPARE(Pages(pdf), 1);
    QVERIFY(TextOf(pdf).contains(QStringLiteral("Mat ____")));
  }

  void MatListsOnePagePerMatContinuedWhenLong() {
    QtPrintPort printer;
    const QString pdf = dir_.filePath(QStringLiteral("mats.pdf"));
    QVERIFY(printer.WriteMatListsPdf(Bouts(60, true), 3, pdf.toStdString()).ok());
    QCOMPARE(Pages(pdf), 6);  // 20 bouts a mat: two pages each on Letter or A4
    const QString text = TextOf(pdf);
    QVERIFY(text.indexOf(QStringLiteral("Mat 1")) <
            text.indexOf(QStringLiteral("Mat 1 (continued)")));
    QVERIFY(text.indexOf(QStringLiteral("Mat 1 (continued)")) <
            text.indexOf(QStringLiteral("Mat 2")));
    QVERIFY(text.contains(QStringLiteral("Redname0, Ann")));
  }

  void ReportsCarryTheirHeaderAndHeadingsOnEveryPage() {
    std::string report = "  Title\r\n\r\n  Slot  Time   Bout\r\n  ---- -----  -----\r\n";
    for (int i = 1; i <= 120; ++i)
      report += "  " + std::to_string(i) + " 09:00  " + std::to_string(i) + "\r\n";
    const QString pdf = dir_.filePath(QStringLiteral("report.pdf"));
    {
      QPdfWriter writer(pdf);
      writer.setPageSize(QPageSize(QPageSize::A4));
      QPainter painter(&writer);
      PaintReport(painter, writer, QStringLiteral("Tandrel-MatSchedule.txt"), report);
    }
    const int pages = Pages(pdf);
    QVERIFY(pages >= 2);
    const QString text = TextOf(pdf);
    QCOMPARE(text.count(QStringLiteral("Tandrel-MatSchedule.txt")), pages);
    // pdftotext gives each run of blanks between words as one.
    QCOMPARE(text.count(QRegularExpression(QStringLiteral("Slot\\s+Time"))), pages);
    QVERIFY(text.contains(QStringLiteral("page 1 of %1").arg(pages)));
    QVERIFY(text.contains(QStringLiteral("page %1 of %1").arg(pages)));
  }

  void AFolderThatCannotBeWrittenIsNamed() {
    QtPrintPort printer;
    const kestrio::Status s = printer.WriteBoutSheetsPdf(Bouts(1, true), "/nonexistent/x.pdf");
    QVERIFY(!s.ok());
    QVERIFY(QString::fromStdString(s.message()).startsWith(QStringLiteral("/nonexistent/x.pdf: ")));
  }

 private:
  QTemporaryDir dir_;
};

QTEST_MAIN(SheetPrinterTest)
#include "sheet_printer_test.moc"
