#pragma once

// Sheet rows as roster entries. Every row becomes a roster text line (LastName TAB
// FirstName TAB Weight TAB Age TAB Rating TAB Club [TAB Status]) that the roster
// reader takes like any line of a text file, so a row it refuses is reported exactly as
// a bad line of a text roster is, and a row it takes holds what the same line would.
//
// What the sheet adds to the line grammar: empty cells are fields that read back as
// blank (a text roster cannot say that), control characters and line breaks inside a
// cell become blanks as the parser makes them in text fields, a text longer than its
// field is cut at a character boundary, numbers are written so that they read back,
// a decimal comma ("72,5") is a decimal point, and an age comes from a birth date when
// no column holds ages.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "roster/line_parser.h"
#include "roster/roster.h"
#include "roster/roster_reader.h"
#include "sheets/cells.h"
#include "sheets/column_mapping.h"
#include "sheets/dates.h"

namespace kestrio::sheets {

struct ImportSettings {
  // The row holding the headers (from 0); rows before it and it are not data. None
  // when every row is data.
  std::optional<std::size_t> header_row;
  ColumnMapping mapping;
  // Ages from birth dates are ages on this day.
  CivilDate event_date;
  // How dates written with the year last are read ("03/04/2012").
  DateOrder date_order = DateOrder::MonthFirst;
  // A workbook whose date serials count from 1904.
  bool date1904 = false;
};

// Empty when the mapping can make entries; otherwise what the organiser must map:
// a column for Last Name, for Weight, and for Age or Date of Birth.
std::string MissingFields(const ColumnMapping& mapping);

struct RowLine {
  std::size_t row = 0;  // index into the rows (the sheet's row number is row + 1)
  std::string line;     // the roster text line built from the row
  // Empty, or why no age can be given (a birth date that cannot be read, before 1900
  // or after the event), in the words of the parser's diagnostics.
  std::string problem;
};

// The lines of the data rows, in sheet order; a row whose mapped cells are all empty
// is left out. The mapping must pass MissingFields.
std::vector<RowLine> BuildRowLines(const CellRows& rows, const ImportSettings& settings);

// What the birth dates of the data rows say about their day/month order.
enum class DateOrderFinding {
  NotNeeded,    // no date is written with the year last, or no birth dates are read
  MonthFirst,   // some dates read only month first ("12/31/2012"), none only day first
  DayFirst,     // the other way round
  Ambiguous,    // every such date reads both ways: the organiser must say
  Conflicting,  // some read only one way, some only the other
};
DateOrderFinding FindDateOrder(const CellRows& rows, const ImportSettings& settings);

// Reads the lines into target in order, as the roster reader reads a text file's lines:
// a line the parser refuses, and a line with a problem, goes once to reporter and its
// diagnostic to sink, and is skipped; the others become entries after those already in
// target, with their sort keys built. Returns the number of entries read.
int ReadRowLines(const std::vector<RowLine>& lines, roster::Roster& target,
                 roster::SkippedLineReporter& reporter,
                 roster::DiagnosticSink& sink = roster::SilentDiagnostics());

// One line as it will load: the entry, or why it is skipped.
struct LinePreview {
  std::size_t row = 0;
  bool loads = false;
  roster::Participant entry;  // when loads
  std::string problem;        // when not: the diagnostic
};

// The first count lines as they will load.
std::vector<LinePreview> PreviewLines(const std::vector<RowLine>& lines, std::size_t count);

// How many of the lines will be skipped.
std::size_t CountSkippedLines(const std::vector<RowLine>& lines);

}  // namespace kestrio::sheets
