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

// Told once about every malformed line of a file. The desktop shows a message box with
// this caption and text; a command-line caller prints them.
class SkippedLineReporter {
 public:
  virtual ~SkippedLineReporter() = default;
  // caption is kSkippedLineCaption; line is the line as read (cut to the line buffer),
  // left-adjusted and trimmed.
  virtual void SkippedLine(std::string_view caption, std::string_view line) = 0;
};

// A reporter that ignores everything.
SkippedLineReporter& IgnoreSkippedLines();

// Parses a whole roster text (as read from a file) into target, normally empty (entries
// it already holds stay in front of the new ones; DisplayOrder is not touched).
// Lines end with LF or CR LF; a UTF-8 byte-order mark at the start is ignored. Blank
// lines and lines whose first non-blank character is '#' (comments) are skipped silently;
// every other line that fails to parse goes once to reporter and is skipped. The good
// lines become entries after those already in target, in file order.
// Returns the number of entries read.
int ReadRosterText(std::string_view text, Roster& target, SkippedLineReporter& reporter,
                   DiagnosticSink& sink = SilentDiagnostics());

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

// The Add dialog: parses line and, on success, appends the entry to roster and resets and
// sorts DisplayOrder. Returns the parser's error flag: 0 = added; otherwise the roster is
// unchanged and the dialog keeps its fields for correction. Nothing is reported.
std::int32_t AddEntryFromLine(std::string_view line, Roster& roster,
                              DiagnosticSink& sink = SilentDiagnostics());

}  // namespace kestrio::roster
