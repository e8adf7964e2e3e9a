// Memory per wrestler: the peak resident memory of a process that opens a roster file,
// and of one that opens it, pairs every wrestler and writes every report, as the
// organiser's machine sees it (the file read from disk, the reports written to disk).
// Each case runs in a fresh process of its own (this program started again), so that
// nothing the benchmark itself holds counts; the counters give the whole process's peak,
// in megabytes and per wrestler.
//
//   bench/memory_bench --benchmark_filter=/1000000
//
// Targets for 1,000,000 wrestlers: below 400 MB opened, below 1 GB opened, paired and
// reported.

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "bench/roster_generator.h"
#include "pairing/pairing_control.h"
#include "pairing/pairing_run.h"
#include "reports/run_pairing.h"
#include "roster/roster_reader.h"

extern char** environ;

namespace kestrio::bench {
namespace {

namespace fs = std::filesystem;

// A scratch folder holding a generated roster file of n wrestlers, all selected.
class RosterOnDisk {
 public:
  explicit RosterOnDisk(int n) {
    folder_ = fs::temp_directory_path() / ("kestrio-memory-" + std::to_string(::getpid()));
    fs::create_directories(folder_);
    RosterGeneratorOptions options;
    options.wrestlers = n;
    options.clubs = 40;
    options.all_selected = true;
    std::ofstream(file(), std::ios::binary) << GenerateRosterText(options);
  }
  ~RosterOnDisk() {
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }
  std::string file() const { return (folder_ / "roster.txt").string(); }

 private:
  fs::path folder_;
};

// The child's work: "open" a roster file, or "pair" it too and write every report into
// the file's folder. Returns the exit status.
int ChildWork(std::string_view work, const std::string& file) {
  RealFileSystem disk;
  roster::Roster roster;
  if (!roster::OpenRosterFile(disk, file, roster, roster::IgnoreSkippedLines()).status.ok()) {
    return 1;
  }
  if (work == "open") return roster.EntryCount() > 0 ? 0 : 1;
  fs::current_path(fs::path(file).parent_path());
  pairing::PairingControl control;
  pairing::PairingRun run;
  return reports::RunPairing(disk, roster, &control, nullptr, &run).Completed() ? 0 : 1;
}

// Runs this program again on the work; returns the peak resident bytes of that process,
// or -1 when it failed.
long PeakOfFreshProcess(const char* work, const std::string& file) {
  const std::string self = fs::read_symlink("/proc/self/exe").string();
  char* argv[] = {const_cast<char*>(self.c_str()), const_cast<char*>("--child"),
                  const_cast<char*>(work), const_cast<char*>(file.c_str()), nullptr};
  pid_t child = 0;
  if (::posix_spawn(&child, self.c_str(), nullptr, nullptr, argv, environ) != 0) return -1;
  int status = 0;
  rusage usage{};
  if (::wait4(child, &status, 0, &usage) != child) return -1;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  return usage.ru_maxrss * 1024L;  // Linux gives kilobytes
}

void Measure(benchmark::State& state, const char* work) {
  const RosterOnDisk on_disk(static_cast<int>(state.range(0)));
  long peak = -1;
  for (auto _ : state) peak = PeakOfFreshProcess(work, on_disk.file());
  if (peak < 0) {
    state.SkipWithError("the work failed in the child process");
    return;
  }
  state.counters["peak_MB"] = static_cast<double>(peak) / 1e6;
  state.counters["bytes_per_wrestler"] = static_cast<double>(peak) / state.range(0);
}

void BM_PeakMemoryOpen(benchmark::State& state) { Measure(state, "open"); }
BENCHMARK(BM_PeakMemoryOpen)->Arg(100000)->Arg(1000000)->Iterations(1)->Unit(benchmark::kSecond);

void BM_PeakMemoryOpenPairReport(benchmark::State& state) { Measure(state, "pair"); }
BENCHMARK(BM_PeakMemoryOpenPairReport)
    ->Arg(100000)
    ->Arg(1000000)
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

}  // namespace
}  // namespace kestrio::bench

int main(int argc, char** argv) {
  if (argc == 4 && std::string_view(argv[1]) == "--child") {
    return kestrio::bench::ChildWork(argv[2], argv[3]);
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
