#pragma once

// Properties of the spreadsheet readers, for any bytes a club's CSV export or a
// workbook's XML might hold.
//
//   - The readers stay within their limits (rows, cells) and hand on valid UTF-8 only.
//   - CSV: the rows written back as CSV read back as the same rows.
//   - Every data row becomes exactly one roster line, never longer than the reader's line
//     buffer, and reading the lines accounts for each of them at most once.

#include <string>
#include <string_view>
#include <vector>

#include "fuzz/property_check.h"
#include "roster/roster.h"
#include "roster/roster_reader.h"
#include "sheets/csv_reader.h"
#include "sheets/roster_import.h"
#include "sheets/table.h"
#include "sheets/text_encoding.h"
#ifndef KESTRIO_NO_WORKBOOKS
#include "sheets/xlsx_parts.h"
#endif

namespace kestrio::fuzz {

namespace sheet_detail {

// Small limits, so that inputs of a few kilobytes reach them.
inline sheets::SheetLimits FuzzLimits() {
  sheets::SheetLimits limits;
  limits.max_rows = 60;
  limits.max_cells = 600;
  limits.max_unpacked_bytes = 1 << 20;
  return limits;
}

class CountingReporter : public roster::SkippedLineReporter {
 public:
  void SkippedLine(std::string_view, std::string_view) override { ++count; }
  std::size_t count = 0;
};

inline void CheckCells(const sheets::CellRows& rows, const sheets::SheetLimits& limits,
                       Violations& v) {
  std::size_t cells = 0;
  for (const sheets::CellRow& row : rows) {
    cells += row.size();
    for (const sheets::Cell& cell : row) {
      v.Expect(sheets::IsValidUtf8(cell.text),
               "a cell is not valid UTF-8: " + Printable(cell.text));
    }
  }
  v.Expect(rows.size() <= limits.max_rows, "more rows than the limit were kept");
  v.Expect(cells <= limits.max_cells, "more cells than the limit were kept");
}

inline void CheckRowLines(const sheets::CellRows& rows, Violations& v) {
  sheets::SheetData data;
  data.rows = rows;
  sheets::ImportSettings settings =
      sheets::GuessSettings(data, {2024, 3, 1}, sheets::DateOrder::MonthFirst);
  if (!sheets::MissingFields(settings.mapping).empty())
    settings.mapping = sheets::PositionalMapping();
  const std::vector<sheets::RowLine> lines = sheets::BuildRowLines(rows, settings);
  v.Expect(lines.size() <= rows.size(), "more lines than rows");
  for (const sheets::RowLine& l : lines) {
    v.Expect(l.line.find_first_of("\r\n") == std::string::npos,
             "a row became more than one line: " + Printable(l.line));
    v.Expect(l.line.size() <= roster::kLineBufferWidth, "a row's line is longer than the buffer");
  }
  roster::Roster loaded;
  CountingReporter reporter;
  const int read = sheets::ReadRowLines(lines, loaded, reporter);
  v.Expect(read >= 0 && static_cast<std::size_t>(read) + reporter.count <= lines.size(),
           "reading the lines told of more lines than were built");
  v.Expect(loaded.EntryCount() == read, "the entries read are not the count returned");
  v.Expect(sheets::CountSkippedLines(lines) == reporter.count,
           "the skipped count differs from what reading told");
}

}  // namespace sheet_detail

// Any bytes as a CSV file.
inline std::string CheckCsvRead(std::string_view input) {
  Violations v;
  const sheets::SheetLimits limits = sheet_detail::FuzzLimits();
  sheets::CsvOptions options;
  options.limits = limits;
  const sheets::CsvRead read = sheets::ReadCsv(input, options);
  if (!read.status.ok()) {
    v.Expect(read.rows.empty(), "a refused file kept rows");
    return v.first();
  }
  sheet_detail::CheckCells(read.rows, limits, v);
  if (!read.rows.empty()) {
    sheets::Table table;
    for (const sheets::Cell& caption : read.rows[0])
      table.columns.push_back({caption.text, "", 10});
    table.rows.assign(read.rows.begin() + 1, read.rows.end());
    sheets::CsvOptions again = options;
    again.delimiter = ',';
    const sheets::CsvRead back = sheets::ReadCsv(sheets::CsvText(table), again);
    v.Expect(back.status.ok(), "the written CSV cannot be read: " + back.status.message());
    v.Expect(back.rows.size() == read.rows.size(),
             "the written CSV reads back to another row count");
    for (std::size_t r = 0; r < back.rows.size() && r < read.rows.size(); ++r) {
      v.Expect(back.rows[r].size() == read.rows[r].size(),
               "a written row reads back to another width");
      for (std::size_t c = 0; c < back.rows[r].size() && c < read.rows[r].size(); ++c) {
        v.Expect(back.rows[r][c].text == read.rows[r][c].text,
                 "a written cell reads back as another text: " + Printable(read.rows[r][c].text));
      }
    }
  }
  sheet_detail::CheckRowLines(read.rows, v);
  return v.first();
}

// The separator between a workbook's shared strings and its sheet in one fuzz input.
inline constexpr std::string_view kSheetXmlSeparator = "\n----sheet----\n";

#ifndef KESTRIO_NO_WORKBOOKS
// Any bytes as a workbook's shared strings and sheet XML (the part before the separator
// is the shared strings; without a separator the whole input is the sheet). Only where
// this build reads workbooks.
inline std::string CheckSheetXml(std::string_view input) {
  Violations v;
  const sheets::SheetLimits limits = sheet_detail::FuzzLimits();
  std::string_view strings_xml, sheet_xml = input;
  if (const auto at = input.find(kSheetXmlSeparator); at != std::string_view::npos) {
    strings_xml = input.substr(0, at);
    sheet_xml = input.substr(at + kSheetXmlSeparator.size());
  }
  sheets::SharedStringsHandler strings(limits.max_cells);
  if (!strings_xml.empty() && !sheets::ParseXml(strings_xml, strings, "strings").ok()) {
    strings.strings().clear();
  }
  for (const std::string& s : strings.strings()) {
    v.Expect(sheets::IsValidUtf8(s), "a shared string is not valid UTF-8: " + Printable(s));
  }
  const std::vector<bool> date_styles = {false, true};
  sheets::SheetHandler sheet(strings.strings(), date_styles, limits);
  if (!sheets::ParseXml(sheet_xml, sheet, "sheet").ok()) return v.first();
  sheets::SheetContent& content = sheet.content();
  if (!sheets::FillMergedRanges(&content, limits).ok()) return v.first();
  sheet_detail::CheckCells(content.rows, limits, v);
  sheet_detail::CheckRowLines(content.rows, v);
  return v.first();
}
#endif  // KESTRIO_NO_WORKBOOKS

}  // namespace kestrio::fuzz
