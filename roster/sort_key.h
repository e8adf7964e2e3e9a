#pragma once

// The per-column ordering keys every entry carries, so that a sort compares fixed texts
// and never formats a number.

#include <array>

#include "roster/participant.h"

namespace kestrio::roster {

// Column 0 is a query: column becomes the number of key columns (8) and key is left
// alone. Columns 1-8 write that column's 140-character key into key. Any other column
// number does nothing.
//
// Text fields enter a key left-adjusted in their own width and the numbers (Weight, Age,
// Rating) right-adjusted, so that byte order follows numeric order for non-negative
// numbers with two decimals (9.50 before 10.00).
void BuildSortKey(int& column, const Participant& p, SortKey& key);

// Writes the keys of all eight columns (cell c-1 for column c) in one go.
void BuildAllSortKeys(const Participant& p, std::array<SortKey, kSortKeyColumns>& keys);

}  // namespace kestrio::roster
