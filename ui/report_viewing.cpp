#include "ui/report_viewing.h"

#include <set>

#include "reports/report_files.h"

namespace kestrio::ui {

std::string ViewerCommandLine(std::string_view file_name) {
  std::string line(kViewerProgram);
  line += file_name;
  return line;
}

std::vector<std::string> ByClubCommandLines(const roster::Roster& roster) {
  std::vector<std::string> lines = {ViewerCommandLine(reports::kBoutsByClubName)};
  // Ascending unsigned byte order of the blank-padded field; only clubs that come after
  // the blank club are taken, as the historical "next greater club" passes did.
  const auto less = [](std::string_view a, std::string_view b) {
    return text::ComparePadded(a, b) < 0;
  };
  std::set<std::string_view, decltype(less)> clubs(less);
  const std::string blank(15, ' ');
  for (const roster::Participant& entry : roster.Entries) {
    if (roster::IsSelected(entry) && text::ComparePadded(entry.Club.view(), blank) > 0) {
      clubs.insert(entry.Club.view());
    }
  }
  for (std::string_view club : clubs) {
    lines.push_back(ViewerCommandLine(reports::ClubFileName(club)));
  }
  return lines;
}

}  // namespace kestrio::ui
