// Where the time of a batch pairing run goes, stage by stage, on a generated roster with
// every wrestler selected: loading, pairing, each report writer, and the whole run into
// an in-memory directory. The process as a whole is measured by scripts/measure-scaling.

#include <string>
#include <utility>

#include <benchmark/benchmark.h>

#include "bench/memory_file_system.h"
#include "bench/roster_generator.h"
#include "board/board_file.h"
#include "board/bout_board.h"
#include "pairing/pairing_run.h"
#include "reports/by_hand_report.h"
#include "reports/club_reports.h"
#include "reports/results_reports.h"
#include "reports/run_pairing.h"
#include "roster/roster_reader.h"
#include "roster/sort_display_order.h"

namespace kestrio::bench {
namespace {

std::string RosterText(int wrestlers) {
  RosterGeneratorOptions options;
  options.wrestlers = wrestlers;
  options.clubs = 40;
  options.all_selected = true;
  return GenerateRosterText(options);
}

roster::Roster LoadRoster(const std::string& text) {
  roster::Roster loaded;
  roster::ReadRosterText(text, loaded, roster::IgnoreSkippedLines());
  roster::Roster r;
  roster::AppendRoster(r, loaded);
  roster::ResetDisplayOrder(r);
  roster::SortDisplayOrder(r);
  return r;
}

// A generated roster and the run that paired it.
struct PairedRoster {
  roster::Roster roster;
  pairing::PairingRun run;
};

PairedRoster Paired(int wrestlers) {
  PairedRoster paired{LoadRoster(RosterText(wrestlers)), {}};
  (void)pairing::PairBouts(paired.roster, pairing::PairingControl(), nullptr, &paired.run);
  return paired;
}

pairing::PairingRun PairedRun(int wrestlers) { return Paired(wrestlers).run; }

void BM_LoadRoster(benchmark::State& state) {
  const std::string text = RosterText(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(LoadRoster(text));
}

void BM_PairBouts(benchmark::State& state) {
  const roster::Roster r = LoadRoster(RosterText(static_cast<int>(state.range(0))));
  for (auto _ : state) {
    pairing::PairingRun run;
    benchmark::DoNotOptimize(pairing::PairBouts(r, pairing::PairingControl(), nullptr, &run));
  }
}

// The bout board made from a run and its file: the last stage of a batch run.
void BM_BoardFromRun(benchmark::State& state) {
  const PairedRoster paired = Paired(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(board::BoardFromRun(paired.run, paired.roster));
}

void BM_FormatBoardFile(benchmark::State& state) {
  PairedRoster paired = Paired(static_cast<int>(state.range(0)));
  const board::BoutBoard b = board::BoardFromRun(std::move(paired.run), paired.roster);
  for (auto _ : state) benchmark::DoNotOptimize(board::FormatBoardFile(b, "roster.txt"));
}

template <typename Writer>
void WriterBench(benchmark::State& state, Writer writer) {
  const pairing::PairingRun run = PairedRun(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(writer(run));
}

void BM_WriteBoutSheets(benchmark::State& state) { WriterBench(state, reports::WriteBoutSheets); }
void BM_WriteResultsSummary(benchmark::State& state) {
  WriterBench(state, reports::WriteResultsSummary);
}
void BM_WriteByHandReport(benchmark::State& state) {
  WriterBench(state, reports::WriteByHandReport);
}
void BM_WriteBoutsByClub(benchmark::State& state) { WriterBench(state, reports::WriteBoutsByClub); }
void BM_WriteClubFiles(benchmark::State& state) {
  WriterBench(state, [](const pairing::PairingRun& run) { return reports::WriteClubFiles(run); });
}
void BM_WriteBoutsByBoutNumber(benchmark::State& state) {
  WriterBench(state, reports::WriteBoutsByBoutNumber);
}
void BM_CheckBoutTables(benchmark::State& state) {
  WriterBench(state, [](const pairing::PairingRun& run) { return reports::CheckBoutTables(run); });
}

// The report stage alone: every report of a finished run, written into an in-memory
// directory as a run writes them.
void BM_WriteRunReports(benchmark::State& state) {
  const pairing::PairingRun run = PairedRun(static_cast<int>(state.range(0)));
  bench::MemoryFileSystem dir;
  for (auto _ : state) benchmark::DoNotOptimize(reports::WriteRunReports(dir, run));
}

void BM_RunPairing(benchmark::State& state) {
  const roster::Roster r = LoadRoster(RosterText(static_cast<int>(state.range(0))));
  bench::MemoryFileSystem dir;
  for (auto _ : state) {
    pairing::PairingControl control;
    pairing::PairingRun run;
    benchmark::DoNotOptimize(reports::RunPairing(dir, r, &control, nullptr, &run));
  }
}

#define KESTRIO_SIZES ->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_LoadRoster) KESTRIO_SIZES;
BENCHMARK(BM_PairBouts) KESTRIO_SIZES;
BENCHMARK(BM_WriteBoutSheets) KESTRIO_SIZES;
BENCHMARK(BM_WriteResultsSummary) KESTRIO_SIZES;
BENCHMARK(BM_WriteByHandReport) KESTRIO_SIZES;
BENCHMARK(BM_WriteBoutsByClub) KESTRIO_SIZES;
BENCHMARK(BM_WriteClubFiles) KESTRIO_SIZES;
BENCHMARK(BM_WriteBoutsByBoutNumber) KESTRIO_SIZES;
BENCHMARK(BM_CheckBoutTables) KESTRIO_SIZES;
// The reports go to the files on a second thread: its time counts too.
BENCHMARK(BM_WriteRunReports) KESTRIO_SIZES->MeasureProcessCPUTime();
BENCHMARK(BM_RunPairing) KESTRIO_SIZES->MeasureProcessCPUTime();
BENCHMARK(BM_BoardFromRun) KESTRIO_SIZES;
BENCHMARK(BM_FormatBoardFile) KESTRIO_SIZES;

}  // namespace
}  // namespace kestrio::bench

BENCHMARK_MAIN();
