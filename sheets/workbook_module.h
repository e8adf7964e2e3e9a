#pragma once

// kestrio-batch reads and writes workbooks with code it loads from a module of its own
// (kestrio-batch-workbooks.so), only for the runs that read or write one: linked in,
// libzip, expat and the libraries under them would cost every run their loading. The
// module exports one function by the name below, which gives the same reader and writer
// that the other programs link.

#include <cstddef>
#include <string>
#include <string_view>

#include "base/status.h"
#include "sheets/cells.h"
#include "sheets/table.h"
#include "sheets/xlsx_reader.h"

namespace kestrio::sheets {

struct WorkbookFunctions {
  XlsxRead (*read)(std::string_view bytes, std::size_t sheet, const SheetLimits& limits);
  Status (*encode)(const Table& table, std::string* bytes);
};

inline constexpr char kWorkbookFunctionsSymbol[] = "kestrio_workbook_functions";
using WorkbookFunctionsGetter = const WorkbookFunctions* (*)();

}  // namespace kestrio::sheets
