// kestrio-batch: a pairing run from the command line, for organisers who script their
// scrimmage days. Works in the current directory, like the desktop program.

#include <iostream>
#include <memory>
#include <string_view>
#include <vector>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "app/batch_options.h"
#include "app/batch_run.h"
#include "base/command_line.h"
#include "base/file_system.h"

#ifdef KESTRIO_BATCH_PRINTING
#include "app/batch_printing.h"
#endif
#ifdef KESTRIO_BATCH_WORKBOOKS
#include "app/batch_workbooks.h"
#endif

int main(int argc, char** argv) {
  using namespace kestrio::app;
#if defined(__GLIBC__)
  // A run is short and builds its large texts and tables one after another. By default
  // each large block freed goes back to the system and the next one is faulted in
  // again, page by page; kept in the heap, a third of the run's page faults go.
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif
  std::ios::sync_with_stdio(false);
  // Roster paths arrive as UTF-8 on every system, as the file system expects them.
  const std::vector<std::string> arguments = kestrio::CommandLineArguments(argc, argv);
  const std::vector<std::string_view> args(arguments.begin(), arguments.end());
  const ParsedArguments parsed = ParseBatchArguments(args);
  if (!parsed.error.empty()) {
    std::cerr << "kestrio-batch: " << parsed.error << "\nTry 'kestrio-batch --help'.\n";
    return kBatchUsage;
  }
  if (parsed.options.show_help) {
    std::cout << BatchUsage();
    return kBatchOk;
  }
  if (parsed.options.show_version) {
    std::cout << kBatchVersion << "\n";
    return kBatchOk;
  }
  kestrio::RealFileSystem fs;
#ifdef KESTRIO_BATCH_WORKBOOKS
  // Workbooks are read and written by a module loaded only for the runs that need one;
  // loaded before the run, so that a missing module stops the batch before it writes
  // anything.
  if (ReadsOrWritesWorkbooks(parsed.options) && BatchWorkbooks().functions == nullptr) {
    std::cerr << "kestrio-batch: " << BatchWorkbooks().error << '\n';
    return kBatchFailed;
  }
#endif
#ifdef KESTRIO_BATCH_PRINTING
  // Printing draws with Qt, loaded only for the runs that print. Loaded before the run,
  // so that a missing module stops the batch before it writes anything.
  if (parsed.options.bout_sheets_pdf || parsed.options.mat_lists_pdf) {
    const LoadedPrinter printer = LoadBatchPrinter(argv[0]);
    if (printer.port == nullptr) {
      std::cerr << "kestrio-batch: " << printer.error << '\n';
      return kBatchFailed;
    }
    return RunBatch(parsed.options, fs, std::cout, std::cerr, printer.port.get());
  }
#endif
  return RunBatch(parsed.options, fs, std::cout, std::cerr);
}
