#pragma once

// Ordering the roster's DisplayOrder by the key of SortColumn.
//
// The order is the one an exchange sort leaves (base/exchange_order.h), starting from the
// current DisplayOrder: entries with equal keys are not kept in their starting order but
// end up where the exchange procedure puts them. The pairing run gives earlier wrestlers
// first choice of opponent, so the order of ties is part of the result.

#include <vector>

#include "roster/roster.h"

namespace kestrio::roster {

// Reorders roster.DisplayOrder by the keys of column |SortColumn| (ascending when
// SortColumn > 0, descending when < 0; roster/sort_key.h). Runs in O(N log N) plus the
// cost of rearranging tied entries. A DisplayOrder of the wrong length is rebuilt as
// 0..N-1 before sorting. A |SortColumn| outside 1..8 leaves the order unchanged.
void SortDisplayOrder(Roster& roster);

// True when DisplayOrder already stands in the order of SortColumn, so that sorting it
// again would leave it as it is (always true for a |SortColumn| outside 1..8).
bool IsDisplayOrderSorted(const Roster& roster);

// The order SortDisplayOrder would give, after the keys of a few entries changed: a
// selection command sorts after every highlighted row, and sorting 10,000 entries in full
// a hundred times is too slow. Takes time proportional to the roster plus the work on
// the changed entries and the classes of equal keys they join or leave.
//
// Precondition: |SortColumn| is 1..8, and the order is sorted when the entries in
// `changed` (storage indices, each once) are left out.
void SortDisplayOrderAfterChanges(Roster& roster, const std::vector<int>& changed);

// True when each entry at the given positions of DisplayOrder stands in order with its
// neighbours (always true for a |SortColumn| outside 1..8). When the order was sorted
// before the keys of those entries changed, this says in time proportional to the
// positions whether it still is: the exchange sort leaves a sorted order as it stands,
// so a command whose changes keep every entry in place needs no sort at all.
bool IsDisplayOrderSortedAround(const Roster& roster, const std::vector<std::size_t>& positions);

}  // namespace kestrio::roster
