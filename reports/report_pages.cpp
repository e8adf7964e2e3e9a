#include "reports/report_pages.h"

#include <algorithm>

namespace kestrio::reports {
namespace {

// A rule of several dash runs, only dashes, blanks and commas: what stands under column
// headings.
bool IsColumnRule(std::string_view line) {
  if (line.find_first_not_of("- ,") != std::string_view::npos) return false;
  int runs = 0;
  for (std::size_t i = 0; i < line.size(); ++i)
    if (line[i] == '-' && (i == 0 || line[i - 1] != '-')) ++runs;
  return runs >= 2;
}

bool IsBlank(std::string_view line) {
  return line.find_first_not_of(' ') == std::string_view::npos;
}

}  // namespace

std::vector<std::string_view> ReportLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

std::vector<ReportPage> PaginateReport(const std::vector<std::string_view>& lines,
                                       int lines_per_page) {
  const std::size_t per_page = static_cast<std::size_t>(std::max(lines_per_page, 4));
  const int count = static_cast<int>(lines.size());
  std::vector<ReportPage> pages(1);
  int heading = -1;  // the table's heading line while a table runs
  for (int i = 0; i < count; ++i) {
    const bool starts_table = i + 1 < count && !IsColumnRule(lines[static_cast<std::size_t>(i)]) &&
                              IsColumnRule(lines[static_cast<std::size_t>(i) + 1]);
    if (IsBlank(lines[static_cast<std::size_t>(i)])) heading = -1;
    const std::size_t needed = starts_table ? 3 : 1;
    if (pages.back().lines.size() + needed > per_page && !pages.back().lines.empty()) {
      pages.emplace_back();
      if (heading >= 0 && !starts_table) {
        pages.back().lines = {heading, heading + 1};
        pages.back().repeated = 2;
      }
    }
    if (starts_table) heading = i;
    // A page never starts with an empty line.
    if (pages.size() > 1 && pages.back().lines.empty() &&
        IsBlank(lines[static_cast<std::size_t>(i)]))
      continue;
    pages.back().lines.push_back(i);
  }
  return pages;
}

}  // namespace kestrio::reports
