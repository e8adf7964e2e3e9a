#include "roster/roster_writer.h"

#include <algorithm>

namespace kestrio::roster {
namespace {

template <std::size_t N>
void AppendField(std::string& out, const FixedText<N>& field) {
  out.append(field.WithoutBlanks());
  out.push_back('\t');
}

// A name or club that is blank is written as one blank between its TABs: a run of TABs
// counts as one separator, so an empty field would shift the fields after it left on
// reading, and the wrestler would be skipped or lose the status.
template <std::size_t N>
void AppendTextField(std::string& out, const FixedText<N>& field) {
  if (field.IsBlank()) out.push_back(' ');
  AppendField(out, field);
}

// A line whose first non-blank character is "#" reads back as a comment, and a byte-order
// mark at the start of the file is dropped by the reader. A leading TAB, which the reader
// turns into a blank and drops, keeps a surname such as "#7 Fox" an entry and the mark
// part of the name.
bool NeedsLeadingTab(std::string_view last_name) {
  return last_name.starts_with('#') || last_name.starts_with("\xEF\xBB\xBF");
}

}  // namespace

std::string RosterFileText(const Roster& roster, const EntryFilter& filter) {
  std::string out;
  out.reserve(roster.DisplayOrder.size() * 64);
  const std::size_t n = std::min(roster.Entries.size(), roster.DisplayOrder.size());
  for (std::size_t k = 0; k < n; ++k) {
    const Participant& p = roster.Displayed(k);
    if (filter && !filter(p)) continue;
    if (NeedsLeadingTab(p.LastName.WithoutBlanks())) out.push_back('\t');
    AppendTextField(out, p.LastName);
    AppendTextField(out, p.FirstName);
    AppendField(out, p.Weight);
    AppendField(out, p.Age);
    AppendField(out, p.Rating);
    AppendTextField(out, p.Club);
    // A blank status needs no blank of its own: the line's final TAB ends the club.
    AppendField(out, p.Status);
    out.append("\r\n");
  }
  return out;
}

Status SaveRosterFile(FileSystem& fs, const std::string& path, const Roster& roster,
                      const EntryFilter& filter) {
  if (roster.Entries.empty()) return Status::Ok();
  // Written whole and renamed into place, so a full disk or a read-only folder never
  // leaves the organiser with half a roster where the old file was. A link is saved
  // through, into the file it points to, as editors do.
  return fs.WriteFileAtomic(path, RosterFileText(roster, filter), Links::kFollow);
}

}  // namespace kestrio::roster
