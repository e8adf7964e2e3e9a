#pragma once

// The program's own roster data files: one line per entry in display order, in the same
// grammar the reader takes, so a data file loads like any roster text file.

#include <functional>
#include <string>
#include <string_view>

#include "base/file_system.h"
#include "roster/roster.h"

namespace kestrio::roster {

// Decides whether an entry is written (Save Display Data passes the view filter).
// An empty filter takes every entry.
using EntryFilter = std::function<bool(const Participant&)>;

// The data-file text: for every entry in display order that passes filter, its fields
// LastName, FirstName, Weight, Age, Rating, Club, Status, each trimmed and left-adjusted
// and followed by a TAB, and the line ended by CR LF. A blank name or club is written as
// one blank, so that every line loads back as the entry it was written from.
std::string RosterFileText(const Roster& roster, const EntryFilter& filter = {});

// Save All (no filter) and Save Display Data (the view filter). An empty roster writes
// nothing and returns Ok. Otherwise the file is replaced atomically: on failure the
// returned Status names the file and the reason, and the previous file stays intact.
// The roster is never changed.
Status SaveRosterFile(FileSystem& fs, const std::string& path, const Roster& roster,
                      const EntryFilter& filter = {});

}  // namespace kestrio::roster
