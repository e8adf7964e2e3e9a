#pragma once

// Excel workbooks (.xlsx): a zip archive of XML parts, unpacked in memory with libzip and
// read with expat, part by part, within the limits.
//
// Refused with a message saying why (the caller adds the file name): a file that is not
// a zip archive or lacks a part a workbook needs, a workbook protected with a password,
// an old .xls workbook, one that unpacks to more than limits.max_unpacked_bytes or holds
// more than limits.max_cells cells, and malformed XML.

#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "sheets/cells.h"

namespace kestrio::sheets {

struct XlsxRead {
  Status status = Status::Ok();  // not ok: rows is empty and nothing may be loaded
  // The worksheets in tab order (chart sheets left out); sheet is an index into it.
  std::vector<std::string> sheet_names;
  std::size_t sheet = 0;
  bool date1904 = false;
  CellRows rows;
  // Rows beyond limits.max_rows hold cells that were left out.
  bool truncated = false;
  // What the organiser should know about the sheet: merged cells, formulas without a
  // saved value.
  std::vector<std::string> notes;
};

// Reads worksheet number sheet (from 0) of the workbook in bytes; a sheet past the last
// reads the first.
XlsxRead ReadXlsx(std::string_view bytes, std::size_t sheet = 0, const SheetLimits& limits = {});

}  // namespace kestrio::sheets
