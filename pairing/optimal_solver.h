#pragma once

// Tandrel Optimal's choice of bouts, best first by these goals, each outweighing all
// that follow:
//   1. the fewest bouts missing to bring every wrestler to MinBoutsWanted;
//   2. the fewest non-optimum bouts (those only the doubled tolerances allow);
//   3. the fewest bouts beyond MaxBoutsWanted;
//   4. the highest total fit (six decimals; a non-optimum bout by its relaxed fit);
//   5. bouts for wrestlers earlier in the display order.
// No wrestler gets more than MaxBoutsAllowed bouts, no pair meets twice, and every bout
// has a fit above MinGoodnessOfFitAllowed under the tolerances it is made under.
//
// The first goal counts missing bouts, not wrestlers: giving every wrestler the minimum
// is a matching problem, while counting only those who reach it is not (its reward
// jumps at the minimum), so no exact method of this size exists for it.

#include <cstdint>
#include <vector>

#include "pairing/goodness_of_fit.h"
#include "pairing/optimal_pairs.h"
#include "pairing/pairing_control.h"
#include "pairing/pairing_run.h"

namespace kestrio::pairing {

struct OptimalBout {
  std::int32_t a = 0;  // the lower SelectionIndex
  std::int32_t b = 0;
  bool relaxed = false;  // a non-optimum bout
  std::int32_t fit = 0;  // millionths, under the tolerances it is made under
};

struct OptimalChoice {
  // False when the organiser cancelled or the roster is too large; nothing else is
  // then filled.
  bool Completed = false;
  // Far more bouts than any scrimmage holds (hundreds of thousands of wrestlers or of
  // bouts allowed each): the weights would not fit.
  bool TooLarge = false;
  // In ascending (a, b).
  std::vector<OptimalBout> Bouts;
  // Times the exact matching was solved before no left-out bout could improve it.
  int Solves = 0;
  // Candidate bouts in the last solve.
  int Candidates = 0;
};

// Tandrel Optimal's progress on a scale of kSteps, which it sets once.
class OptimalMeter {
 public:
  static constexpr int kSteps = 1000;
  // progress may be null.
  explicit OptimalMeter(PairingProgress* progress);
  // Advances to step (never back).
  void To(int step);
  bool Cancelled() const { return progress_ != nullptr && progress_->Cancelled(); }

 private:
  PairingProgress* progress_;
  int reached_ = 0;
};

// Uses the meter's steps up to 950 and stops early when it reports a cancel.
OptimalChoice ChooseOptimalBouts(const std::vector<FitInputs>& fits, const PairingControl& control,
                                 OptimalMeter& meter);

}  // namespace kestrio::pairing
