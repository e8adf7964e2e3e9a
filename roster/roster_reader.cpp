#include "roster/roster_reader.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "base/fixed_text.h"
#include "roster/sort_display_order.h"

namespace kestrio::roster {
namespace {

class IgnoringReporter : public SkippedLineReporter {
 public:
  void Skipped(const BadLine&) override {}
};

// Passes the parser's diagnostics on and keeps the last one: it is the reason a skipped
// line is reported with.
class RememberingSink : public DiagnosticSink {
 public:
  explicit RememberingSink(DiagnosticSink& next) : next_(next) {}
  void Diagnostic(std::string_view text, std::string_view title) override {
    last_.assign(text);
    next_.Diagnostic(text, title);
  }
  std::string_view Take() {
    taken_.swap(last_);
    last_.clear();
    return taken_;
  }

 private:
  DiagnosticSink& next_;
  std::string last_;
  std::string taken_;
};

// Splits a file's text into lines as read into the line buffer: LF or CR LF ends a
// line, a UTF-8 byte-order mark at the start is dropped, and a line is cut to the buffer.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : rest_(text) {
    if (rest_.substr(0, 3) == "\xEF\xBB\xBF") rest_.remove_prefix(3);
  }

  bool Next(std::string_view& line) {
    if (rest_.empty()) return false;
    const auto lf = rest_.find('\n');
    line = rest_.substr(0, lf);
    rest_.remove_prefix(lf == std::string_view::npos ? rest_.size() : lf + 1);
    if (lf != std::string_view::npos && !line.empty() && line.back() == '\r') {
      line.remove_suffix(1);
    }
    line = line.substr(0, kLineBufferWidth);
    return true;
  }

 private:
  std::string_view rest_;
};

// The lines of a file's text, at most: what the roster is reserved for.
std::size_t LineCount(std::string_view text) {
  std::size_t lines = 1;
  for (const char* p = text.data(); const void* lf = std::memchr(p, '\n', text.end() - p);) {
    ++lines;
    p = static_cast<const char*>(lf) + 1;
  }
  return lines;
}

// Blank lines carry nothing to read or warn about.
bool IsBlank(std::string_view line) {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

// A "#" line is a comment in a hand-made roster, also when it would hold an entry: that is
// how an organiser leaves out a wrestler who cannot come.
bool IsComment(std::string_view line) {
  // Only blanks may stand before the "#": a TAB in front marks a saved surname that
  // starts with "#", not a comment.
  const auto first = line.find_first_not_of(' ');
  return first != std::string_view::npos && line[first] == '#';
}

}  // namespace

std::string_view ShortReason(std::string_view diagnostic) {
  constexpr std::string_view kClosing = ". Action taken --> Data entry skipped.";
  if (diagnostic.size() >= kClosing.size() &&
      diagnostic.substr(diagnostic.size() - kClosing.size()) == kClosing) {
    diagnostic.remove_suffix(kClosing.size());
  }
  return diagnostic;
}

std::string DescribeBadLine(std::string_view file_name, const BadLine& line) {
  std::string out(file_name);
  if (line.number > 0) out.append(":").append(std::to_string(line.number));
  out.append(": ").append(kSkippedLineCaption);
  if (!line.reason.empty()) out.append(": ").append(ShortReason(line.reason));
  out.append(": ").append(line.text);
  return out;
}

SkippedLineReporter& IgnoreSkippedLines() {
  static IgnoringReporter ignoring;
  return ignoring;
}

int ReadRosterText(std::string_view text, Roster& target, SkippedLineReporter& reporter,
                   DiagnosticSink& sink, int first_line) {
  // Both passes of the reader walk the same in-memory copy of the file, so they parse every
  // line alike: one walk that warns about each bad line in order and keeps each good entry
  // gives the same roster as counting first and parsing again.
  const std::size_t first_new = target.Entries.size();
  target.Entries.reserve(first_new + LineCount(text));
  RememberingSink reasons(sink);
  std::string_view line;
  int number = first_line - 1;
  for (LineReader lines(text); lines.Next(line);) {
    ++number;
    if (IsBlank(line) || IsComment(line)) continue;
    Participant& entry = target.Entries.emplace_back();
    if (WInfoParseDataLine(line, entry, reasons) != 0) {
      target.Entries.pop_back();
      reporter.Skipped({number, reasons.Take(), text::WithoutBlanks(line)});
    }
  }
  const int count = static_cast<int>(target.Entries.size() - first_new);
  if (count > 0) target.KeyCount = kSortKeyColumns;
  return count;
}

Status ReadRosterFile(FileSystem& fs, std::string_view path, Roster& target,
                      SkippedLineReporter& reporter, DiagnosticSink& sink) {
  // The name exactly as chosen first: a file name may begin or end with a blank. A name
  // padded with blanks by a fixed-width caller that names no file is tried without them.
  std::string name(path);
  std::string contents;
  Status status = fs.ReadFile(name, kMaxRosterFileBytes, &contents);
  const std::string trimmed(text::WithoutBlanks(path));
  if (status.IsNotFound() && trimmed != name) {
    if (Status again = fs.ReadFile(trimmed, kMaxRosterFileBytes, &contents); !again.IsNotFound()) {
      status = again;
      name = trimmed;
    }
  }
  if (!status.ok()) {
    sink.Diagnostic("Could not open file", name);
    return status;
  }
  ReadRosterText(contents, target, reporter, sink);
  return Status::Ok();
}

OpenResult OpenRosterFile(FileSystem& fs, std::string_view path, Roster& roster,
                          SkippedLineReporter& reporter, DiagnosticSink& sink) {
  OpenResult result;
  Roster loaded;
  result.status = ReadRosterFile(fs, path, loaded, reporter, sink);
  result.added = loaded.EntryCount();
  AddLoadedEntries(roster, loaded);
  return result;
}

void AddLoadedEntries(Roster& roster, Roster& loaded) {
  if (roster.Entries.empty() && !loaded.Entries.empty()) {
    // Nothing to append to: the loaded list becomes the roster's without a copy.
    roster.Entries.swap(loaded.Entries);
    roster.KeyCount = loaded.KeyCount;
  } else {
    AppendRoster(roster, loaded);
  }
  ResetDisplayOrder(roster);
  SortDisplayOrder(roster);
}

std::int32_t AddEntryFromLine(std::string_view line, Roster& roster, DiagnosticSink& sink) {
  Roster added;
  added.Entries.resize(1);
  const std::int32_t error = WInfoParseDataLine(line, added.Entries[0], sink);
  if (error != 0) return error;
  added.KeyCount = kSortKeyColumns;
  AppendRoster(roster, added);
  ResetDisplayOrder(roster);
  SortDisplayOrder(roster);
  return 0;
}

}  // namespace kestrio::roster
