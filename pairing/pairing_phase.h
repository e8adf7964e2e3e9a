#pragma once

// The steps of a pairing run between gathering the wrestlers and the reports: the
// greedy pairing in rounds (used by both phases), the weight class of a bout, and the
// finishing steps that move non-optimum bouts forward and number every bout.
//
// Rounds are 1-based here, as the organiser counts them; RoundTable column r-1 holds
// round r.

#include <cstdint>
#include <vector>

#include "pairing/fit_index.h"
#include "pairing/pairing_run.h"

namespace kestrio::pairing {

// Marks a wrestler that was chosen in a round but found no partner, until the finish.
inline constexpr std::int32_t kNoPartnerMark = -99999;

// What a run carries from one phase to the next. run, and progress when not null,
// must outlive it.
struct PhaseWork {
  PairingRun* run = nullptr;
  PairingProgress* progress = nullptr;
  // Bouts created so far in either phase.
  std::int32_t Created = 0;
};

// Makes the RoundTable hold at least `rounds` rounds, keeping its contents. The table
// grows instead of capping the rounds: a run never writes past it and pairs exactly as
// if it had no limit.
void EnsureRounds(PairingRun& run, int rounds);

// Counts a bout of c and p with the given (creation) number and appends its two
// BoutList entries, c's first. The RoundTable is the caller's.
void AppendBout(PairingRun& run, std::int32_t number, int c, int p);

// Pairs in rounds from first_round on, handing out bout numbers with the given sign
// (+1 optimum, -1 relaxed) and measuring with index. Returns the last round that made
// a bout, or 0 when none did.
int RunPairingPhase(PhaseWork& work, FitIndex& index, int first_round, int sign);

// Clears the no-partner marks, moves non-optimum bouts to the earliest round where
// both wrestlers are free, and numbers all bouts in round order; fills RoundsUsed and
// BoutOrder, and narrows the RoundTable to the rounds used. last_round is the last round that made
// a bout in either phase.
void FinishBouts(PairingRun& run, int last_round);

}  // namespace kestrio::pairing
