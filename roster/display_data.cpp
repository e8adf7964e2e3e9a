#include "roster/display_data.h"

#include <algorithm>

#include "base/fixed_text.h"

namespace kestrio::roster {
namespace {

constexpr std::string_view kHeader1 =
    "  WCl LastName       FirstName      Weight   Age Rating Club     Status    ";
constexpr std::string_view kHeader2 =
    " ---- -------------- -------------- ------ ----- ------ -------- ----------";

// The field without blanks, cut to width, then blank-padded on the right.
std::string Left(std::string_view field, std::size_t width) {
  return text::PadRight(text::WithoutBlanks(field).substr(0, width), width);
}

// The field without blanks, cut to width, then right-aligned.
std::string Right(std::string_view field, std::size_t width) {
  return text::PadLeft(text::WithoutBlanks(field).substr(0, width), width);
}

std::string DataLine(const Participant& p) {
  std::string line = " ";
  line.append(Right(p.WeightClass.view(), 4)).push_back(' ');
  line.append(Left(p.LastName.view(), 14)).push_back(' ');
  line.append(Left(p.FirstName.view(), 14)).push_back(' ');
  line.append(Right(p.Weight.view(), 6)).push_back(' ');
  line.append(Right(p.Age.view(), 5)).push_back(' ');
  line.append(Right(p.Rating.view(), 6)).push_back(' ');
  line.append(Left(p.Club.view(), 8)).push_back(' ');
  line.append(Left(p.Status.view(), 10));
  return std::string(text::TrimTrailing(line));
}

}  // namespace

std::string DisplayDataText(const Roster& roster, const EntryFilter& filter) {
  std::string out;
  out.append(kHeader1).append("\r\n");
  out.append(kHeader2).append("\r\n");
  const std::size_t n = std::min(roster.Entries.size(), roster.DisplayOrder.size());
  for (std::size_t k = 0; k < n; ++k) {
    const Participant& p = roster.Displayed(k);
    if (filter && !filter(p)) continue;
    out.append(DataLine(p)).append("\r\n");
  }
  return out;
}

Status ExportDisplayData(FileSystem& fs, const Roster& roster, const EntryFilter& filter,
                         const std::string& path, Links links) {
  return fs.WriteFileAtomic(path, DisplayDataText(roster, filter), links);
}

}  // namespace kestrio::roster
