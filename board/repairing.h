#pragma once

// After the run: scratches and late arrivals, each followed by a re-pairing that adds
// bouts by the run's own rules and touches no other bout.
//
// The re-pairing plays the two phases of a run over the wrestlers that want bouts, on
// the board as it stands: a first pass under the organiser's limits, then one under the
// relaxed limits, whose bouts are non-optimum. Each pass goes in rounds as a phase does:
// in a round the wanting wrestlers choose in order of fewest bouts, then board place,
// each taking the partner with the highest fit above the minimum among the wrestlers
// not scratched, below the hard maximum, not yet chosen or taken in the round and not
// met before (ties go to the earlier board place); a pass ends after a round without a
// bout. A new bout goes into the first round in which neither wrestler has a bout and
// takes the next number after the highest ever given.

#include <vector>

#include "board/board_change.h"
#include "board/bout_board.h"
#include "roster/roster.h"

namespace kestrio::board {

// Scratches the wrestler at board place `wrestler` (a no-show, an injury): his bouts come
// off the board, locked ones too, as he is not there to wrestle them, and every opponent
// left below the minimum wanted is re-paired up to it. Refused when he is already
// scratched. The roster status is the caller's business.
Status ScratchWrestler(BoutBoard& board, int wrestler, BoardChange* change);

// The late arrivals: the roster's "Selected" entries, in display order, that no wrestler
// on the board (not scratched) stands for. Twins count: two identical entries need two
// wrestlers on the board. Storage indices.
std::vector<int> LateArrivals(const BoutBoard& board, const roster::Roster& roster);

// Puts the late arrivals (entries of roster, storage indices) on the board and pairs them
// up to the maximum wanted. A scratched wrestler who turns up after all takes his old
// place again. Refused, changing nothing, when there is nobody to add or when a
// newcomer's weight, age or rating is not a number.
Status PairLateArrivals(BoutBoard& board, const roster::Roster& roster,
                        const std::vector<int>& arrivals, BoardChange* change);

// The re-pairing itself, for the wrestlers (board places) that want bouts, up to `target`
// bouts each; recorded through recorder. Exposed for tests.
void PairWanting(BoutBoard& board, const std::vector<int>& wanting, int target,
                 ChangeRecorder& recorder);

}  // namespace kestrio::board
