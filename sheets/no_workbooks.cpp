// Excel workbooks in a build without libzip and expat (the Windows build):
// a workbook is refused with what to do instead, never taken for an empty sheet.

#include "sheets/spreadsheet.h"
#include "sheets/table.h"
#include "sheets/xlsx_reader.h"

namespace kestrio::sheets {

XlsxRead ReadXlsx(std::string_view, std::size_t, const SheetLimits&) {
  XlsxRead read;
  read.status = Status::BadSpreadsheet(std::string(kNoWorkbooksReadText));
  return read;
}

Status EncodeXlsx(const Table&, std::string*) {
  return Status::IoError(std::string(kNoWorkbooksWriteText));
}

}  // namespace kestrio::sheets
