#include "app/batch_printing.h"

#include <dlfcn.h>
#include <unistd.h>

#include <string>
#include <system_error>
#include <vector>

namespace kestrio::app {
namespace {

// The folder of the running program, from the kernel rather than from argv[0], which a
// shell or a script may give as any name at all.
std::string ProgramFolder() {
  std::string path(4096, '\0');
  const ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size());
  if (n <= 0 || static_cast<std::size_t>(n) >= path.size()) return {};
  path.resize(static_cast<std::size_t>(n));
  return path.substr(0, path.rfind('/') + 1);
}

}  // namespace

LoadedPrinter LoadBatchPrinter(const char* program_name) {
  const std::string folder = ProgramFolder();
  if (folder.empty()) return {nullptr, "cannot find the folder kestrio-batch runs from"};
  const std::string module_name = "kestrio-batch-print.so";
  // Only these two places: a module is never taken from the working folder or the
  // library path, where a roster's folder could hold anything.
  const std::vector<std::string> candidates = {
      folder + module_name, folder + KESTRIO_BATCH_PRINT_DIR + "/" + module_name};
  std::string tried;
  for (const std::string& path : candidates) {
    if (::access(path.c_str(), F_OK) != 0) {
      tried += (tried.empty() ? "" : ", ") + path;
      continue;
    }
    void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) return {nullptr, std::string("cannot load printing: ") + ::dlerror()};
    auto open = reinterpret_cast<ui::OpenBatchPrintPortFunction>(
        ::dlsym(module, ui::kOpenBatchPrintPortSymbol));
    if (open == nullptr) return {nullptr, path + ": not a Kestrio printing module"};
    std::string error;
    std::unique_ptr<ui::PrintPort> port(open(program_name, &error));
    if (port == nullptr) return {nullptr, "cannot start printing: " + error};
    return {std::move(port), {}};
  }
  return {nullptr,
          "cannot print PDF files: the printing module is missing (looked for " + tried + ")"};
}

}  // namespace kestrio::app
