#pragma once

// The exact step of Tandrel Optimal: a maximum-weight degree-constrained subgraph.
//
// Every wrestler has a few slots, one per bout it may wrestle, each with a reward; the
// rewards of a wrestler never rise from one slot to the next, so its bouts always take
// its best slots first. Every candidate bout has a gain. The chosen bouts maximise the
// sum of their gains and of the rewards of the slots they fill.
//
// It is solved as a maximum-weight matching on the usual gadget: each slot is a node,
// each candidate bout two port nodes joined by an edge (bout not made) and each port
// joined to every slot of its wrestler (bout made). The solution comes with a price
// per wrestler from the matching's dual: a bout left out is worth adding only when its
// gain beats the two prices, which lets the caller grow the candidate bouts until none
// beats them, and so prove the result optimal among all bouts.

#include <cstdint>
#include <vector>

#include "pairing/optimal_weight.h"

namespace kestrio::pairing {

struct CandidateBout {
  std::int32_t a = 0;
  std::int32_t b = 0;
  Weight gain;
};

struct SlotProblem {
  // Slots of wrestler w: rewards [SlotStart[w], SlotStart[w+1]), never rising.
  std::vector<std::int32_t> SlotStart;
  std::vector<Weight> SlotReward;
  std::vector<CandidateBout> Bouts;
};

struct SlotSolution {
  // By candidate bout: made or not.
  std::vector<char> Made;
  // By wrestler, four times the price of one more bout for it: the lowest over its slots
  // of the dual value less four times the reward. Weight max for a wrestler without
  // slots. A bout (a, b) not among the candidates would improve the solution exactly
  // when four times its gain exceeds Price[a] + Price[b].
  std::vector<Weight> Price;
};

// Gains and rewards must keep every weight of the gadget within a quarter of the
// Weight range. The result depends only on the problem, not on earlier calls.
SlotSolution SolveSlotProblem(const SlotProblem& problem);

}  // namespace kestrio::pairing
