#pragma once

// One way in for every spreadsheet: a CSV file or an Excel workbook becomes rows of
// cells; and one way out: a table becomes CSV or a workbook, by the file's extension.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_system.h"
#include "sheets/cells.h"
#include "sheets/table.h"
#include "sheets/text_encoding.h"

namespace kestrio::sheets {

enum class SheetFormat { Csv, Xlsx };

// By the extension, without case: ".csv" and ".xlsx"; nothing for any other file.
std::optional<SheetFormat> FormatOfFileName(std::string_view path);

// Whether this build reads and writes Excel workbooks. A build without the libraries
// they need (the Windows build) handles CSV only: a workbook is then refused with the
// reason below (after the file's name) and nothing is read or written.
#ifdef KESTRIO_NO_WORKBOOKS
inline constexpr bool kWorkbooksBuilt = false;
#else
inline constexpr bool kWorkbooksBuilt = true;
#endif
inline constexpr std::string_view kNoWorkbooksReadText =
    "this build of Kestrio cannot read Excel workbooks (.xlsx): save the sheet as CSV "
    "(.csv) and give that file instead";
inline constexpr std::string_view kNoWorkbooksWriteText =
    "this build of Kestrio cannot write Excel workbooks (.xlsx): give a file name ending "
    "in .csv instead";

struct SheetRequest {
  std::size_t sheet = 0;                 // a workbook's worksheet, from 0
  char delimiter = 0;                    // CSV: ',', ';' or '\t'; 0 detects it
  std::optional<TextEncoding> encoding;  // CSV: detected when not set
  SheetLimits limits;
};

struct SheetData {
  Status status = Status::Ok();  // not ok: rows is empty and nothing may be loaded
  SheetFormat format = SheetFormat::Csv;
  std::vector<std::string> sheet_names;        // a workbook's worksheets; empty for CSV
  std::size_t sheet = 0;                       // the one read
  char delimiter = ',';                        // CSV: the one used
  TextEncoding encoding = TextEncoding::Utf8;  // CSV: the one used
  bool date1904 = false;                       // a workbook whose date serials count from 1904
  CellRows rows;
  // The sheet has more rows than limits.max_rows: rows holds the first max_rows.
  bool truncated = false;
  // Things the organiser should know (merged cells, formulas without a saved value).
  std::vector<std::string> notes;
};

// The file's bytes as rows of cells. Never throws; every failure is in status.
SheetData ReadSpreadsheet(std::string_view bytes, SheetFormat format,
                          const SheetRequest& request = {});

// Writes table to path as CSV or as a workbook, by the path's extension (anything but
// ".xlsx" is CSV), replacing the file atomically: on failure the Status names the file
// and the reason and the previous file is intact.
Status WriteTableFile(FileSystem& fs, const std::string& path, const Table& table);

}  // namespace kestrio::sheets
