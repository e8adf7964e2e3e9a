#pragma once

// Loading roster text files and data files, and adding one entry typed by the organiser.

#include <cstdint>
#include <string>
#include <string_view>

#include "base/file_system.h"
#include "roster/line_parser.h"
#include "roster/roster.h"

namespace kestrio::roster {

inline constexpr std::string_view kSkippedLineCaption =
    "Warning: Error during read --> entry skipped";

// One line of a roster file that the reader skipped.
struct BadLine {
  // The line's number in its file, from 1 (a spreadsheet's row number); 0 when unknown.
  int number = 0;
  // Which field could not be read, in the parser's words ("Unable to read Weight from
  // string \"7x\""); empty when the reader did not say.
  std::string_view reason;
  // The line as read (cut to the line buffer), left-adjusted and trimmed.
  std::string_view text;
};

// Told once about every malformed line of a file. The desktop gathers them into one
// import report per file; the batch command prints them.
class SkippedLineReporter {
 public:
  virtual ~SkippedLineReporter() = default;
  // The readers call this. The default passes the warning caption and the line on to
  // SkippedLine, for reporters that show only those.
  virtual void Skipped(const BadLine& line) { SkippedLine(kSkippedLineCaption, line.text); }
  // caption is kSkippedLineCaption; line is BadLine::text. Readers that know neither the
  // line number nor the reason may call this directly.
  virtual void SkippedLine(std::string_view /*caption*/, std::string_view /*line*/) {}
};

// The reason without the parser's closing words (". Action taken --> Data entry
// skipped."), which every skipped line shares.
std::string_view ShortReason(std::string_view diagnostic);

// "roster.txt:12: Warning: Error during read --> entry skipped: <reason>: <text>", as the
// batch command prints a skipped line; the number is left out when unknown, the reason
// when empty.
std::string DescribeBadLine(std::string_view file_name, const BadLine& line);

// A reporter that ignores everything.
SkippedLineReporter& IgnoreSkippedLines();

// Parses a whole roster text (as read from a file) into target, normally empty (entries
// it already holds stay in front of the new ones; DisplayOrder is not touched).
// Lines end with LF or CR LF; a UTF-8 byte-order mark at the start is ignored. Blank
// lines and lines whose first non-blank character is '#' (comments) are skipped silently;
// every other line that fails to parse goes once to reporter and is skipped. The good
// lines become entries after those already in target, in file order.
// Lines are numbered from first_line (a reader that hands over one line of a larger file
// at a time passes that line's number). Returns the number of entries read.
int ReadRosterText(std::string_view text, Roster& target, SkippedLineReporter& reporter,
                   DiagnosticSink& sink = SilentDiagnostics(), int first_line = 1);

// Reads the file at path once through fs and parses it as ReadRosterText does. The name is
// taken as it stands (a name may begin or end with a blank); only when no such file
// exists is it tried without its leading and trailing blanks. Only a regular file of at
// most kMaxRosterFileBytes is read. When the file cannot be read, "Could not open file"
// goes to sink with the file name as title, target is untouched and the error Status
// (naming the file and the reason) is returned.
Status ReadRosterFile(FileSystem& fs, std::string_view path, Roster& target,
                      SkippedLineReporter& reporter, DiagnosticSink& sink = SilentDiagnostics());

struct OpenResult {
  Status status = Status::Ok();  // not ok when the file could not be read
  int added = 0;                 // entries appended to the roster
};

// File > Open: appends the file's entries after those already in roster, then resets and
// sorts DisplayOrder by the current SortColumn (also when nothing was added). A missing
// or unreadable file adds nothing and shows nothing; the Status tells the caller.
// The caller then sets EntryTotal to roster.EntryCount() and refreshes the views.
OpenResult OpenRosterFile(FileSystem& fs, std::string_view path, Roster& roster,
                          SkippedLineReporter& reporter,
                          DiagnosticSink& sink = SilentDiagnostics());

// The end of every open: appends the entries of loaded (read by one of the readers)
// after those already in roster, then resets and sorts DisplayOrder by the current
// SortColumn (also when loaded is empty). loaded may be left empty.
void AddLoadedEntries(Roster& roster, Roster& loaded);

// The Add dialog: parses line and, on success, appends the entry to roster and resets and
// sorts DisplayOrder. Returns the parser's error flag: 0 = added; otherwise the roster is
// unchanged and the dialog keeps its fields for correction. Nothing is reported.
std::int32_t AddEntryFromLine(std::string_view line, Roster& roster,
                              DiagnosticSink& sink = SilentDiagnostics());

}  // namespace kestrio::roster
