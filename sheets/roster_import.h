#pragma once

// A roster from a spreadsheet, end to end: the first guesses for a sheet just read, and
// the whole import as the batch command runs it (the desktop program asks the organiser
// in a dialog instead, see ui/import_form.h).

#include <optional>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "roster/roster.h"
#include "roster/roster_reader.h"
#include "sheets/roster_rows.h"
#include "sheets/spreadsheet.h"

namespace kestrio::sheets {

// The header row found in the first rows (none: every row is data), the mapping its
// headers name (the column order of a text roster when there are none), the date order
// the birth dates show or default_order when they do not, and the workbook's date system.
ImportSettings GuessSettings(const SheetData& data, const CivilDate& event_date,
                             DateOrder default_order);

// The sheet named wanted, or numbered wanted from 1 when no sheet has that name.
std::optional<std::size_t> SheetByName(const std::vector<std::string>& names,
                                       const std::string& wanted);

// A sentence for the organiser about a date order the dates cannot decide, or empty.
std::string DateOrderQuestion(DateOrderFinding finding);

struct SheetImportOptions {
  // A --columns text applied over the guess; empty keeps the guess.
  std::string columns;
  CivilDate event_date;
  // How to read dates like 03/04/2012; needed when the birth dates do not tell.
  std::optional<DateOrder> date_order;
  // A workbook's worksheet: its name, or its number from 1; empty for the first.
  std::string sheet;
  SheetLimits limits;
};

struct SheetImportResult {
  Status status = Status::Ok();  // not ok: nothing was added; the message names the file
  int added = 0;
  std::vector<std::string> notes;  // what the organiser should know about the sheet
};

// Reads the spreadsheet at path and appends its entries to roster as File > Open does
// with a text roster (then resets and sorts DisplayOrder). Rows the reader refuses go to
// reporter and sink as a text file's bad lines do. Nothing is added when the file cannot
// be read, has more rows than the limit, or when the columns, the mapping or the date
// order leave it unclear what the rows mean.
SheetImportResult OpenSpreadsheetRoster(FileSystem& fs, const std::string& path,
                                        const SheetImportOptions& options, roster::Roster& roster,
                                        roster::SkippedLineReporter& reporter,
                                        roster::DiagnosticSink& sink = roster::SilentDiagnostics());

// The message for a sheet cut short at the row limit.
std::string TooManyRowsMessage(const SheetLimits& limits);

}  // namespace kestrio::sheets
