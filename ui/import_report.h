#pragma once

// The import report: what an opened file added, and every line of it that was skipped,
// with its number, the reason and the text, shown once per file instead of one box per
// line.

#include <string>
#include <string_view>
#include <vector>

#include "roster/line_parser.h"
#include "roster/roster_reader.h"

namespace kestrio::ui {

struct ImportReport {
  std::string path;  // the file as it was opened
  int added = 0;     // entries appended to the roster
  struct Line {
    int number = 0;      // from 1; 0 when the reader did not say
    std::string reason;  // which field could not be read; may be empty
    std::string text;    // the line as read
  };
  std::vector<Line> skipped;
};

// Gathers the skipped lines of one file from any reader (text rosters, data files,
// spreadsheets): give it to the reader both as the reporter and as the diagnostic sink.
// A reader that reports only the line text gets the last diagnostic as its reason.
class ImportReportCollector : public roster::SkippedLineReporter, public roster::DiagnosticSink {
 public:
  explicit ImportReportCollector(std::string path) { report_.path = std::move(path); }

  void Skipped(const roster::BadLine& line) override;
  void SkippedLine(std::string_view caption, std::string_view line) override;
  void Diagnostic(std::string_view text, std::string_view title) override;

  ImportReport& report() { return report_; }

 private:
  ImportReport report_;
  std::string last_diagnostic_;
};

// The file's name without its folder.
std::string ImportFileName(const ImportReport& report);

// The report as the organiser reads it: a line naming the file with what it added and
// skipped, then per skipped line the warning ("Warning: Error during read --> entry
// skipped"), its number and reason, and the line itself indented on the next line.
// Lines end with '\n'.
std::string FormatImportReport(const ImportReport& report);

}  // namespace kestrio::ui
