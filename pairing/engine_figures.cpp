#include "pairing/engine_figures.h"

#include <algorithm>
#include <cstdio>

#include "base/fixed_text.h"
#include "base/number_text.h"

namespace kestrio::pairing {
namespace {

std::string Row(const std::string& caption, const std::string& greedy, const std::string& optimal) {
  std::string row = caption;
  row.resize(std::max<std::size_t>(row.size(), 36), ' ');
  return row + text::PadLeft(greedy, 9) + text::PadLeft(optimal, 17) + "\n";
}

std::string Fit(const EngineFigures& f, double value) {
  return f.Bouts == 0 ? std::string("-") : text::FormatFixed(value, 6, 4);
}

}  // namespace

EngineFigures CountsOf(const PairingRun& run) {
  EngineFigures f;
  for (const std::int32_t n : run.BoutCount) f.Short += n < run.Control.MinBoutsWanted;
  f.Bouts = run.TotalBouts;
  f.Rounds = run.RoundsUsed;
  for (std::size_t i = 0; i + 1 < run.BoutList.size(); i += 2) {
    f.NonOptimum += run.BoutList[i].BoutNumber < 0;
  }
  return f;
}

EngineFigures FiguresOf(const PairingRun& run) {
  EngineFigures f = CountsOf(run);
  const FitTolerances optimum = OptimumTolerances(run.Control);
  const FitTolerances relaxed = RelaxedTolerances(run.Control);
  const bool measured = run.FitList.size() == static_cast<std::size_t>(run.SelectionSize);
  double total = 0;
  f.WorstFit = 1;
  for (std::size_t i = 0; measured && i + 1 < run.BoutList.size(); i += 2) {
    const BoutEntry& a = run.BoutList[i];
    const BoutEntry& b = run.BoutList[i + 1];
    const double fit = GoodnessOfFit(run.FitList[a.SelectionIndex], run.FitList[b.SelectionIndex],
                                     a.BoutNumber < 0 ? relaxed : optimum);
    total += fit;
    f.WorstFit = std::min(f.WorstFit, fit);
  }
  f.MeanFit = f.Bouts > 0 ? total / f.Bouts : 0;
  if (f.Bouts == 0) f.WorstFit = 0;
  return f;
}

std::string FormatComparison(const EngineFigures& greedy, const EngineFigures& optimal,
                             int min_bouts_wanted) {
  auto n = [](int value) { return std::to_string(value); };
  return Row("", "Tandrel", "Tandrel Optimal") +
         Row("Wrestlers short of the minimum (" + n(min_bouts_wanted) + ")", n(greedy.Short),
             n(optimal.Short)) +
         Row("Bouts", n(greedy.Bouts), n(optimal.Bouts)) +
         Row("Mean fit", Fit(greedy, greedy.MeanFit), Fit(optimal, optimal.MeanFit)) +
         Row("Worst fit", Fit(greedy, greedy.WorstFit), Fit(optimal, optimal.WorstFit)) +
         Row("Non-optimum bouts", n(greedy.NonOptimum), n(optimal.NonOptimum)) +
         Row("Rounds", n(greedy.Rounds), n(optimal.Rounds));
}

}  // namespace kestrio::pairing
