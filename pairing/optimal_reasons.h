#pragma once

// Why a wrestler stays below MinBoutsWanted after Tandrel Optimal, proved from the
// bouts themselves so that anyone can check it:
// - the most bouts allowed is below the minimum wanted; or
// - fewer candidates than the minimum exist at all, even under the doubled tolerances
//   (they are named); or
// - every candidate it does not wrestle already has the most bouts allowed, and every
//   opponent of those candidates has at most the minimum: any bout with a candidate
//   takes one from a wrestler who needs it (the candidates are named).
// A candidate is a wrestler whose fit to it is above MinGoodnessOfFitAllowed under the
// organiser's tolerances or the doubled ones.

#include <string>
#include <vector>

#include "pairing/pairing_run.h"

namespace kestrio::pairing {

enum class ShortfallCause { AllowedBelowMinimum, FewCandidates, CandidatesTaken, Unproven };

struct ShortfallProof {
  int wrestler = 0;  // SelectionIndex
  ShortfallCause cause = ShortfallCause::Unproven;
  // FewCandidates: all candidates; CandidatesTaken: the candidates it does not wrestle.
  // In display order.
  std::vector<int> named;
};

// Every candidate of wrestler a, in display order.
std::vector<int> CandidatesOf(const PairingRun& run, int a);

// One proof per wrestler below the minimum, in display order. Unproven marks a wrestler
// for whom none of the reasons holds, which a best pairing never leaves.
std::vector<ShortfallProof> ProveShortfalls(const PairingRun& run);

// The reason as the by-hand report states it, one line without its indent.
std::string DescribeShortfall(const PairingRun& run, const ShortfallProof& proof);

}  // namespace kestrio::pairing
