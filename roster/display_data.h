#pragma once

// File > Print Display Data: a fixed-column listing of the displayed entries.

#include <string>
#include <string_view>

#include "base/file_system.h"
#include "roster/roster.h"
#include "roster/roster_writer.h"

namespace kestrio::roster {

inline constexpr std::string_view kDisplayDataFileName = "DisplayData.dat";

// The listing: two 75-character header lines, then one line per entry in display order
// that passes filter (empty filter: every entry), trailing blanks removed; CR LF endings.
std::string DisplayDataText(const Roster& roster, const EntryFilter& filter = {});

// Replaces the listing at path (normally "DisplayData.dat" in the working directory) as
// a whole, so a full disk leaves the previous listing intact; links as for any replacing
// write (the program's own scratch file replaces a link, a path the organiser chose is
// written through it). Handing it to the viewer and deleting it afterwards is the
// caller's business. On failure the Status names the file and the reason.
Status ExportDisplayData(FileSystem& fs, const Roster& roster, const EntryFilter& filter = {},
                         const std::string& path = std::string(kDisplayDataFileName),
                         Links links = Links::kReplace);

}  // namespace kestrio::roster
