#pragma once

// Sorting the display order again after a command changed the keys of a few entries.
//
// A selection command sorts the roster after every highlighted row, and a status is part
// of every sort key. Sorting 10,000 entries in full a hundred times is too slow, yet the
// order must be exactly the one roster::SortDisplayOrder gives, ties included (the
// pairing run gives earlier wrestlers first choice). This gives that order in time
// proportional to the roster, without comparing every key again.

#include <vector>

#include "roster/roster.h"

namespace kestrio::ui {

// Orders roster.DisplayOrder as roster::SortDisplayOrder would. Precondition: the order
// is sorted by |SortColumn| (1..8) when the entries in `changed` (storage indices, each
// once, keys already rebuilt) are left out.
void ResortAfterKeyChanges(roster::Roster& roster, const std::vector<int>& changed);

}  // namespace kestrio::ui
