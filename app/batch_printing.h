#pragma once

// The batch's printing, loaded from its module (kestrio-batch-print.so) only when a run
// asks for PDF files (see batch_modules.h for where the module is looked for).

#include <memory>
#include <string>

#include "ui/print_port.h"

namespace kestrio::app {

struct LoadedPrinter {
  std::unique_ptr<ui::PrintPort> port;
  // Why there is no port: where the module was looked for and what the loader said.
  std::string error;
};

// The printing port from the module found for the running program. The module stays
// loaded for the rest of the process: Qt does not come apart cleanly.
LoadedPrinter LoadBatchPrinter(const char* program_name);

}  // namespace kestrio::app
