// The pairing engine on generated rosters with every wrestler selected: both phases,
// moving and numbering (PairBouts), and the by-hand report it feeds.

#include <string>

#include <benchmark/benchmark.h>

#include "bench/roster_generator.h"
#include "pairing/pairing_run.h"
#include "reports/by_hand_report.h"
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

// Argument: number of selected wrestlers.
void BM_PairBouts(benchmark::State& state) {
  const roster::Roster r = SelectedRoster(static_cast<int>(state.range(0)));
  const pairing::PairingControl control;
  for (auto _ : state) {
    pairing::PairingRun run;
    const Status status = pairing::PairBouts(r, control, nullptr, &run);
    benchmark::DoNotOptimize(status);
    state.counters["bouts"] = run.TotalBouts;
    state.counters["rounds"] = run.RoundsUsed;
  }
}
BENCHMARK(BM_PairBouts)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);

void BM_ByHandReport(benchmark::State& state) {
  const roster::Roster r = SelectedRoster(static_cast<int>(state.range(0)));
  pairing::PairingRun run;
  pairing::PairBouts(r, pairing::PairingControl(), nullptr, &run);
  for (auto _ : state) {
    const std::string report = reports::WriteByHandReport(run);
    benchmark::DoNotOptimize(report.data());
    state.counters["bytes"] = static_cast<double>(report.size());
  }
}
BENCHMARK(BM_ByHandReport)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kestrio::bench

BENCHMARK_MAIN();
