// Tandrel Optimal on generated rosters with every wrestler selected, beside the greedy
// run on the same roster: time, and the wrestlers each leaves short of the minimum.

#include <benchmark/benchmark.h>

#include "bench/roster_generator.h"
#include "pairing/optimal_run.h"
#include "pairing/pairing_run.h"
#include "roster/roster_reader.h"
#include "roster/sort_display_order.h"

namespace kestrio::bench {
namespace {

roster::Roster SelectedRoster(int wrestlers) {
  RosterGeneratorOptions options;
  options.wrestlers = wrestlers;
  options.seed = 7;
  options.clubs = 30;
  options.all_selected = true;
  roster::Roster r;
  roster::ReadRosterText(GenerateRosterText(options), r, roster::IgnoreSkippedLines());
  roster::ResetDisplayOrder(r);
  roster::SortDisplayOrder(r);  // by weight, as the organiser's list starts
  return r;
}

int Short(const pairing::PairingRun& run) {
  int short_of_minimum = 0;
  for (const std::int32_t count : run.BoutCount) {
    short_of_minimum += count < run.Control.MinBoutsWanted;
  }
  return short_of_minimum;
}

int MissingBouts(const pairing::PairingRun& run) {
  int missing = 0;
  for (const std::int32_t count : run.BoutCount) {
    missing += std::max(run.Control.MinBoutsWanted - count, 0);
  }
  return missing;
}

// The organiser's default controls (0), or a demanding day (1): three bouts wanted and
// allowed each under tighter tolerances, where the greedy run leaves wrestlers short.
pairing::PairingControl Control(std::int64_t preset) {
  pairing::PairingControl control;
  if (preset == 1) {
    control.MaxAllowedDiffWeight = 5;
    control.MaxAllowedDiffAge = 1;
    control.MaxAllowedDiffRating = 1;
    control.MinBoutsWanted = 3;
    control.MaxBoutsWanted = 3;
    control.MaxBoutsAllowed = 3;
  }
  return control;
}

// Arguments: number of selected wrestlers, control preset.
void BM_PairBoutsOptimal(benchmark::State& state) {
  const roster::Roster r = SelectedRoster(static_cast<int>(state.range(0)));
  const pairing::PairingControl control = Control(state.range(1));
  pairing::PairingRun greedy;
  pairing::PairBouts(r, control, nullptr, &greedy);
  for (auto _ : state) {
    pairing::PairingRun run;
    const Status status = pairing::PairBoutsOptimal(r, control, nullptr, &run);
    benchmark::DoNotOptimize(status);
    state.counters["bouts"] = run.TotalBouts;
    state.counters["rounds"] = run.RoundsUsed;
    state.counters["short"] = Short(run);
    state.counters["missing"] = MissingBouts(run);
  }
  state.counters["greedy_bouts"] = greedy.TotalBouts;
  state.counters["greedy_short"] = Short(greedy);
  state.counters["greedy_missing"] = MissingBouts(greedy);
}
BENCHMARK(BM_PairBoutsOptimal)
    ->ArgsProduct({{1000, 5000, 10000}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
}  // namespace kestrio::bench

BENCHMARK_MAIN();
