#include "base/command_line.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// shellapi.h needs what windows.h declares.
#include <shellapi.h>

#include "base/windows_text.h"
#endif

namespace kestrio {

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
#ifdef _WIN32
  int count = 0;
  if (LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count)) {
    std::vector<std::string> args;
    for (int i = 1; i < count; ++i) {
      std::string arg;
      Utf8FromWide(wide[i], &arg);
      args.push_back(std::move(arg));
    }
    ::LocalFree(wide);
    return args;
  }
#endif
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

}  // namespace kestrio
