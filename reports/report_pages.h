#pragma once

// A text report cut into printed pages: the lines of each page, with the column
// headings of a table repeated at the top of every page the table runs onto.
//
// A column heading is a line followed by a rule of several dash runs ("----  -----"); a
// single run of dashes is a title rule, not a table. A table runs until the next empty
// line. A heading is never left at the foot of a page without a row under it, and a
// page after the first never starts with an empty line.

#include <string_view>
#include <vector>

namespace kestrio::reports {

struct ReportPage {
  // Indices of the report's lines (0-based) in print order.
  std::vector<int> lines;
  // How many of the first lines are headings repeated from an earlier page.
  int repeated = 0;
};

// The report's lines without their line ends (CR LF or LF); a last line without an end
// counts too.
std::vector<std::string_view> ReportLines(std::string_view text);

// lines_per_page is at least 4; fewer is taken as 4.
std::vector<ReportPage> PaginateReport(const std::vector<std::string_view>& lines,
                                       int lines_per_page);

}  // namespace kestrio::reports
