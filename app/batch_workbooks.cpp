#include "app/batch_workbooks.h"

#include <dlfcn.h>

#include "app/batch_modules.h"

namespace kestrio::app {
namespace {

LoadedWorkbooks LoadWorkbooks() {
  const BatchModule module = OpenBatchModule("kestrio-batch-workbooks.so");
  if (module.handle == nullptr) {
    return {nullptr,
            DescribeModuleFault(
                module, "cannot read or write Excel workbooks: the workbook module is missing",
                "cannot load the workbook module: ")};
  }
  auto get = reinterpret_cast<sheets::WorkbookFunctionsGetter>(
      ::dlsym(module.handle, sheets::kWorkbookFunctionsSymbol));
  const sheets::WorkbookFunctions* functions = get != nullptr ? get() : nullptr;
  if (functions == nullptr || functions->read == nullptr || functions->encode == nullptr)
    return {nullptr, module.path + ": not a Kestrio workbook module"};
  return {functions, {}};
}

}  // namespace

const LoadedWorkbooks& BatchWorkbooks() {
  static const LoadedWorkbooks loaded = LoadWorkbooks();
  return loaded;
}

}  // namespace kestrio::app

namespace kestrio::sheets {

// The batch loads the module before a run that needs it and stops when it cannot; these
// still refuse the workbook, with the reason, should one be asked for without it.
XlsxRead ReadXlsx(std::string_view bytes, std::size_t sheet, const SheetLimits& limits) {
  const app::LoadedWorkbooks& workbooks = app::BatchWorkbooks();
  if (workbooks.functions == nullptr) {
    XlsxRead read;
    read.status = Status::BadSpreadsheet(workbooks.error);
    return read;
  }
  return workbooks.functions->read(bytes, sheet, limits);
}

Status EncodeXlsx(const Table& table, std::string* bytes) {
  const app::LoadedWorkbooks& workbooks = app::BatchWorkbooks();
  if (workbooks.functions == nullptr) return Status::IoError(workbooks.error);
  return workbooks.functions->encode(table, bytes);
}

}  // namespace kestrio::sheets
