#pragma once

// The modules kestrio-batch loads only for the runs that need them (printing, workbooks),
// so that every other run starts without loading the libraries under them. A module sits
// beside the program in the build tree, and in the library folder KESTRIO_BATCH_MODULE_DIR
// (relative to the program's folder) once installed.

#include <string>

namespace kestrio::app {

struct BatchModule {
  enum class Fault {
    kNone,       // loaded: handle is set
    kNoFolder,   // the running program's folder is unknown
    kMissing,    // in neither place: detail lists the paths looked at
    kNotLoaded,  // found at path, but the loader refused it: detail says why
  };
  void* handle = nullptr;
  Fault fault = Fault::kNone;
  std::string path;
  std::string detail;
};

// The module file_name found for the running program, loaded with every symbol bound
// now. A loaded module stays loaded for the rest of the process.
BatchModule OpenBatchModule(const std::string& file_name);

// The fault as the batch says it: "cannot find the folder kestrio-batch runs from" or
// what missing and refused say, each given the detail.
std::string DescribeModuleFault(const BatchModule& module, const std::string& missing,
                                const std::string& refused);

}  // namespace kestrio::app
