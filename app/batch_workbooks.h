#pragma once

// The batch's workbook reader and writer, loaded from its module
// (kestrio-batch-workbooks.so) only when a run reads or writes a workbook (see
// batch_modules.h for where the module is looked for). This file also gives the batch its
// sheets::ReadXlsx and sheets::EncodeXlsx, which call into the module.

#include <string>

#include "sheets/workbook_module.h"

namespace kestrio::app {

struct LoadedWorkbooks {
  const sheets::WorkbookFunctions* functions = nullptr;
  // Why there are no functions: where the module was looked for and what the loader said.
  std::string error;
};

// The module, loaded at the first call and kept for the whole process: every later call
// gives the same result.
const LoadedWorkbooks& BatchWorkbooks();

}  // namespace kestrio::app
