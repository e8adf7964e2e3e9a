#include "reports/by_hand_report.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "base/fixed_text.h"
#include "pairing/fit_index.h"
#include "reports/report_line.h"

namespace kestrio::reports {
namespace {

using pairing::BoutEntry;
using pairing::PairingRun;
using pairing::SelectedParticipant;

// A wrestler's names and club without their blanks, then the literals between them.
void NamesFromClub(ReportText& out, const SelectedParticipant& s) {
  out.Text(s.LastName.WithoutBlanks(), 15).Blanks(1).Text(s.FirstName.WithoutBlanks(), 15);
  out.Blanks(1).Literal(" from ").Text(s.Club.WithoutBlanks(), 5);
}

void WrestlerBlock(ReportText& out, const PairingRun& run, const pairing::FitIndex& relaxed,
                   const std::vector<std::vector<std::int32_t>>& opponents, int k) {
  const SelectedParticipant& s = run.SelectedList[static_cast<std::size_t>(k)];
  NamesFromClub(out, s);
  out.Literal(": ").Fixed(s.Weight, 5, 1).Blanks(2).Fixed(s.Age, 5, 1).Blanks(2);
  out.Fixed(s.Rating, 5, 1).EndLine();
  out.Blanks(15).Literal("Received only ").Int(run.BoutCount[static_cast<std::size_t>(k)], 3);
  out.Literal(" bout(s)").EndLine();
  // Tandrel Optimal says why no pairing could give the wrestler more bouts.
  const auto k_index = static_cast<std::size_t>(k);
  if (k_index < run.ShortfallReasons.size() && !run.ShortfallReasons[k_index].empty()) {
    out.Blanks(15).Literal(run.ShortfallReasons[k_index]).EndLine();
  }
  out.Blanks(15).Literal("Possible matches are:").EndLine();

  // The relaxed fits, with 0 for everyone k already wrestles: those are not listed.
  std::vector<std::pair<int, float>> candidates;
  const auto& met = opponents[static_cast<std::size_t>(k)];
  relaxed.ForEachPositiveFit(k, [&](int j, float fit) {
    if (std::find(met.begin(), met.end(), j) == met.end()) candidates.emplace_back(j, fit);
  });
  std::sort(candidates.begin(), candidates.end());
  for (const auto& [j, fit] : candidates) {
    out.Blanks(15);
    NamesFromClub(out, run.SelectedList[static_cast<std::size_t>(j)]);
    out.Literal(": fit= ").FixedInFull(fit, 6, 4);
    if (fit <= run.Control.MinGoodnessOfFitAllowed) out.Literal(" is below allowed minimum");
    out.EndLine();
  }
  if (candidates.empty()) {
    out.Blanks(15).Literal("No match within allowed fit tolerance can be identified").EndLine();
  }
  out.EndLine();
}

// The columns of one side of a non-optimum bout from its last name on; the names are
// the bout's left-aligned texts, cut.
void BoutSide(ReportText& out, const BoutEntry& e) {
  out.Text(e.LastName.view(), 15).Blanks(2).Text(e.FirstName.view(), 15).Blanks(2);
  out.Text(e.Club.view(), 5).Blanks(2).Fixed(e.Weight, 5, 1).Blanks(2).Fixed(e.Age, 4, 0);
  out.Blanks(2).Fixed(e.Rating, 5, 2).EndLine();
}

std::vector<std::vector<std::int32_t>> Opponents(const PairingRun& run) {
  std::vector<std::vector<std::int32_t>> opponents(static_cast<std::size_t>(run.SelectionSize));
  for (std::size_t i = 0; i + 1 < run.BoutList.size(); i += 2) {
    const int a = run.BoutList[i].SelectionIndex;
    const int b = run.BoutList[i + 1].SelectionIndex;
    opponents[static_cast<std::size_t>(a)].push_back(b);
    opponents[static_cast<std::size_t>(b)].push_back(a);
  }
  return opponents;
}

}  // namespace

void WriteByHandReportInto(const PairingRun& run, ReportText& out) {
  const auto short_of_minimum = [&run](int k) {
    return run.BoutCount[static_cast<std::size_t>(k)] < run.Control.MinBoutsWanted;
  };
  int first_short = 0;
  while (first_short < run.SelectionSize && !short_of_minimum(first_short)) ++first_short;
  // Candidates are looked for only when somebody is short: a board where everyone has
  // his bouts is rewritten without them.
  if (first_short < run.SelectionSize) {
    const std::vector<std::vector<std::int32_t>> opponents = Opponents(run);
    const pairing::FitIndex relaxed(run.FitList, pairing::RelaxedTolerances(run.Control));
    for (int k = first_short; k < run.SelectionSize; ++k) {
      if (short_of_minimum(k)) WrestlerBlock(out, run, relaxed, opponents, k);
    }
  }

  const std::string rule(66, '-');
  out.EndLine();
  out.Blanks(7).Literal(rule).EndLine();
  out.Blanks(7).Literal("Non-optimum bouts paired by the code as an attempt at hand pairing");
  out.EndLine();
  out.Blanks(7).Literal(rule).EndLine();

  for (int t = 0; t < run.TotalBouts; ++t) {
    const auto n = static_cast<std::size_t>(run.BoutOrder[static_cast<std::size_t>(t)]);
    const BoutEntry& first = run.BoutList[2 * n];
    if (first.BoutNumber > 0) continue;
    out.EndLine();
    out.Blanks(3).Int(first.BoutNumber, 4).Blanks(2).Int(first.WeightClass, 3).Blanks(2);
    BoutSide(out, first);
    out.Blanks(14);
    BoutSide(out, run.BoutList[2 * n + 1]);
  }
}

std::string WriteByHandReport(const PairingRun& run) {
  ReportText out;
  WriteByHandReportInto(run, out);
  return out.Take();
}

}  // namespace kestrio::reports
