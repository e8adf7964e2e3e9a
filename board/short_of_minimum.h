#pragma once

// The wrestlers still short of the minimum wanted, with the partners worth a call: what
// the by-hand report lists, for the organiser to add bouts from.

#include <cstddef>
#include <vector>

#include "board/bout_board.h"

namespace kestrio::board {

struct Candidate {
  int wrestler = -1;  // board place
  // Under the relaxed limits, as the by-hand report shows it.
  float fit = 0;
  // At or below the minimum fit: the bout would be non-optimum.
  bool below_minimum = false;
};

struct ShortWrestler {
  int wrestler = -1;  // board place
  std::int32_t bouts = 0;
  // Everyone not scratched whom he does not wrestle yet and whose relaxed fit to him is
  // above 0: the best first (ties by board place), at most max_candidates of them.
  std::vector<Candidate> candidates;
  // How many there are in all.
  std::size_t candidate_count = 0;
};

// The wrestlers not scratched with fewer bouts than MinBoutsWanted, in board order.
std::vector<ShortWrestler> ShortOfMinimum(const BoutBoard& board, std::size_t max_candidates = 10);

}  // namespace kestrio::board
