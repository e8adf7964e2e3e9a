// Roster operations at a large club-festival size: sorting the display order, opening a
// roster file and tagging duplicates, on 10,000 generated wrestlers.

#include <algorithm>
#include <random>
#include <string>

#include <benchmark/benchmark.h>

#include "bench/roster_generator.h"
#include "roster/duplicates.h"
#include "roster/roster_reader.h"
#include "roster/sort_display_order.h"

namespace kestrio::bench {
namespace {

constexpr int kWrestlers = 10000;

std::string RosterText() {
  RosterGeneratorOptions options;
  options.wrestlers = kWrestlers;
  options.seed = 42;
  options.clubs = 30;
  options.shared_key_fraction = 0.1;
  return GenerateRosterText(options);
}

roster::Roster LoadedRoster() {
  roster::Roster r;
  roster::ReadRosterText(RosterText(), r, roster::IgnoreSkippedLines());
  roster::ResetDisplayOrder(r);
  return r;
}

enum Start { kSorted = 0, kReversed = 1, kShuffled = 2 };

// Arguments: sort column (signed) and the starting order of DisplayOrder.
void BM_SortDisplayOrder(benchmark::State& state) {
  roster::Roster r = LoadedRoster();
  const int column = static_cast<int>(state.range(0));
  const auto start = static_cast<Start>(state.range(1));
  r.SortColumn = column;
  roster::SortDisplayOrder(r);
  if (start == kReversed) std::reverse(r.DisplayOrder.begin(), r.DisplayOrder.end());
  if (start == kShuffled)
    std::shuffle(r.DisplayOrder.begin(), r.DisplayOrder.end(), std::mt19937(3));
  const auto initial = r.DisplayOrder;
  for (auto _ : state) {
    state.PauseTiming();
    r.DisplayOrder = initial;
    state.ResumeTiming();
    roster::SortDisplayOrder(r);
    benchmark::DoNotOptimize(r.DisplayOrder.data());
  }
  state.SetItemsProcessed(state.iterations() * kWrestlers);
}
BENCHMARK(BM_SortDisplayOrder)
    ->ArgsProduct({{3, -3, 1, 7}, {kSorted, kReversed, kShuffled}})
    ->Unit(benchmark::kMillisecond);

// The hardest case for ties: 10,000 entries with only `range(0)` distinct keys, in a
// random starting order, so that every class is large and interleaved with smaller keys.
void BM_SortDisplayOrderHeavyTies(benchmark::State& state) {
  roster::Roster r;
  r.Entries.resize(kWrestlers);
  std::mt19937 rng(5);
  const auto distinct = static_cast<std::uint32_t>(state.range(0));
  for (roster::Participant& p : r.Entries) {
    p.Weight.Assign(text::PadLeft(std::to_string(100000 + rng() % distinct), 10));
  }
  roster::ResetDisplayOrder(r);
  std::shuffle(r.DisplayOrder.begin(), r.DisplayOrder.end(), rng);
  const auto initial = r.DisplayOrder;
  for (auto _ : state) {
    state.PauseTiming();
    r.DisplayOrder = initial;
    state.ResumeTiming();
    roster::SortDisplayOrder(r);
    benchmark::DoNotOptimize(r.DisplayOrder.data());
  }
}
BENCHMARK(BM_SortDisplayOrderHeavyTies)->Arg(2)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

// A file system that hands out one roster text, so the open flow is measured without disk.
class OneFileSystem : public FileSystem {
 public:
  explicit OneFileSystem(std::string text) : text_(std::move(text)) {}
  Status ReadFile(const std::string&, std::size_t, std::string* contents) override {
    *contents = text_;
    return Status::Ok();
  }
  Status WriteFileAtomic(const std::string&, std::string_view, Links) override {
    return Status::Ok();
  }
  bool Exists(const std::string&) override { return true; }
  bool IsRegularFile(const std::string&) override { return true; }
  Status Remove(const std::string&) override { return Status::Ok(); }
  Status CanOpenForWriting(const std::string&) override { return Status::Ok(); }

 protected:
  Status AcquireFolderLock(const std::string&, LockWait, std::string*) override {
    return Status::Ok();
  }
  void ReleaseFolderLock(const std::string&) override {}

 private:
  std::string text_;
};

// File > Open of a 10,000-line roster into an empty roster: both passes, append, reset
// and sort by weight.
void BM_OpenRosterFile(benchmark::State& state) {
  OneFileSystem fs(RosterText());
  for (auto _ : state) {
    roster::Roster r;
    const auto result = roster::OpenRosterFile(fs, "roster.txt", r, roster::IgnoreSkippedLines());
    benchmark::DoNotOptimize(result.added);
  }
  state.SetItemsProcessed(state.iterations() * kWrestlers);
}
BENCHMARK(BM_OpenRosterFile)->Unit(benchmark::kMillisecond);

void BM_TagDuplicates(benchmark::State& state) {
  const roster::Roster loaded = LoadedRoster();
  for (auto _ : state) {
    state.PauseTiming();
    roster::Roster r = loaded;
    state.ResumeTiming();
    roster::TagDuplicates(r);
    benchmark::DoNotOptimize(r.DisplayOrder.data());
  }
  state.SetItemsProcessed(state.iterations() * kWrestlers);
}
BENCHMARK(BM_TagDuplicates)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kestrio::bench

BENCHMARK_MAIN();
