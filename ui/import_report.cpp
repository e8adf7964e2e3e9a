#include "ui/import_report.h"

#include <filesystem>

namespace kestrio::ui {

void ImportReportCollector::Skipped(const roster::BadLine& line) {
  report_.skipped.push_back(
      {line.number, std::string(roster::ShortReason(line.reason)), std::string(line.text)});
  last_diagnostic_.clear();
}

void ImportReportCollector::SkippedLine(std::string_view, std::string_view line) {
  report_.skipped.push_back(
      {0, std::string(roster::ShortReason(last_diagnostic_)), std::string(line)});
  last_diagnostic_.clear();
}

void ImportReportCollector::Diagnostic(std::string_view text, std::string_view) {
  last_diagnostic_.assign(text);
}

std::string ImportFileName(const ImportReport& report) {
  return std::filesystem::path(report.path).filename().string();
}

namespace {

std::string Count(std::size_t n, std::string_view one, std::string_view many) {
  return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

}  // namespace

std::string FormatImportReport(const ImportReport& report) {
  std::string out = report.path + ": " +
                    Count(static_cast<std::size_t>(report.added), "wrestler", "wrestlers") +
                    " added, " + Count(report.skipped.size(), "line", "lines") + " skipped.\n";
  for (const ImportReport::Line& line : report.skipped) {
    out += '\n';
    out += roster::kSkippedLineCaption;
    if (line.number > 0) out += ": line " + std::to_string(line.number);
    if (!line.reason.empty()) out += ": " + line.reason;
    out += "\n    ";
    out += line.text;
    out += '\n';
  }
  return out;
}

}  // namespace kestrio::ui
