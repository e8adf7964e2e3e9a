// The workbook module kestrio-batch loads when a run reads or writes a workbook: the
// reader and writer every other program links, and nothing else.

#include <type_traits>

#include "sheets/workbook_module.h"

extern "C" __attribute__((visibility("default"))) const kestrio::sheets::WorkbookFunctions*
kestrio_workbook_functions() {
  // Checked against the declaration the batch calls through.
  static_assert(std::is_same_v<decltype(&kestrio_workbook_functions),
                               kestrio::sheets::WorkbookFunctionsGetter>);
  static constexpr kestrio::sheets::WorkbookFunctions kFunctions = {&kestrio::sheets::ReadXlsx,
                                                                    &kestrio::sheets::EncodeXlsx};
  return &kFunctions;
}
