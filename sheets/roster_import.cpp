#include "sheets/roster_import.h"

#include "roster/sort_display_order.h"

namespace kestrio::sheets {

std::optional<std::size_t> SheetByName(const std::vector<std::string>& names,
                                       const std::string& wanted) {
  for (std::size_t k = 0; k < names.size(); ++k) {
    if (names[k] == wanted) return k;
  }
  if (!wanted.empty() && wanted.size() <= 4 &&
      wanted.find_first_not_of("0123456789") == std::string::npos) {
    const std::size_t number = std::stoul(wanted);
    if (number >= 1 && number <= names.size()) return number - 1;
  }
  return std::nullopt;
}

ImportSettings GuessSettings(const SheetData& data, const CivilDate& event_date,
                             DateOrder default_order) {
  ImportSettings settings;
  settings.event_date = event_date;
  settings.date1904 = data.date1904;
  settings.header_row = GuessHeaderRow(data.rows);
  settings.mapping =
      settings.header_row ? GuessMapping(data.rows[*settings.header_row]) : PositionalMapping();
  settings.date_order = default_order;
  const DateOrderFinding finding = FindDateOrder(data.rows, settings);
  if (finding == DateOrderFinding::MonthFirst) settings.date_order = DateOrder::MonthFirst;
  if (finding == DateOrderFinding::DayFirst) settings.date_order = DateOrder::DayFirst;
  return settings;
}

std::string DateOrderQuestion(DateOrderFinding finding) {
  switch (finding) {
    case DateOrderFinding::Ambiguous:
      return "Every birth date reads both as month/day and as day/month (03/04/2012).";
    case DateOrderFinding::Conflicting:
      return "Some birth dates read only as month/day, others only as day/month.";
    default:
      return {};
  }
}

std::string TooManyRowsMessage(const SheetLimits& limits) {
  return "the sheet has more than " + std::to_string(limits.max_rows) +
         " rows; Kestrio reads at most that many";
}

SheetImportResult OpenSpreadsheetRoster(FileSystem& fs, const std::string& path,
                                        const SheetImportOptions& options, roster::Roster& roster,
                                        roster::SkippedLineReporter& reporter,
                                        roster::DiagnosticSink& sink) {
  SheetImportResult result;
  auto fail = [&](const std::string& why) {
    result.status = Status::BadSpreadsheet(path + ": " + why);
    return result;
  };
  std::string bytes;
  if (Status s = fs.ReadFile(path, kMaxRosterFileBytes, &bytes); !s.ok()) {
    result.status = s;
    return result;
  }
  SheetRequest request;
  request.limits = options.limits;
  const SheetFormat format = FormatOfFileName(path).value_or(SheetFormat::Csv);
  SheetData data = ReadSpreadsheet(bytes, format, request);
  if (!data.status.ok()) return fail(data.status.message());
  if (format == SheetFormat::Xlsx && !options.sheet.empty()) {
    const std::optional<std::size_t> sheet = SheetByName(data.sheet_names, options.sheet);
    if (!sheet) return fail("the workbook has no sheet '" + options.sheet + "'");
    if (*sheet != data.sheet) {
      request.sheet = *sheet;
      data = ReadSpreadsheet(bytes, format, request);
      if (!data.status.ok()) return fail(data.status.message());
    }
  }
  if (data.truncated) return fail(TooManyRowsMessage(options.limits));
  result.notes = data.notes;

  ImportSettings settings =
      GuessSettings(data, options.event_date, options.date_order.value_or(DateOrder::MonthFirst));
  if (!options.columns.empty()) {
    static const CellRow kNoHeaders;
    const ColumnsOption applied = ApplyColumnsOption(
        options.columns, settings.header_row ? data.rows[*settings.header_row] : kNoHeaders,
        settings.mapping);
    if (!applied.error.empty()) return fail(applied.error);
    settings.mapping = applied.mapping;
  }
  if (const std::string missing = MissingFields(settings.mapping); !missing.empty()) {
    return fail(missing + " (--columns)");
  }
  const DateOrderFinding finding = FindDateOrder(data.rows, settings);
  if (options.date_order) {
    settings.date_order = *options.date_order;
  } else if (finding == DateOrderFinding::Ambiguous || finding == DateOrderFinding::Conflicting) {
    return fail(DateOrderQuestion(finding) + " Say how to read them with --date-order mdy or dmy.");
  }

  roster::Roster loaded;
  ReadRowLines(BuildRowLines(data.rows, settings), loaded, reporter, sink);
  result.added = loaded.EntryCount();
  roster::AddLoadedEntries(roster, loaded);
  return result;
}

}  // namespace kestrio::sheets
