#pragma once

// The per-run pairing state: who was selected, who wrestles whom in which round, and
// the numbered bouts every report reads.
//
// Indices are 0-based: SelectionIndex 0 is the first selected wrestler in display
// order, round index 0 is round 1. Bout numbers are values and stay 1-based and signed:
// a negative number marks a non-optimum bout (made under doubled limits).

#include <cstdint>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "base/fixed_text.h"
#include "pairing/goodness_of_fit.h"
#include "pairing/pairing_control.h"
#include "roster/roster.h"

namespace kestrio::pairing {

using text::FixedText;

// One selected wrestler as the run sees it: names and club with leading blanks removed
// and cut to 32 characters; numbers read from the roster's texts.
struct SelectedParticipant {
  FixedText<32> LastName;
  FixedText<32> FirstName;
  FixedText<32> Club;
  float Weight = 0;
  float Age = 0;
  float Rating = 0;
};

// One side of a bout. BoutList entries 2k and 2k+1 are the two sides of the k-th bout
// created: first the wrestler that chose, then its partner.
struct BoutEntry {
  // Final bout number after numbering, negative for a non-optimum bout.
  std::int32_t BoutNumber = 0;
  // The bout's weight class (from the mean of the two weights), the same on both sides.
  std::int32_t WeightClass = 0;
  FixedText<32> LastName;
  FixedText<32> FirstName;
  FixedText<5> Club;
  float Weight = 0;
  float Age = 0;
  float Rating = 0;
  std::int32_t SelectionIndex = 0;
};

// Receives the progress of a run: the range once, then one step per wrestler chosen in
// a round of either phase, whether or not a partner was found. Tandrel Optimal sets a
// range of its own and asks between steps whether the organiser cancelled.
class PairingProgress {
 public:
  virtual ~PairingProgress() = default;
  virtual void SetRange(int low, int high) = 0;
  virtual void Step() = 0;
  virtual bool Cancelled() { return false; }
};

struct PairingRun {
  int SelectionSize = 0;
  std::vector<SelectedParticipant> SelectedList;
  // Rounds held per wrestler (the width of RoundTable). While pairing, the table grows
  // as rounds are needed (a control allowing many bouts per wrestler) rather than
  // cutting the pairing short; a finished run holds only the rounds its bouts use, so
  // every reader scans only those.
  int RoundCapacity = 0;
  // Row-major SelectionSize x RoundCapacity: the signed bout number of wrestler a in
  // round index r, 0 when it has no bout there. Use RoundEntry.
  std::vector<std::int32_t> RoundTable;
  // Bouts per wrestler, both phases together.
  std::vector<std::int32_t> BoutCount;
  std::vector<BoutEntry> BoutList;
  int TotalBouts = 0;
  // Rounds that hold at least one bout; rounds past it hold only zeros.
  int RoundsUsed = 0;
  // BoutOrder[t-1] is the 0-based creation index k of the bout numbered t or -t, whose
  // sides are BoutList[2k] and BoutList[2k+1]. (A bout board edited after the run keeps
  // its numbers and leaves gaps: there BoutOrder lists the bouts in rising order of
  // their numbers.)
  std::vector<std::int32_t> BoutOrder;
  // The control values the run used.
  PairingControl Control;
  // What the fit of two wrestlers is computed from, by SelectionIndex: the numbers read
  // again from the roster's texts as 64-bit reals and the club. The fits themselves are
  // computed when needed (see FitIndex), never kept for every pair.
  std::vector<FitInputs> FitList;
  // Tandrel Optimal only: for each wrestler left below MinBoutsWanted (by
  // SelectionIndex), the one line that says why no pairing could do better; empty for
  // everyone else and for the greedy run.
  std::vector<std::string> ShortfallReasons;

  std::int32_t RoundEntry(int a, int round_index) const {
    return RoundTable[static_cast<std::size_t>(a) * RoundCapacity + round_index];
  }
  std::int32_t& RoundEntry(int a, int round_index) {
    return RoundTable[static_cast<std::size_t>(a) * RoundCapacity + round_index];
  }
};

// Replaces *run by the selected wrestlers of roster in display order (SelectedList,
// FitList) with empty tables and the control. A selected wrestler whose Weight, Age or
// Rating cannot be read gives an error naming the wrestler and leaves *run empty.
Status PrepareSelection(const roster::Roster& roster, const PairingControl& control,
                        PairingRun* run);

// The weight class of a bout: the mean of the two weights rounded to a whole number
// (halves up), then to the nearest multiple of 5 (remainders 3 and 4 go up). Weights
// come from 10-character texts; a mean of a billion or more, or one that is not a
// number, gives 1,000,000,000 and one of minus a billion or less -1,000,000,000, so that
// the class always fits its integer.
std::int32_t BoutWeightClass(float weight_a, float weight_b);

// One side of a bout: the wrestler's names, the first five characters of the club and
// the numbers, from the selection, with the bout's number and weight class.
BoutEntry MakeBoutEntry(const SelectedParticipant& wrestler, int selection_index,
                        std::int32_t bout_number, std::int32_t weight_class);

// Gathers the selected wrestlers in display order, pairs them in both phases, moves the
// non-optimum bouts forward and numbers every bout. A selected wrestler whose Weight,
// Age or Rating cannot be read stops it with an error naming the wrestler, before any
// pairing; *run then holds an empty run (no wrestlers, no bouts) with the control.
// *run is replaced in every case. progress may be null.
Status PairBouts(const roster::Roster& roster, const PairingControl& control,
                 PairingProgress* progress, PairingRun* run);

}  // namespace kestrio::pairing
