#pragma once

// The re-pairing after a scratch or a late arrival done the plain way, for tests only:
// every fit written as a "%8.6f" text and read back, full scans for every chooser and
// partner, rounds and bout counts recounted from the bouts each time. The board's own
// re-pairing must add exactly the same bouts.

#include <vector>

#include "board/bout_board.h"

namespace kestrio::testing {

// Adds to board the bouts the rules give the wanting wrestlers, up to target each.
void PairWantingLiterally(board::BoutBoard& board, const std::vector<int>& wanting, int target);

// A scratch: the wrestler's bouts off, the flag on, his opponents below the minimum
// re-paired.
void ScratchLiterally(board::BoutBoard& board, int wrestler);

}  // namespace kestrio::testing
