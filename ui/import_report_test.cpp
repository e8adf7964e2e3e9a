#include "ui/import_report.h"

#include <gtest/gtest.h>

#include "roster/roster_reader.h"

namespace kestrio::ui {
namespace {

// Any reader can feed the report: the text roster reader with numbers and reasons, and
// a reader that knows only the line (a spreadsheet's row put through the parser) with
// the diagnostic it gave just before.
TEST(ImportReportTest, GathersEveryReadersSkippedLinesWithNumberReasonAndText) {
  ImportReportCollector collector("/home/coach/rosters/hawks.txt");
  roster::Roster target;
  roster::ReadRosterText("Ames\tAl\t70\t10\t1\tHawks\n\nBell\tBo\tseventy\t10\t1\tHawks\n", target,
                         collector, collector);
  roster::DiagnosticSink& sink = collector;
  roster::SkippedLineReporter& reporter = collector;
  sink.Diagnostic(
      "Unable to read Age from string \"1/2/2030\". Action taken --> Data entry "
      "skipped.",
      roster::kParseDiagnosticTitle);
  reporter.SkippedLine(roster::kSkippedLineCaption, "Cole\tCy\t61\t1/2/2030");
  reporter.SkippedLine(roster::kSkippedLineCaption, "no reason given");
  collector.report().added = 1;

  EXPECT_EQ(ImportFileName(collector.report()), "hawks.txt");
  EXPECT_EQ(FormatImportReport(collector.report()),
            "/home/coach/rosters/hawks.txt: 1 wrestler added, 3 lines skipped.\n"
            "\n"
            "Warning: Error during read --> entry skipped: line 3: Unable to read Weight from "
            "string \"seventy\"\n"
            "    Bell\tBo\tseventy\t10\t1\tHawks\n"
            "\n"
            "Warning: Error during read --> entry skipped: Unable to read Age from string "
            "\"1/2/2030\"\n"
            "    Cole\tCy\t61\t1/2/2030\n"
            "\n"
            "Warning: Error during read --> entry skipped\n"
            "    no reason given\n");
}

}  // namespace
}  // namespace kestrio::ui
