#pragma once

// The command lines that show the pairing reports in the text viewer.

#include <string>
#include <string_view>
#include <vector>

#include "roster/roster.h"

namespace kestrio::ui {

inline constexpr std::string_view kViewerProgram = "NotePad.exe ";

// "NotePad.exe " + file_name.
std::string ViewerCommandLine(std::string_view file_name);

// By Club: the all-clubs report, then one report per distinct club among the selected
// entries, in ascending byte order of the 15-character club field (leading blanks kept,
// so " Ajax" comes before "Ajax" and both get a viewer). A blank club gets none.
std::vector<std::string> ByClubCommandLines(const roster::Roster& roster);

}  // namespace kestrio::ui
