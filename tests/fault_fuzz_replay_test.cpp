// Replays the fuzz targets' seed corpora and every input a fuzzer once found to break a
// property (fuzz/corpus/<target>/, fuzz/regressions/<target>/) through the same checks,
// so that the ordinary and sanitizer test runs keep them fixed without libFuzzer.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/control_properties.h"
#include "fuzz/number_read_properties.h"
#include "fuzz/pipeline_properties.h"
#include "fuzz/roster_properties.h"
#include "fuzz/sheet_properties.h"

namespace kestrio {
namespace {

namespace fs = std::filesystem;

using Check = std::function<std::string(std::string_view)>;

fs::path FuzzDirectory() { return fs::path(__FILE__).parent_path().parent_path() / "fuzz"; }

// Runs check over every file of corpus/<target> and regressions/<target>; returns how
// many inputs it ran.
int Replay(const std::string& target, const Check& check) {
  int inputs = 0;
  for (const char* kind : {"corpus", "regressions"}) {
    const fs::path dir = FuzzDirectory() / kind / target;
    if (!fs::is_directory(dir)) continue;
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(dir)) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
      std::ifstream in(file, std::ios::binary);
      const std::string input((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
      EXPECT_EQ(check(input), "") << file;
      ++inputs;
    }
  }
  return inputs;
}

TEST(FuzzReplay, NumberRead) { EXPECT_GT(Replay("number_read", fuzz::CheckNumberRead), 0); }

TEST(FuzzReplay, RosterLine) {
  EXPECT_GT(Replay("roster_line", fuzz::CheckRosterLine), 0);
  // Every line of the file corpus is a line too.
  EXPECT_GT(Replay("roster_file", fuzz::CheckRosterLine), 0);
}

TEST(FuzzReplay, RosterFile) { EXPECT_GT(Replay("roster_file", fuzz::CheckRosterText), 0); }

TEST(FuzzReplay, CsvRead) { EXPECT_GT(Replay("csv_read", fuzz::CheckCsvRead), 0); }

#ifndef KESTRIO_NO_WORKBOOKS  // a build that reads no workbooks has no sheet XML to check
TEST(FuzzReplay, SheetXml) { EXPECT_GT(Replay("sheet_xml", fuzz::CheckSheetXml), 0); }
#endif

TEST(FuzzReplay, ControlFile) { EXPECT_GT(Replay("control_file", fuzz::CheckControlFile), 0); }

TEST(FuzzReplay, PairingPipeline) {
  EXPECT_GT(Replay("pairing_pipeline", fuzz::CheckPairingPipeline), 0);
}

// The checks themselves catch what they claim to: a property that never fails proves
// nothing.
TEST(FuzzReplay, ChecksRejectBrokenRuns) {
  pairing::PairingRun run;
  run.SelectionSize = 2;
  run.RoundCapacity = 3;
  run.SelectedList.resize(2);
  run.BoutCount = {1, 1};
  run.RoundTable.assign(2 * static_cast<std::size_t>(run.RoundCapacity), 0);
  run.RoundTable[0] = 1;
  run.RoundTable[static_cast<std::size_t>(run.RoundCapacity)] = 1;
  run.TotalBouts = 1;
  run.RoundsUsed = 1;
  run.BoutOrder = {0};
  run.BoutList.resize(2);
  run.BoutList[0].BoutNumber = run.BoutList[1].BoutNumber = 1;
  run.BoutList[1].SelectionIndex = 1;
  pairing::PairingControl control;

  fuzz::Violations sound;
  fuzz::CheckRunInvariants(run, control, sound);
  EXPECT_EQ(sound.first(), "");

  control.MaxBoutsAllowed = 0;
  fuzz::Violations over_limit;
  fuzz::CheckRunInvariants(run, control, over_limit);
  EXPECT_EQ(over_limit.first(), "a wrestler has more bouts than MaxBoutsAllowed");

  control = {};
  run.RoundsUsed = 2;
  run.RoundTable[static_cast<std::size_t>(run.RoundCapacity)] = 0;
  run.RoundTable[static_cast<std::size_t>(run.RoundCapacity) + 1] = 1;
  fuzz::Violations split;
  fuzz::CheckRunInvariants(run, control, split);
  EXPECT_EQ(split.first(), "a bout is spread over two rounds");
}

}  // namespace
}  // namespace kestrio
