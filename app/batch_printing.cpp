#include "app/batch_printing.h"

#include <dlfcn.h>

#include <string>

#include "app/batch_modules.h"

namespace kestrio::app {

LoadedPrinter LoadBatchPrinter(const char* program_name) {
  const BatchModule module = OpenBatchModule("kestrio-batch-print.so");
  if (module.handle == nullptr) {
    return {nullptr,
            DescribeModuleFault(module, "cannot print PDF files: the printing module is missing",
                                "cannot load printing: ")};
  }
  auto open = reinterpret_cast<ui::OpenBatchPrintPortFunction>(
      ::dlsym(module.handle, ui::kOpenBatchPrintPortSymbol));
  if (open == nullptr) return {nullptr, module.path + ": not a Kestrio printing module"};
  std::string error;
  std::unique_ptr<ui::PrintPort> port(open(program_name, &error));
  if (port == nullptr) return {nullptr, "cannot start printing: " + error};
  return {std::move(port), {}};
}

}  // namespace kestrio::app
