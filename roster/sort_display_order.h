#pragma once

// Ordering the roster's DisplayOrder by the key of SortColumn.

#include "roster/roster.h"

namespace kestrio::roster {

// Reorders roster.DisplayOrder by the keys of column |SortColumn| (ascending when
// SortColumn > 0, descending when < 0), comparing the 140 key bytes as unsigned values.
//
// The order is not stable: entries with equal keys end up in exactly the order that the
// roster's historical exchange sort leaves them, starting from the current DisplayOrder.
// The pairing run gives earlier wrestlers first choice of opponent, so ties matter.
// Runs in O(N log N) plus the cost of rearranging tied entries.
//
// Precondition: every entry's keys are built. A DisplayOrder of the wrong length is
// rebuilt as 0..N-1 before sorting. A |SortColumn| outside 1..8 leaves the order unchanged.
void SortDisplayOrder(Roster& roster);

}  // namespace kestrio::roster
