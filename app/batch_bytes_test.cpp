// Every file of a whole batch run on generated rosters, held to the bytes the run wrote
// before the batch was made faster: a change in any report, the board file or the
// control file, by a single byte, changes its digest. When a report is meant to change,
// the new digests are printed by the failing test; scripts/measure-scaling with REFERENCE
// shows where two builds' files differ.

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>

#include "app/batch_run.h"
#include "bench/roster_generator.h"
#include "tests/fake_file_system.h"

namespace kestrio::app {
namespace {

// FNV-1a over every file's name, size and bytes, in name order.
std::uint64_t DigestOfFiles(const FakeFileSystem& fs) {
  std::uint64_t h = 14695981039346656037ULL;
  const auto add = [&h](std::string_view bytes) {
    for (char c : bytes) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
  };
  for (const auto& [name, bytes] : fs.Files()) {
    add(name);
    add(std::to_string(bytes.size()));
    add(bytes);
  }
  return h;
}

struct Case {
  bench::RosterKind kind;
  int wrestlers;
  std::uint64_t digest;
  std::size_t files;
};

TEST(BatchBytesTest, EveryFileOfARunOnGeneratedRostersAsBefore) {
  using bench::RosterKind;
  const Case cases[] = {
      {RosterKind::kSpreadNames, 1500, 0x3723ed2052669db4ULL, 49},
      {RosterKind::kFewNamesTwins, 1500, 0x4c785348601c8413ULL, 49},
      {RosterKind::kEqualNumbers, 1500, 0xc792bfc70f936070ULL, 49},
      {RosterKind::kMixed, 700, 0xb772258558f1fce4ULL, 49},
  };
  for (const Case& c : cases) {
    bench::RosterGeneratorOptions generate;
    generate.kind = c.kind;
    generate.wrestlers = c.wrestlers;
    generate.seed = 7;
    generate.clubs = 40;
    FakeFileSystem fs;
    fs.AddFile("roster.txt", bench::GenerateRosterText(generate));
    BatchOptions options;
    options.select_all = true;
    options.roster_files = {"roster.txt"};
    std::ostringstream out, err;
    ASSERT_EQ(RunBatch(options, fs, out, err), kBatchOk) << err.str();
    EXPECT_EQ(DigestOfFiles(fs), c.digest) << static_cast<int>(c.kind);
    EXPECT_EQ(fs.Files().size(), c.files) << static_cast<int>(c.kind);
  }
}

}  // namespace
}  // namespace kestrio::app
