#include "sheets/roster_rows.h"

#include <charconv>

#include "base/fixed_text.h"
#include "sheets/text_encoding.h"

namespace kestrio::sheets {
namespace {

// Field widths of the roster and the longest text a number field keeps (the parser reads
// the first ten characters; more is kept so that a refused line shows what the cell said).
constexpr std::size_t kNameWidth = 40;
constexpr std::size_t kClubWidth = 15;
constexpr std::size_t kStatusWidth = 15;
constexpr std::size_t kNumberTextWidth = 40;
constexpr std::size_t kNumberFieldWidth = 10;

// Control characters (a TAB or a line break inside a quoted CSV field) become blanks,
// as the parser makes them in text fields; then blanks at the ends go and the text is
// cut to width without splitting a character.
bool IsControl(char c) { return static_cast<unsigned char>(c) < 32 || c == 127; }

std::string Cleaned(std::string_view text, std::size_t width) {
  // Control characters at the ends become blanks that are trimmed, so skip them first.
  auto blank = [](char c) { return c == ' ' || IsControl(c); };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  std::string s(CutUtf8(text, width));
  for (char& c : s) {
    if (IsControl(c)) c = ' ';
  }
  return s;
}

// A number spelled to fit the parser's ten characters, reading back as the same number
// where ten characters can hold it.
std::string NumberSpelling(double value) {
  std::string s = ShortestSpelling(value);
  for (int precision = 9; s.size() > kNumberFieldWidth && precision > 0; --precision) {
    char buffer[32];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, precision);
    if (ec == std::errc()) s.assign(buffer, end);
  }
  return s;
}

// "72,5" is 72.5 in the many countries that write a decimal comma (and save CSV with
// semicolons); the roster grammar would stop at the comma and read 72.
void DecimalCommaToPoint(std::string& s) {
  const auto comma = s.find(',');
  if (comma == std::string::npos || s.find(',', comma + 1) != std::string::npos) return;
  std::size_t i = (s[0] == '-' || s[0] == '+') ? 1 : 0;
  if (comma == i || comma + 1 == s.size()) return;
  for (std::size_t k = i; k < s.size(); ++k) {
    if (k != comma && (s[k] < '0' || s[k] > '9')) return;
  }
  s[comma] = '.';
}

const Cell& MappedCell(const CellRow& row, const ColumnMapping& mapping, RosterField field) {
  static const Cell kEmpty;
  const int column = mapping[field];
  if (column == kUnmapped || static_cast<std::size_t>(column) >= row.size()) return kEmpty;
  return row[static_cast<std::size_t>(column)];
}

std::string TextField(const Cell& cell, std::size_t width) {
  if (cell.IsEmpty()) return {};
  return Cleaned(cell.text, width);
}

std::string NumberField(const Cell& cell) {
  if (cell.kind == CellKind::Number) return NumberSpelling(cell.number);
  std::string s = Cleaned(cell.text, kNumberTextWidth);
  DecimalCommaToPoint(s);
  return s;
}

// Sheets mark who wrestles in many ways: a tick column of TRUE/FALSE, "x", "1" or
// "no". The grammar's own words ("Selected", "yes", "UnSelected", "Deleted") pass as
// they are.
std::string StatusField(const Cell& cell) {
  if (cell.kind == CellKind::Boolean) {
    return cell.number != 0 ? std::string(roster::ParticipantStatus::Selected) : std::string();
  }
  std::string s = TextField(cell, kStatusWidth);
  std::string lower;
  for (char c : s) lower.push_back(static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c));
  if (lower == "x" || lower == "1" || lower == "true") {
    return std::string(roster::ParticipantStatus::Selected);
  }
  if (lower == "no" || lower == "n" || lower == "false" || lower == "0" || lower == "-") return {};
  return s;
}

std::string DiagnosticFor(std::string_view what, std::string_view value) {
  return "Unable to read " + std::string(what) + " from string \"" + std::string(value) +
         "\". Action taken --> Data entry skipped.";
}

