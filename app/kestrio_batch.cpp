// kestrio-batch: a pairing run from the command line, for organisers who script their
// scrimmage days. Works in the current directory, like the desktop program.

#include <iostream>
#include <string_view>
#include <vector>

#include "app/batch_options.h"
#include "app/batch_run.h"
#include "base/command_line.h"
#include "base/file_system.h"

int main(int argc, char** argv) {
  using namespace kestrio::app;
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
  return RunBatch(parsed.options, fs, std::cout, std::cerr);
}
