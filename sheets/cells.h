#pragma once

// A sheet as the rest of the program sees it: rows of cells, whatever file it came from.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kestrio::sheets {

enum class CellKind { Empty, Text, Number, Boolean, Error };

struct Cell {
  CellKind kind = CellKind::Empty;
  // UTF-8. Text: the text. Number: its spelling (the shortest that reads back as the
  // same number, or as a writer chose to show it). Boolean: "TRUE" or "FALSE". Error:
  // the error value ("#N/A"). Empty: nothing.
  std::string text;
  // Number: the value; Boolean: 1 or 0.
  double number = 0;
  // A number the workbook shows as a date or time (a date serial).
  bool date = false;

  static Cell OfText(std::string text) { return {CellKind::Text, std::move(text), 0, false}; }
  static Cell OfNumber(double value, std::string spelling) {
    return {CellKind::Number, std::move(spelling), value, false};
  }
  bool IsEmpty() const {
    return kind == CellKind::Empty || (kind == CellKind::Text && text.empty());
  }
};

using CellRow = std::vector<Cell>;
// Row 0 is the sheet's first row; a row may be shorter than others (missing cells are
// empty).
using CellRows = std::vector<CellRow>;

// What a reader takes on before it stops. A roster never comes near these; a file that
// does is a mistake or an attack, and is reported rather than read into memory.
struct SheetLimits {
  // Rows kept; a sheet with more is read up to here and marked as cut short.
  std::size_t max_rows = 100000;
  // Cells held in memory (empty cells between filled ones count); more is an error.
  std::size_t max_cells = 2000000;
  // Bytes a workbook may unpack to, all parts together; more is an error (a zip bomb).
  std::uint64_t max_unpacked_bytes = std::uint64_t{200} << 20;
};

// The cell at (row, column), or an empty cell when the row is shorter.
const Cell& CellAt(const CellRows& rows, std::size_t row, std::size_t column);

// The number of columns of the widest row.
std::size_t ColumnCount(const CellRows& rows);

// True when every cell of the row is empty (or the row has no cells).
bool IsBlankRow(const CellRow& row);

// The shortest decimal spelling of value that reads back as the same double ("72",
// "72.5", "0.1", "1e+21").
std::string ShortestSpelling(double value);

// The spreadsheet letters of a 0-based column index: 0 is "A", 25 "Z", 26 "AA".
std::string ColumnLetters(std::size_t column);

}  // namespace kestrio::sheets
