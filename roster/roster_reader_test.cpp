#include "roster/roster_reader.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "tests/fake_file_system.h"

namespace kestrio::roster {
namespace {

class RecordingReporter : public SkippedLineReporter {
 public:
  void SkippedLine(std::string_view caption, std::string_view line) override {
    EXPECT_EQ(caption, "Warning: Error during read --> entry skipped");
    lines.emplace_back(line);
  }
  std::vector<std::string> lines;
};

class RecordingSink : public DiagnosticSink {
 public:
  void Diagnostic(std::string_view text, std::string_view title) override {
    messages.emplace_back(text, title);
  }
  std::vector<std::pair<std::string, std::string>> messages;
};

std::vector<std::string> StorageLastNames(const Roster& roster) {
  std::vector<std::string> names;
  for (const Participant& p : roster.Entries) names.emplace_back(p.LastName.Trimmed());
  return names;
}

std::vector<std::string> DisplayedLastNames(const Roster& roster) {
  std::vector<std::string> names;
  for (std::size_t k = 0; k < roster.DisplayOrder.size(); ++k) {
    names.emplace_back(roster.Displayed(k).LastName.Trimmed());
  }
  return names;
}

// Two entries already in the roster before each file is opened.
Roster StartingRoster() {
  Roster roster;
  EXPECT_EQ(AddEntryFromLine("Early\tEve\t90\t12\t2\tOwls", roster), 0);
  EXPECT_EQ(AddEntryFromLine("Earlier\tAl\t30\t8\t1\tOwls", roster), 0);
  return roster;
}

const char kMixedFile[] =
    "\xEF\xBB\xBF# Hawks roster, hand-made\r\n"
    "Brown\tAmy\t61\t11\t2.5\tHawks\r\n"
    "   Broken line without tabs   \r\n"
    "\r\n"
    "Cole\tBen\t45.2\t9\t1\tHawks\tyes\r\n"
    "Dunn\tCal\theavy\t9\t1\tHawks\n"
    "   # indented comment\n"
    "#Fox\tGus\t52\t10\t0\tHawks\n"  // a wrestler left out by the organiser
    "Eves\tDot\t52\t10\t0\tHawks";

TEST(RosterReaderTest, OpenAppendsGoodLinesAndWarnsOnceAboutEachBadLine) {
  const std::string path = testing::TempDir() + "kestrio_mixed_roster.txt";
  std::ofstream(path, std::ios::binary) << kMixedFile;
  Roster roster = StartingRoster();
  RealFileSystem disk;
  RecordingReporter reporter;

  const OpenResult result = OpenRosterFile(disk, "  " + path + "  ", roster, reporter);
  std::remove(path.c_str());

  EXPECT_TRUE(result.status.ok()) << result.status.message();
  EXPECT_EQ(result.added, 3);
  EXPECT_EQ(StorageLastNames(roster),
            (std::vector<std::string>{"Early", "Earlier", "Brown", "Cole", "Eves"}));
  EXPECT_EQ(reporter.lines, (std::vector<std::string>{"Broken line without tabs",
                                                      "Dunn\tCal\theavy\t9\t1\tHawks"}));
  EXPECT_EQ(roster.KeyCount, 8);
  EXPECT_EQ(roster.Entries[3].Status.Trimmed(), "Selected");
  EXPECT_EQ(roster.Entries[4].Club.Trimmed(), "Hawks");  // last line without a line end
  // Sorted by weight, the starting SortColumn.
  EXPECT_EQ(DisplayedLastNames(roster),
            (std::vector<std::string>{"Earlier", "Cole", "Eves", "Brown", "Early"}));
}

// A file whose name begins or ends with a blank opens under its own name, and a failure
// names the file that was asked for.
TEST(RosterReaderTest, NamesWithBlanksOpenAsTheyStand) {
  const std::string folder = testing::TempDir();
  const std::string padded = folder + " saturday roster.txt ";
  std::ofstream(padded, std::ios::binary) << "Brown\tAmy\t61\t11\t2.5\tHawks\r\n";
  std::ofstream(folder + "saturday roster.txt", std::ios::binary) << "Other\tOne\t1\t1\t1\tX\r\n";
  RealFileSystem disk;
  Roster roster;
  const OpenResult opened = OpenRosterFile(disk, padded, roster, IgnoreSkippedLines());
  EXPECT_TRUE(opened.status.ok()) << opened.status.message();
  ASSERT_EQ(roster.EntryCount(), 1);
  EXPECT_EQ(roster.Entries[0].LastName.Trimmed(), "Brown");
  std::remove(padded.c_str());
  std::remove((folder + "saturday roster.txt").c_str());

  const OpenResult missing = OpenRosterFile(disk, padded, roster, IgnoreSkippedLines());
  EXPECT_EQ(missing.status.message(), padded + ": No such file or directory");
}

// Every line counts, blank lines and comments included, so that the number points at the
// line in the organiser's editor; the reason names the field that could not be read.
TEST(RosterReaderTest, SkippedLinesCarryTheirNumberAndReason) {
  class Numbered : public SkippedLineReporter {
   public:
    void Skipped(const BadLine& line) override {
      seen.push_back(std::to_string(line.number) + " | " + std::string(ShortReason(line.reason)) +
                     " | " + std::string(line.text));
    }
    std::vector<std::string> seen;
  } reporter;
  RecordingSink sink;
  Roster target;
  EXPECT_EQ(ReadRosterText(kMixedFile, target, reporter, sink), 3);
  EXPECT_EQ(
      reporter.seen,
      (std::vector<std::string>{
          "3 | Unable to read Weight from string \"\" | Broken line without tabs",
          "6 | Unable to read Weight from string \"heavy\" | Dunn\tCal\theavy\t9\t1\tHawks"}));
  // The sink still hears the parser's full words.
  ASSERT_EQ(sink.messages.size(), 2u);
  EXPECT_EQ(sink.messages[1].first,
            "Unable to read Weight from string \"heavy\". Action taken --> Data entry skipped.");

  // A reader handing over one line of a larger file at a time gives its number.
  reporter.seen.clear();
  ReadRosterText("Ames\tAl\t70\tten\t1\tOwls", target, reporter, sink, 41);
  EXPECT_EQ(reporter.seen,
            (std::vector<std::string>{"41 | Unable to read Age from string \"ten\" | "
                                      "Ames\tAl\t70\tten\t1\tOwls"}));
  EXPECT_EQ(DescribeBadLine("day.txt", {41,
                                        "Unable to read Age from string \"ten\". Action "
                                        "taken --> Data entry skipped.",
                                        "Ames Al"}),
            "day.txt:41: Warning: Error during read --> entry skipped: Unable to read Age from "
            "string \"ten\": Ames Al");
  EXPECT_EQ(DescribeBadLine("day.txt", {0, "", "Ames Al"}),
            "day.txt: Warning: Error during read --> entry skipped: Ames Al");
}

TEST(RosterReaderTest, MissingOrBadOnlyFileAddsNothing) {
  Roster roster = StartingRoster();
  const std::vector<Participant> before = roster.Entries;
  FakeFileSystem fs;
  RecordingReporter reporter;
  RecordingSink sink;

  OpenResult result = OpenRosterFile(fs, "absent.txt", roster, reporter, sink);
  EXPECT_FALSE(result.status.ok());
  EXPECT_EQ(result.added, 0);
  EXPECT_TRUE(reporter.lines.empty());
  ASSERT_EQ(sink.messages.size(), 1u);
  EXPECT_EQ(sink.messages[0],
            std::make_pair(std::string("Could not open file"), std::string("absent.txt")));

  fs.AddFile("bad.txt", "nothing\tuseful\r\n");
  result = OpenRosterFile(fs, "bad.txt", roster, reporter, sink);
  EXPECT_TRUE(result.status.ok());
  EXPECT_EQ(result.added, 0);
  EXPECT_EQ(reporter.lines.size(), 1u);

  ASSERT_EQ(roster.Entries.size(), before.size());
  for (std::size_t i = 0; i < before.size(); ++i) {
    EXPECT_EQ(roster.Entries[i].LastName, before[i].LastName);
  }
  EXPECT_EQ(roster.DisplayOrder.size(), before.size());
}

TEST(RosterReaderTest, ReportedLinesAreCutToTheLineBuffer) {
  Roster target;
  RecordingReporter reporter;
  const std::string bad = "x" + std::string(1400, 'y');
  EXPECT_EQ(ReadRosterText(bad + "\n", target, reporter), 0);
  ASSERT_EQ(reporter.lines.size(), 1u);
  EXPECT_EQ(reporter.lines[0], bad.substr(0, 1024));
  EXPECT_TRUE(target.Entries.empty());
  EXPECT_EQ(target.KeyCount, 0);
}

TEST(RosterReaderTest, AddEntryKeepsTheRosterOnABadLine) {
  Roster roster = StartingRoster();
  roster.SortColumn = -1;
  RecordingSink sink;
  EXPECT_NE(AddEntryFromLine("Fox\tGil\tseventy\t10\t2\tOwls", roster, sink), 0);
  EXPECT_EQ(sink.messages.size(), 1u);
  EXPECT_EQ(roster.Entries.size(), 2u);

  EXPECT_EQ(AddEntryFromLine("Fox\tGil\t70\t10\t2\tOwls\ty", roster), 0);
  EXPECT_EQ(StorageLastNames(roster), (std::vector<std::string>{"Early", "Earlier", "Fox"}));
  EXPECT_EQ(DisplayedLastNames(roster), (std::vector<std::string>{"Fox", "Early", "Earlier"}));
  EXPECT_TRUE(IsSelected(roster.Entries[2]));
}

TEST(RosterReaderTest, SampleRostersLoad) {
  RealFileSystem disk;
  Roster roster;
  RecordingReporter reporter;
  const std::string dir = KESTRIO_EXAMPLES_DIR;
  EXPECT_EQ(OpenRosterFile(disk, dir + "/scrimmage-roster.txt", roster, reporter).added, 120);
  EXPECT_EQ(reporter.lines.size(), 3u);
  EXPECT_EQ(OpenRosterFile(disk, dir + "/visiting-club.txt", roster, reporter).added, 20);
  EXPECT_EQ(reporter.lines.size(), 3u);
}

}  // namespace
}  // namespace kestrio::roster
