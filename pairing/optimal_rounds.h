#pragma once

// Tandrel Optimal's bouts arranged into rounds and numbered as the pairing run numbers
// its bouts, so that every report reads them as it reads the run's.

#include <utility>
#include <vector>

#include "pairing/optimal_solver.h"
#include "pairing/pairing_run.h"

namespace kestrio::pairing {

// A round (0-based) for every bout, each wrestler in at most one bout per round, using
// at most one round more than the most bouts any wrestler has (an edge colouring).
// Rounds are ordered by their number of bouts, most first.
std::vector<int> ArrangeRounds(int size, const std::vector<std::pair<int, int>>& bouts);

// Fills run's tables (BoutCount, BoutList, RoundTable, TotalBouts, RoundsUsed,
// BoutOrder) from the chosen bouts. run must hold the selection only. Optimum bouts
// are created first, then the non-optimum ones; the latter then move to the earliest
// round where both wrestlers are free, and all are numbered round by round, as the
// run's finishing steps do.
void FillOptimalRun(const std::vector<OptimalBout>& bouts, PairingRun& run);

}  // namespace kestrio::pairing
