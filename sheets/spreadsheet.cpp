#include "sheets/spreadsheet.h"

#include <cctype>

#include "sheets/csv_reader.h"
#include "sheets/xlsx_reader.h"

namespace kestrio::sheets {
namespace {

bool HasExtension(std::string_view path, std::string_view extension) {
  if (path.size() <= extension.size()) return false;
  const std::string_view tail = path.substr(path.size() - extension.size());
  for (std::size_t i = 0; i < tail.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(tail[i])) != extension[i]) return false;
  }
  return true;
}

}  // namespace

std::optional<SheetFormat> FormatOfFileName(std::string_view path) {
  if (HasExtension(path, ".csv")) return SheetFormat::Csv;
  if (HasExtension(path, ".xlsx")) return SheetFormat::Xlsx;
  return std::nullopt;
}

SheetData ReadSpreadsheet(std::string_view bytes, SheetFormat format, const SheetRequest& request) {
  SheetData data;
  data.format = format;
  if (format == SheetFormat::Xlsx) {
    XlsxRead read = ReadXlsx(bytes, request.sheet, request.limits);
    data.status = std::move(read.status);
    data.sheet_names = std::move(read.sheet_names);
    data.sheet = read.sheet;
    data.date1904 = read.date1904;
    data.rows = std::move(read.rows);
    data.truncated = read.truncated;
    data.notes = std::move(read.notes);
    return data;
  }
  CsvOptions options;
  options.delimiter = request.delimiter;
  options.detect_encoding = !request.encoding.has_value();
  options.encoding = request.encoding.value_or(TextEncoding::Utf8);
  options.limits = request.limits;
  CsvRead read = ReadCsv(bytes, options);
  data.status = std::move(read.status);
  data.delimiter = read.delimiter;
  data.encoding = read.encoding;
  data.rows = std::move(read.rows);
  data.truncated = read.truncated;
  return data;
}

Status WriteTableFile(FileSystem& fs, const std::string& path, const Table& table) {
  if (FormatOfFileName(path) != SheetFormat::Xlsx)
    return fs.WriteFileAtomic(path, CsvText(table), Links::kFollow);
  std::string bytes;
  if (Status s = EncodeXlsx(table, &bytes); !s.ok())
    return s.WithMessage(path + ": " + s.message());
  return fs.WriteFileAtomic(path, bytes, Links::kFollow);
}

}  // namespace kestrio::sheets
