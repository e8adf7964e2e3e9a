#pragma once

// The alphabetical order of a run's selection, in which the per-club files list their
// wrestlers.

#include <vector>

#include "pairing/pairing_run.h"

namespace kestrio::reports {

// Selection indices ordered by surname, given name, age, weight and rating, in the order
// an exchange sort leaves them (base/exchange_order.h) starting from selection order:
// the per-club files list wrestlers equal in all five keys that way. Names compare
// without their leading and trailing blanks, by character code; numbers by value, a
// number that is not one (never read from a roster) after every number.
std::vector<int> AlphaIndex(const pairing::PairingRun& run);

}  // namespace kestrio::reports
