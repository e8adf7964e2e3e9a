#pragma once

// The organiser's changes to the bout board by hand: add a bout, remove one, replace one
// wrestler of a bout, and close the gaps in the bout numbers.
//
// Every change either is made whole or leaves the board untouched and says why (kind
// kRefused). When change is not null it receives what was done, for Undo and Redo.

#include <cstdint>

#include "board/board_change.h"
#include "board/bout_board.h"

namespace kestrio::board {

// A bout between wrestlers a and b (board places), in the first round in which neither
// has a bout, numbered after the highest number ever given; the number is negative (a
// non-optimum bout) unless their fit under the organiser's limits is above the minimum.
// It is made by hand and locked. Refused for a wrestler against himself, a scratched
// wrestler, or two who already wrestle each other. *number receives its number.
Status AddBoutByHand(BoutBoard& board, int a, int b, BoardChange* change,
                     std::int32_t* number = nullptr);

// Takes the bout off the board; its number is not given again.
Status RemoveBout(BoutBoard& board, std::int32_t number, BoardChange* change);

// Wrestler `in` takes the place of wrestler `out` in the bout. The bout keeps its number
// (the sign follows the new fit, as for a bout added by hand) and its round when `in` is
// free in it, else it moves to the first round in which both are free. It becomes made by
// hand and locked. Refused when `out` is not in the bout, or `in` is scratched, is the
// other wrestler, or already wrestles him.
Status ReplaceWrestler(BoutBoard& board, std::int32_t number, int out, int in, BoardChange* change);

// Closes the gaps: the bouts, in the order of their numbers, become 1, 2, 3, ... with
// their signs; new bouts then follow the last of them.
void RenumberBouts(BoutBoard& board, BoardChange* change);

// The bout as the board makes it for a and b in the given round, numbered `magnitude`
// with the sign of the phase (relaxed: negative). Id and flags are left to the caller.
Bout MakeBout(const BoutBoard& board, int a, int b, std::int32_t round, std::int32_t magnitude,
              bool relaxed);

// True when a bout of a and b is optimum: their fit under the organiser's limits is
// above the minimum.
bool IsOptimumPair(const BoutBoard& board, int a, int b);

}  // namespace kestrio::board