// The age from the birth date cell, or the problem with it. *field receives the text
// that stands in the line: the age, or the date as the sheet holds it.
std::string AgeFromBirthDate(const Cell& cell, const ImportSettings& s, std::string* field) {
  *field = cell.kind == CellKind::Number ? NumberSpelling(cell.number)
                                         : Cleaned(cell.text, kNumberTextWidth);
  std::optional<CivilDate> birth;
  if (cell.kind == CellKind::Number) {
    birth = DateFromSerial(cell.number, s.date1904);
  } else if (cell.kind == CellKind::Text) {
    birth = ParseDateText(cell.text, s.date_order, s.event_date.year);
  }
  if (!birth) return DiagnosticFor("Date of Birth", *field);
  const std::string date = FormatIsoDate(*birth);
  if (birth->year < 1900) {
    return "Date of Birth " + date + " is before 1900. Action taken --> Data entry skipped.";
  }
  if (*birth > s.event_date) {
    return "Date of Birth " + date + " is after the event date " + FormatIsoDate(s.event_date) +
           ". Action taken --> Data entry skipped.";
  }
  *field = AgeText(*birth, s.event_date);
  return {};
}

// A row is blank when no mapped cell holds more than blanks and control characters.
bool AllMappedEmpty(const CellRow& row, const ColumnMapping& mapping) {
  for (RosterField f : kRosterFields) {
    const Cell& cell = MappedCell(row, mapping, f);
    if (cell.IsEmpty()) continue;
    for (char c : cell.text) {
      if (static_cast<unsigned char>(c) > 32 && c != 127) return false;
    }
  }
  return true;
}

void AppendField(std::string& line, const std::string& field, bool tab_after) {
  // An empty field is one blank, which the parser reads back as an empty text; two TABs
  // side by side would be one separator and shift every later field.
  line.append(field.empty() ? " " : field);
  if (tab_after) line.push_back('\t');
}

RowLine BuildLine(const CellRow& row, std::size_t index, const ImportSettings& s) {
  const ColumnMapping& m = s.mapping;
  RowLine out;
  out.row = index;
  std::string age;
  const Cell& age_cell = MappedCell(row, m, RosterField::Age);
  const Cell& birth_cell = MappedCell(row, m, RosterField::BirthDate);
  if (!age_cell.IsEmpty() || birth_cell.IsEmpty()) {
    age = NumberField(age_cell);
  } else {
    out.problem = AgeFromBirthDate(birth_cell, s, &age);
  }
  const std::string last = TextField(MappedCell(row, m, RosterField::LastName), kNameWidth);
  // A line starting with "#" is a comment to the reader; a TAB in front keeps it an entry.
  if (last.starts_with('#')) out.line.push_back('\t');
  AppendField(out.line, last, true);
  AppendField(out.line, TextField(MappedCell(row, m, RosterField::FirstName), kNameWidth), true);
  AppendField(out.line, NumberField(MappedCell(row, m, RosterField::Weight)), true);
  AppendField(out.line, age, true);
  // A wrestler without a rating (no column, or a novice left blank) rates 0, like every
  // other wrestler without one.
  const Cell& rating = MappedCell(row, m, RosterField::Rating);
  AppendField(out.line, rating.IsEmpty() ? "0" : NumberField(rating), true);
  const std::string status = StatusField(MappedCell(row, m, RosterField::Status));
  AppendField(out.line, TextField(MappedCell(row, m, RosterField::Club), kClubWidth),
              !status.empty());
  if (!status.empty()) out.line.append(status);
  return out;
}

}  // namespace

std::string MissingFields(const ColumnMapping& mapping) {
  std::string missing;
  auto add = [&](std::string_view what) {
    missing.append(missing.empty() ? "" : ", ").append(what);
  };
  if (!mapping.Mapped(RosterField::LastName)) add("Last Name");
  if (!mapping.Mapped(RosterField::Weight)) add("Weight");
  if (!mapping.Mapped(RosterField::Age) && !mapping.Mapped(RosterField::BirthDate)) {
    add("Age or Date of Birth");
  }
  return missing.empty() ? missing : "Choose a column for " + missing + ".";
}

