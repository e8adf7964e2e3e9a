#include "pairing/optimal_reasons.h"

#include <algorithm>

#include "pairing/fit_index.h"

namespace kestrio::pairing {
namespace {

std::string Name(const PairingRun& run, int a) {
  const SelectedParticipant& s = run.SelectedList[a];
  return std::string(s.FirstName.WithoutBlanks()) + " " + std::string(s.LastName.WithoutBlanks());
}

std::string Names(const PairingRun& run, const std::vector<int>& who) {
  std::string out;
  for (const int a : who) {
    if (!out.empty()) out += ", ";
    out += Name(run, a);
  }
  return out;
}

std::vector<std::vector<int>> OpponentsOf(const PairingRun& run) {
  std::vector<std::vector<int>> opponents(static_cast<std::size_t>(run.SelectionSize));
  for (std::size_t i = 0; i + 1 < run.BoutList.size(); i += 2) {
    const int a = run.BoutList[i].SelectionIndex;
    const int b = run.BoutList[i + 1].SelectionIndex;
    opponents[a].push_back(b);
    opponents[b].push_back(a);
  }
  return opponents;
}

}  // namespace

std::vector<int> CandidatesOf(const PairingRun& run, int a) {
  const float min_fit = run.Control.MinGoodnessOfFitAllowed;
  std::vector<int> candidates;
  for (const FitTolerances& t : {OptimumTolerances(run.Control), RelaxedTolerances(run.Control)}) {
    const FitIndex index(run.FitList, t);
    index.ForEachPositiveFit(a, [&](int b, float fit) {
      if (fit > min_fit) candidates.push_back(b);
    });
  }
  std::sort(candidates.begin(), candidates.end());
  candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
  return candidates;
}

std::vector<ShortfallProof> ProveShortfalls(const PairingRun& run) {
  const PairingControl& c = run.Control;
  const std::vector<std::vector<int>> opponents = OpponentsOf(run);
  std::vector<ShortfallProof> proofs;
  for (int a = 0; a < run.SelectionSize; ++a) {
    if (run.BoutCount[a] >= c.MinBoutsWanted) continue;
    ShortfallProof proof;
    proof.wrestler = a;
    if (c.MaxBoutsAllowed < c.MinBoutsWanted) {
      proof.cause = ShortfallCause::AllowedBelowMinimum;
      proofs.push_back(proof);
      continue;
    }
    const std::vector<int> candidates = CandidatesOf(run, a);
    if (static_cast<int>(candidates.size()) < c.MinBoutsWanted) {
      proof.cause = ShortfallCause::FewCandidates;
      proof.named = candidates;
      proofs.push_back(proof);
      continue;
    }
    const auto& met = opponents[a];
    bool taken = true;
    for (const int b : candidates) {
      if (std::find(met.begin(), met.end(), b) != met.end()) continue;
      proof.named.push_back(b);
      taken = taken && run.BoutCount[b] >= c.MaxBoutsAllowed;
      for (const int o : opponents[b]) taken = taken && run.BoutCount[o] <= c.MinBoutsWanted;
    }
    proof.cause = taken ? ShortfallCause::CandidatesTaken : ShortfallCause::Unproven;
    proofs.push_back(proof);
  }
  return proofs;
}

std::string DescribeShortfall(const PairingRun& run, const ShortfallProof& proof) {
  const PairingControl& c = run.Control;
  switch (proof.cause) {
    case ShortfallCause::AllowedBelowMinimum:
      return "Why: at most " + std::to_string(c.MaxBoutsAllowed) +
             " bout(s) allowed, below the minimum of " + std::to_string(c.MinBoutsWanted) +
             " wanted";
    case ShortfallCause::FewCandidates:
      if (proof.named.empty()) return "Why: no candidate within the limits, even doubled";
      return "Why: only " + std::to_string(proof.named.size()) +
             " candidate(s) within the limits, even doubled: " + Names(run, proof.named);
    case ShortfallCause::CandidatesTaken:
      return "Why: every other candidate has " + std::to_string(c.MaxBoutsAllowed) +
             " bouts, the most allowed, each against a wrestler who needs it: " +
             Names(run, proof.named);
    case ShortfallCause::Unproven:
      break;
  }
  return "Why: not proven";
}

}  // namespace kestrio::pairing
