#include "roster/roster_writer.h"

#include <algorithm>

namespace kestrio::roster {
namespace {

template <std::size_t N>
void AppendField(std::string& out, const FixedText<N>& field) {
  out.append(field.WithoutBlanks());
  out.push_back('\t');
}

}  // namespace

std::string RosterFileText(const Roster& roster, const EntryFilter& filter) {
  std::string out;
  out.reserve(roster.DisplayOrder.size() * 64);
  const std::size_t n = std::min(roster.Entries.size(), roster.DisplayOrder.size());
  for (std::size_t k = 0; k < n; ++k) {
    const Participant& p = roster.Displayed(k);
    if (filter && !filter(p)) continue;
    // A line whose first non-blank character is "#" reads back as a comment. A leading
    // TAB, which the reader turns into a blank and drops, keeps a surname such as "#7 Fox"
    // an entry.
    if (p.LastName.WithoutBlanks().starts_with('#')) out.push_back('\t');
    AppendField(out, p.LastName);
    AppendField(out, p.FirstName);
    AppendField(out, p.Weight);
    AppendField(out, p.Age);
    AppendField(out, p.Rating);
    AppendField(out, p.Club);
    AppendField(out, p.Status);
    out.append("\r\n");
  }
  return out;
}

Status SaveRosterFile(FileSystem& fs, const std::string& path, const Roster& roster,
                      const EntryFilter& filter) {
  if (roster.Entries.empty()) return Status::Ok();
  // Written whole and renamed into place, so a full disk or a read-only folder never
  // leaves the organiser with half a roster where the old file was.
  return fs.WriteFileAtomic(std::string(text::WithoutBlanks(path)), RosterFileText(roster, filter));
}

}  // namespace kestrio::roster
