#pragma once

// Tandrel Optimal: the same selection, tables and reports as the pairing run, with the
// bouts chosen by the best pairing there is (optimal_solver.h) instead of greedily in
// rounds.

#include <string_view>

#include "pairing/pairing_run.h"

namespace kestrio::pairing {

enum class PairingEngine { Greedy, Optimal };

inline constexpr std::string_view kOptimalCancelledText =
    "Tandrel Optimal was cancelled: no bouts were paired.";

inline constexpr std::string_view kOptimalTooLargeText =
    "Too many wrestlers or bouts for Tandrel Optimal: no bouts were paired. Use Run Tandrel.";

// Like PairBouts, with the optimal choice of bouts; also fills ShortfallReasons. When
// progress reports a cancel, returns an error and leaves *run empty (the control
// kept); so does a roster far too large for it. progress may be null.
Status PairBoutsOptimal(const roster::Roster& roster, const PairingControl& control,
                        PairingProgress* progress, PairingRun* run);

// PairBouts or PairBoutsOptimal.
Status PairWith(PairingEngine engine, const roster::Roster& roster, const PairingControl& control,
                PairingProgress* progress, PairingRun* run);

}  // namespace kestrio::pairing
