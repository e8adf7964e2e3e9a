#pragma once

// Properties of the roster line parser, the file reader and the data-file writer, for
// any text an organiser's spreadsheet might produce.
//
//   - A line the parser accepts leaves numbers in Weight, Age and Rating that read back
//     as numbers (every run and every report reads them again), and whole numbers in
//     AgeYears and WeightClass.
//   - The reader keeps exactly the lines the parser accepts on their own, in file order,
//     and reports every other line that is not blank or a "#" comment, once.
//   - Save, reopen, save: a roster saved to a data file loads back to the same entries in
//     the same order, whatever their fields and statuses, and saves to the same bytes.
//   - Loading never leaves a broken display order.

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "base/number_text.h"
#include "fuzz/property_check.h"
#include "roster/line_parser.h"
#include "roster/roster.h"
#include "roster/roster_reader.h"
#include "roster/roster_writer.h"
#include "roster/sort_display_order.h"
#include "tests/fake_file_system.h"

namespace kestrio::fuzz {

namespace roster_detail {

class CountingReporter : public roster::SkippedLineReporter {
 public:
  void SkippedLine(std::string_view, std::string_view) override { ++count; }
  int count = 0;
};

// The stored texts and the fields derived from them, as shown to the organiser.
inline bool SameFields(const roster::Participant& a, const roster::Participant& b) {
  return a.LastName == b.LastName && a.FirstName == b.FirstName && a.Weight == b.Weight &&
         a.Age == b.Age && a.Rating == b.Rating && a.Club == b.Club && a.Status == b.Status;
}

// The same entry as the organiser sees it after a save: every text without its leading
// and trailing blanks (a leading control character is stored as a blank, and a data
// file keeps texts without blanks around them).
inline bool SameAfterSave(const roster::Participant& a, const roster::Participant& b) {
  return a.LastName.WithoutBlanks() == b.LastName.WithoutBlanks() &&
         a.FirstName.WithoutBlanks() == b.FirstName.WithoutBlanks() && a.Weight == b.Weight &&
         a.Age == b.Age && a.Rating == b.Rating &&
         a.Club.WithoutBlanks() == b.Club.WithoutBlanks() &&
         a.Status.WithoutBlanks() == b.Status.WithoutBlanks();
}

inline std::string Describe(const roster::Participant& p) {
  std::string s;
  for (std::string_view f : {p.LastName.view(), p.FirstName.view(), p.Weight.view(), p.Age.view(),
                             p.Rating.view(), p.Club.view(), p.Status.view()}) {
    s += '[';
    s += Printable(text::TrimTrailing(f), 40);
    s += ']';
  }
  return s;
}

// The lines as the reader sees them: LF or CR LF, a byte-order mark dropped.
inline std::vector<std::string_view> SplitLines(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const auto lf = text.find('\n');
    std::string_view line = text.substr(0, lf);
    text.remove_prefix(lf == std::string_view::npos ? text.size() : lf + 1);
    if (lf != std::string_view::npos && !line.empty() && line.back() == '\r') {
      line.remove_suffix(1);
    }
    lines.push_back(line);
  }
  return lines;
}

inline bool Blank(std::string_view line) {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

// A line whose first non-blank character is "#" is a comment, skipped without a warning
// whether or not it would parse (a TAB before the "#" makes it an ordinary line).
inline bool Comment(std::string_view line) {
  const auto first = line.find_first_not_of(' ');
  return first != std::string_view::npos && line[first] == '#';
}

inline bool IsPermutation(const roster::Roster& r) {
  if (r.DisplayOrder.size() != r.Entries.size()) return false;
  std::vector<bool> seen(r.Entries.size(), false);
  for (std::int32_t e : r.DisplayOrder) {
    if (e < 0 || static_cast<std::size_t>(e) >= seen.size() || seen[e]) return false;
    seen[e] = true;
  }
  return true;
}

}  // namespace roster_detail

// One line through the parser: the numeric texts of an accepted entry read back.
inline std::string CheckRosterLine(std::string_view line) {
  Violations v;
  roster::Participant entry;
  if (roster::WInfoParseDataLine(line, entry) != 0) return {};
  const std::string shown = Printable(line);
  for (const auto* field : {&entry.Weight, &entry.Age, &entry.Rating}) {
    const auto value = text::ReadDouble(field->view());
    v.Expect(value.has_value(), "a numeric field does not read back: [" +
                                    std::string(field->view()) + "] from " + shown);
    if (value) {
      v.Expect(text::FormatFixed(*value, 10, 2) == field->view(),
               "a numeric field is not in two-decimal form: " + shown);
    }
  }
  for (const auto* field : {&entry.AgeYears, &entry.WeightClass}) {
    v.Expect(
        text::ReadDouble(field->view()).has_value(),
        "a derived field does not read back: [" + std::string(field->view()) + "] from " + shown);
  }
  return v.first();
}

namespace roster_detail {

// The reader against the parser, line by line; *count receives the reader's count.
inline void CheckReaderAgainstParser(std::string_view input, Violations& v, int* count) {
  roster::Roster read;
  CountingReporter reporter;
  *count = roster::ReadRosterText(input, read, reporter);
  std::vector<roster::Participant> expected;
  int bad = 0;
  for (std::string_view line : SplitLines(input)) {
    line = line.substr(0, roster::kLineBufferWidth);
    if (Blank(line)) continue;
    roster::Participant p;
    if (Comment(line)) continue;
    if (roster::WInfoParseDataLine(line, p) == 0) {
      expected.push_back(p);
    } else {
      ++bad;
    }
  }
  v.Expect(*count == read.EntryCount(), "ReadRosterText's count differs from its entries");
  v.Expect(read.EntryCount() == static_cast<int>(expected.size()),
           "the reader kept a different number of lines than the parser accepts");
  v.Expect(reporter.count == bad, "the reader reported a different number of bad lines");
  if (v.any()) return;
  for (std::size_t k = 0; k < expected.size(); ++k) {
    v.Expect(SameFields(read.Entries[k], expected[k]),
             "entry " + std::to_string(k) +
                 " differs from its line parsed alone: " + Describe(read.Entries[k]));
  }
}

// Save, reopen, save: every entry comes back in the display order it was saved in, the
// same as the organiser saw it, and the second save writes the very same bytes.
inline void CheckSaveRoundTrip(const roster::Roster& roster, FakeFileSystem& files, Violations& v) {
  const Status saved = roster::SaveRosterFile(files, "saved.tmrx", roster);
  v.Expect(saved.ok(), "saving to a healthy disk failed: " + saved.message());
  if (v.any()) return;
  const std::string first = *files.Contents("saved.tmrx");
  roster::Roster reloaded;
  reloaded.SortColumn = roster.SortColumn;
  CountingReporter reporter;
  roster::OpenRosterFile(files, "saved.tmrx", reloaded, reporter);
  v.Expect(reporter.count == 0, "a saved line was skipped on reopening");
  v.Expect(reloaded.EntryCount() == roster.EntryCount(),
           "the reopened roster holds " + std::to_string(reloaded.EntryCount()) +
               " entries, the saved one " + std::to_string(roster.EntryCount()));
  if (v.any()) return;
  for (std::size_t k = 0; k < roster.DisplayOrder.size(); ++k) {
    v.Expect(SameAfterSave(reloaded.Displayed(k), roster.Displayed(k)),
             "entry " + std::to_string(k) + " came back changed: " + Describe(roster.Displayed(k)) +
                 " as " + Describe(reloaded.Displayed(k)));
    if (v.any()) return;
  }
  const Status again = roster::SaveRosterFile(files, "saved.tmrx", reloaded);
  v.Expect(again.ok() && *files.Contents("saved.tmrx") == first,
           "saving the reopened roster writes a different file");
}

}  // namespace roster_detail

// A whole roster text through the reader, the open flow and a save/reload round trip.
inline std::string CheckRosterText(std::string_view input) {
  using namespace roster_detail;
  Violations v;
  int count = 0;
  CheckReaderAgainstParser(input, v, &count);
  if (v.any()) return v.first();

  FakeFileSystem files;
  files.AddFile("roster.txt", std::string(input));
  roster::Roster roster;
  const roster::OpenResult opened =
      roster::OpenRosterFile(files, "roster.txt", roster, roster::IgnoreSkippedLines());
  v.Expect(opened.status.ok() && opened.added == count, "Open lost entries the reader keeps");
  v.Expect(IsPermutation(roster), "Open left a display order that is not a permutation");
  if (v.any() || roster.Entries.empty()) return v.first();
  CheckSaveRoundTrip(roster, files, v);
  return v.first();
}

}  // namespace kestrio::fuzz
