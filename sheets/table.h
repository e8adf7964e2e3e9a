#pragma once

// A table to write out as a spreadsheet: captions, rows of typed cells, and how each
// column shows its numbers. The roster and bout exports build one; the writers turn it
// into CSV or an Excel workbook.

#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "sheets/cells.h"

namespace kestrio::sheets {

struct TableColumn {
  std::string caption;
  // An Excel number format for the column's numbers ("0.00"); empty for General.
  std::string number_format;
  // Width in characters, as a spreadsheet measures it.
  double width = 10;
};

struct Table {
  std::string sheet_name;  // at most 31 characters, none of []:*?/\ (Excel's rule)
  std::vector<TableColumn> columns;
  // Text and Number cells (UTF-8); a Number cell's text is how CSV writes it.
  CellRows rows;
};

// CSV as spreadsheets open it: UTF-8 with a byte-order mark (without it Excel reads
// UTF-8 as the local code page), the captions as the first record, commas between
// fields, CR LF after every record; a field holding a comma, a double quote or a line
// break is quoted with its quotes doubled (RFC 4180).
std::string CsvText(const Table& table);

// The table as an Excel workbook with one sheet: captions in bold in a frozen first
// row, numbers as numbers in their columns' formats. Built in memory, so that the caller
// writes the bytes where they belong as it writes any file; the same table always gives
// the same bytes. Not ok (with the reason) when that fails.
Status EncodeXlsx(const Table& table, std::string* bytes);

}  // namespace kestrio::sheets
