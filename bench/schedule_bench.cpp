// The mat schedule of a whole run's bout board: its time on the largest day, and how close
// it comes to the lower bound on the 1,000- and 10,000-wrestler rosters with 4, 8 and 16
// mats and a rest of 3 (counters "slots", "bound", "ratio" = slots / bound, and "within"
// = 1 when the schedule is within 2% of the bound plus one slot).

#include <string>

#include <benchmark/benchmark.h>

#include "bench/roster_generator.h"
#include "board/bout_board.h"
#include "pairing/pairing_run.h"
#include "reports/schedule_reports.h"
#include "roster/roster_reader.h"
#include "roster/sort_display_order.h"
#include "schedule/mat_schedule.h"

namespace kestrio::bench {
namespace {

std::vector<schedule::ScheduleBout> RunBouts(int wrestlers) {
  RosterGeneratorOptions options;
  options.wrestlers = wrestlers;
  options.clubs = 40;
  options.all_selected = true;
  roster::Roster loaded;
  roster::ReadRosterText(GenerateRosterText(options), loaded, roster::IgnoreSkippedLines());
  roster::Roster r;
  roster::AppendRoster(r, loaded);
  roster::ResetDisplayOrder(r);
  roster::SortDisplayOrder(r);
  pairing::PairingRun run;
  (void)pairing::PairBouts(r, pairing::PairingControl(), nullptr, &run);
  return reports::BoutsOfRun(board::BoardRun(board::BoardFromRun(run, r)));
}

void BM_ScheduleMats(benchmark::State& state) {
  const auto bouts = RunBouts(static_cast<int>(state.range(0)));
  const schedule::ScheduleRules rules{static_cast<int>(state.range(1)), 3, {}};
  schedule::MatSchedule s;
  for (auto _ : state) {
    s = schedule::ScheduleMats(bouts, rules);
    benchmark::DoNotOptimize(s.SlotsUsed);
  }
  state.counters["bouts"] = static_cast<double>(bouts.size());
  state.counters["slots"] = s.SlotsUsed;
  state.counters["bound"] = s.LowerBound;
  state.counters["ratio"] = s.LowerBound > 0 ? static_cast<double>(s.SlotsUsed) / s.LowerBound : 1;
  state.counters["idle"] = s.IdleSlots;
  state.counters["within"] = s.SlotsUsed <= 1.02 * s.LowerBound + 1 ? 1 : 0;
}

BENCHMARK(BM_ScheduleMats)
    ->ArgsProduct({{1000, 10000}, {4, 8, 16}})
    ->ArgNames({"wrestlers", "mats"})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kestrio::bench

BENCHMARK_MAIN();
