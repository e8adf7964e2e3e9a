#pragma once

// The program's arguments as UTF-8, the core's text for paths. On Windows, main's argv
// is in the ANSI code page, where a roster named in Cyrillic turns into question marks;
// the arguments are taken from the wide command line instead.

#include <string>
#include <vector>

namespace kestrio {

// The arguments after the program's name.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

}  // namespace kestrio
