#include "app/batch_modules.h"

#include <dlfcn.h>
#include <unistd.h>

#include <string>
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

BatchModule OpenBatchModule(const std::string& file_name) {
  BatchModule module;
  const std::string folder = ProgramFolder();
  if (folder.empty()) {
    module.fault = BatchModule::Fault::kNoFolder;
    return module;
  }
  // Only these two places: a module is never taken from the working folder or the
  // library path, where a roster's folder could hold anything.
  const std::vector<std::string> candidates = {folder + file_name,
                                               folder + KESTRIO_BATCH_MODULE_DIR + "/" + file_name};
  for (const std::string& path : candidates) {
    if (::access(path.c_str(), F_OK) != 0) {
      module.detail += (module.detail.empty() ? "" : ", ") + path;
      continue;
    }
    module.path = path;
    module.handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module.handle == nullptr) {
      module.fault = BatchModule::Fault::kNotLoaded;
      module.detail = ::dlerror();
    }
    return module;
  }
  module.fault = BatchModule::Fault::kMissing;
  return module;
}

std::string DescribeModuleFault(const BatchModule& module, const std::string& missing,
                                const std::string& refused) {
  switch (module.fault) {
    case BatchModule::Fault::kNone:
      return {};
    case BatchModule::Fault::kNoFolder:
      return "cannot find the folder kestrio-batch runs from";
    case BatchModule::Fault::kMissing:
      return missing + " (looked for " + module.detail + ")";
    case BatchModule::Fault::kNotLoaded:
      return refused + module.detail;
  }
  return {};
}

}  // namespace kestrio::app