std::vector<RowLine> BuildRowLines(const CellRows& rows, const ImportSettings& settings) {
  std::vector<RowLine> lines;
  const std::size_t first = settings.header_row ? *settings.header_row + 1 : 0;
  lines.reserve(rows.size() > first ? rows.size() - first : 0);
  for (std::size_t r = first; r < rows.size(); ++r) {
    if (AllMappedEmpty(rows[r], settings.mapping)) continue;
    lines.push_back(BuildLine(rows[r], r, settings));
  }
  return lines;
}

DateOrderFinding FindDateOrder(const CellRows& rows, const ImportSettings& settings) {
  if (!settings.mapping.Mapped(RosterField::BirthDate)) return DateOrderFinding::NotNeeded;
  bool month_first = false, day_first = false, either = false;
  const std::size_t first = settings.header_row ? *settings.header_row + 1 : 0;
  for (std::size_t r = first; r < rows.size(); ++r) {
    const Cell& cell = MappedCell(rows[r], settings.mapping, RosterField::BirthDate);
    if (cell.kind != CellKind::Text) continue;
    const DateTextReading reading = ReadDateText(cell.text, settings.event_date.year);
    if (!reading.needs_order) continue;
    month_first |= reading.month_first_ok && !reading.day_first_ok;
    day_first |= reading.day_first_ok && !reading.month_first_ok;
    either |= reading.month_first_ok && reading.day_first_ok;
  }
  if (month_first && day_first) return DateOrderFinding::Conflicting;
  if (month_first) return DateOrderFinding::MonthFirst;
  if (day_first) return DateOrderFinding::DayFirst;
  return either ? DateOrderFinding::Ambiguous : DateOrderFinding::NotNeeded;
}

int ReadRowLines(const std::vector<RowLine>& lines, roster::Roster& target,
                 roster::SkippedLineReporter& reporter, roster::DiagnosticSink& sink) {
  int read = 0;
  // Room for every line at once: the reader, taking one line at a time, would otherwise
  // grow the entries by one line's worth each time and copy them all.
  target.Entries.reserve(target.Entries.size() + lines.size());
  for (const RowLine& l : lines) {
    // Lines are numbered as the sheet numbers its rows, so that a skipped row is found.
    const int number = static_cast<int>(l.row) + 1;
    if (!l.problem.empty()) {
      sink.Diagnostic(l.problem, roster::kParseDiagnosticTitle);
      reporter.Skipped(
          roster::BadLine{number, roster::ShortReason(l.problem), text::WithoutBlanks(l.line)});
      continue;
    }
    read += roster::ReadRosterText(l.line, target, reporter, sink, number);
  }
  return read;
}

namespace {

class LastDiagnostic : public roster::DiagnosticSink {
 public:
  void Diagnostic(std::string_view text, std::string_view) override { text_ = std::string(text); }
  std::string text_;
};

class CountingReporter : public roster::SkippedLineReporter {
 public:
  void SkippedLine(std::string_view, std::string_view) override { ++count; }
  std::size_t count = 0;
};

}  // namespace

std::vector<LinePreview> PreviewLines(const std::vector<RowLine>& lines, std::size_t count) {
  std::vector<LinePreview> preview;
  for (std::size_t k = 0; k < lines.size() && k < count; ++k) {
    LinePreview& p = preview.emplace_back();
    p.row = lines[k].row;
    if (!lines[k].problem.empty()) {
      p.problem = lines[k].problem;
      continue;
    }
    roster::Roster one;
    LastDiagnostic diagnostic;
    CountingReporter reporter;
    p.loads = roster::ReadRosterText(lines[k].line, one, reporter, diagnostic) == 1;
    if (p.loads)
      p.entry = one.Entries[0];
    else
      p.problem = diagnostic.text_;
  }
  return preview;
}

std::size_t CountSkippedLines(const std::vector<RowLine>& lines) {
  CountingReporter reporter;
  roster::Roster scratch;
  for (const RowLine& l : lines) {
    if (!l.problem.empty()) {
      ++reporter.count;
      continue;
    }
    roster::ReadRosterText(l.line, scratch, reporter);
    scratch.Entries.clear();
  }
  return reporter.count;
}

}  // namespace kestrio::sheets
