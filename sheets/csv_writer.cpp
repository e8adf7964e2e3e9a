#include <string>

#include "sheets/table.h"

namespace kestrio::sheets {
namespace {

void AppendField(std::string& out, std::string_view field) {
  if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
    out.append(field);
    return;
  }
  out.push_back('"');
  for (char c : field) {
    if (c == '"') out.push_back('"');
    out.push_back(c);
  }
  out.push_back('"');
}

}  // namespace

std::string CsvText(const Table& table) {
  std::string out = "\xEF\xBB\xBF";
  out.reserve(64 + table.rows.size() * table.columns.size() * 10);
  for (std::size_t c = 0; c < table.columns.size(); ++c) {
    if (c > 0) out.push_back(',');
    AppendField(out, table.columns[c].caption);
  }
  out.append("\r\n");
  for (const CellRow& row : table.rows) {
    for (std::size_t c = 0; c < row.size(); ++c) {
      if (c > 0) out.push_back(',');
      AppendField(out, row[c].text);
    }
    out.append("\r\n");
  }
  return out;
}

}  // namespace kestrio::sheets
