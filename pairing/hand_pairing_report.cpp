#include "pairing/hand_pairing_report.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "base/fixed_text.h"
#include "base/number_text.h"
#include "pairing/fit_index.h"

namespace kestrio::pairing {
namespace {

constexpr std::string_view kEol = "\r\n";
const std::string kIndent(15, ' ');

// text(w) of a name or club with its blanks removed: right-justified, or cut.
std::string Field(const FixedText<32>& t, std::size_t width) {
  return text::PadLeft(t.WithoutBlanks(), width);
}

void AppendWrestlerBlock(const PairingRun& run, const FitIndex& relaxed,
                         const std::vector<std::vector<std::int32_t>>& opponents, int k,
                         std::string& out) {
  const SelectedParticipant& s = run.SelectedList[k];
  out += Field(s.LastName, 15) + ' ' + Field(s.FirstName, 15) + "  from " + Field(s.Club, 5) +
         ": " + text::FormatFixed(s.Weight, 5, 1) + "  " + text::FormatFixed(s.Age, 5, 1) + "  " +
         text::FormatFixed(s.Rating, 5, 1);
  out += kEol;
  out += kIndent + "Received only " + text::FormatInt(run.BoutCount[k], 3) + " bout(s)";
  out += kEol;
  if (static_cast<std::size_t>(k) < run.ShortfallReasons.size() &&
      !run.ShortfallReasons[k].empty()) {
    out += kIndent + run.ShortfallReasons[k];
    out += kEol;
  }
  out += kIndent + "Possible matches are:";
  out += kEol;

  // The relaxed fits, with 0 for everyone k already wrestles: those are not listed.
  std::vector<std::pair<int, float>> candidates;
  const auto& met = opponents[k];
  relaxed.ForEachPositiveFit(k, [&](int j, float fit) {
    if (std::find(met.begin(), met.end(), j) == met.end()) candidates.emplace_back(j, fit);
  });
  std::sort(candidates.begin(), candidates.end());
  for (const auto& [j, fit] : candidates) {
    const SelectedParticipant& c = run.SelectedList[j];
    out += kIndent + Field(c.LastName, 15) + ' ' + Field(c.FirstName, 15) + "  from " +
           Field(c.Club, 5) + ": fit= " + text::FormatFixed(fit, 6, 4);
    if (fit <= run.Control.MinGoodnessOfFitAllowed) out += " is below allowed minimum";
    out += kEol;
  }
  if (candidates.empty()) {
    out += kIndent + "No match within allowed fit tolerance can be identified";
    out += kEol;
  }
  out += kEol;
}

// One side of a non-optimum bout; the names are the bout's left-aligned texts, cut.
std::string BoutSide(const BoutEntry& e) {
  return text::PadLeft(e.LastName.view(), 15) + "  " + text::PadLeft(e.FirstName.view(), 15) +
         "  " + e.Club.str() + "  " + text::FormatFixed(e.Weight, 5, 1) + "  " +
         text::FormatFixed(e.Age, 4, 0) + "  " + text::FormatFixed(e.Rating, 5, 2);
}

// The fit inputs of the run; a run put together by other code without them measures
// from the SelectedList instead (its numbers as 32-bit reals), rather than reading
// past the end of a list.
std::vector<FitInputs> FitInputsOf(const PairingRun& run) {
  if (run.FitList.size() == static_cast<std::size_t>(run.SelectionSize)) return run.FitList;
  std::vector<FitInputs> fits;
  std::vector<std::string_view> clubs;
  for (const SelectedParticipant& s : run.SelectedList) {
    const std::string_view club = s.Club.WithoutBlanks();
    auto found = std::find(clubs.begin(), clubs.end(), club);
    if (found == clubs.end()) found = clubs.insert(clubs.end(), club);
    fits.push_back({s.Weight, s.Age, s.Rating, static_cast<std::int32_t>(found - clubs.begin())});
  }
  return fits;
}

}  // namespace

std::string FormatByHandReport(const PairingRun& run) {
  std::vector<std::vector<std::int32_t>> opponents(static_cast<std::size_t>(run.SelectionSize));
  for (std::size_t i = 0; i + 1 < run.BoutList.size(); i += 2) {
    const int a = run.BoutList[i].SelectionIndex;
    const int b = run.BoutList[i + 1].SelectionIndex;
    opponents[a].push_back(b);
    opponents[b].push_back(a);
  }
  const std::vector<FitInputs> fits = FitInputsOf(run);
  const FitIndex relaxed(fits, RelaxedTolerances(run.Control));

  std::string out;
  for (int k = 0; k < run.SelectionSize; ++k) {
    if (run.BoutCount[k] < run.Control.MinBoutsWanted) {
      AppendWrestlerBlock(run, relaxed, opponents, k, out);
    }
  }

  const std::string rule = std::string(7, ' ') + std::string(66, '-');
  out += kEol;
  out += rule;
  out += kEol;
  out += std::string(7, ' ') + "Non-optimum bouts paired by the code as an attempt at hand pairing";
  out += kEol;
  out += rule;
  out += kEol;

  for (int t = 0; t < run.TotalBouts; ++t) {
    const std::size_t n = static_cast<std::size_t>(run.BoutOrder[t]);
    const BoutEntry& first = run.BoutList[2 * n];
    if (first.BoutNumber > 0) continue;
    out += kEol;
    out += "   " + text::FormatInt(first.BoutNumber, 4) + "  " +
           text::FormatInt(first.WeightClass, 3) + "  " + BoutSide(first);
    out += kEol;
    out += std::string(14, ' ') + BoutSide(run.BoutList[2 * n + 1]);
    out += kEol;
  }
  return out;
}

}  // namespace kestrio::pairing
