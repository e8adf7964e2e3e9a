#include "sheets/cells.h"

#include <algorithm>
#include <charconv>

namespace kestrio::sheets {

const Cell& CellAt(const CellRows& rows, std::size_t row, std::size_t column) {
  static const Cell kEmpty;
  if (row >= rows.size() || column >= rows[row].size()) return kEmpty;
  return rows[row][column];
}

std::size_t ColumnCount(const CellRows& rows) {
  std::size_t n = 0;
  for (const CellRow& row : rows) n = std::max(n, row.size());
  return n;
}

bool IsBlankRow(const CellRow& row) {
  return std::all_of(row.begin(), row.end(), [](const Cell& c) { return c.IsEmpty(); });
}

std::string ShortestSpelling(double value) {
  char buffer[32];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  if (ec != std::errc()) return "0";
  return std::string(buffer, end);
}

std::string ColumnLetters(std::size_t column) {
  std::string letters;
  for (std::size_t n = column + 1; n > 0; n = (n - 1) / 26) {
    letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
  }
  return letters;
}

}  // namespace kestrio::sheets
