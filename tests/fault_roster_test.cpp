// Roster files under faults: the organiser is told which file failed, the roster in
// memory stays as it was, and a data file that existed before is never left half-written.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "roster/roster.h"
#include "roster/roster_reader.h"
#include "roster/roster_writer.h"
#include "tests/fake_file_system.h"

namespace kestrio {
namespace {

using roster::Roster;

constexpr char kThreeWrestlers[] =
    "Smith\tJohn\t72\t10\t3\tTigers\r\n"
    "Jones\tBob\t70\t10\t2\tLions\tyes\r\n"
    "Brown\tAl\t71\t10.5\t2.5\tTigers\tDeleted\r\n";

class RecordingReporter : public roster::SkippedLineReporter {
 public:
  void SkippedLine(std::string_view, std::string_view line) override { lines.emplace_back(line); }
  std::vector<std::string> lines;
};

Roster Loaded(FakeFileSystem& files, const std::string& path) {
  Roster r;
  const roster::OpenResult opened =
      roster::OpenRosterFile(files, path, r, roster::IgnoreSkippedLines());
  EXPECT_TRUE(opened.status.ok()) << opened.status.message();
  return r;
}

// The roster file is read once into memory and both passes run over that copy, so a
// file that another program deletes right after the read still loads whole; a file that
// is gone or fails while being read adds nothing and names itself.
TEST(RosterFileFault, VanishingAndUnreadableFiles) {
  FakeFileSystem files;
  files.AddFile("club.txt", kThreeWrestlers);
  files.VanishAfterReads("club.txt", 1);
  Roster roster = Loaded(files, "club.txt");
  EXPECT_EQ(roster.EntryCount(), 3);
  EXPECT_FALSE(files.HasFile("club.txt"));

  const Roster before = roster;
  roster::OpenResult again =
      roster::OpenRosterFile(files, "club.txt", roster, roster::IgnoreSkippedLines());
  EXPECT_EQ(again.status.message(), "club.txt: No such file or directory");
  EXPECT_EQ(again.added, 0);
  EXPECT_EQ(roster.EntryCount(), 3);

  files.AddFile("half.txt", kThreeWrestlers);
  files.FailReads("half.txt", "Input/output error");
  again = roster::OpenRosterFile(files, "half.txt", roster, roster::IgnoreSkippedLines());
  EXPECT_EQ(again.status.message(), "half.txt: Input/output error");
  EXPECT_EQ(again.added, 0);
  ASSERT_EQ(roster.EntryCount(), before.EntryCount());
  for (int i = 0; i < roster.EntryCount(); ++i) {
    EXPECT_EQ(roster.Entries[i].LastName, before.Entries[i].LastName);
    EXPECT_EQ(roster.Entries[i].Status, before.Entries[i].Status);
  }
}

// Bad lines are skipped one by one with the line shown; the good ones around them load.
TEST(RosterFileFault, BadLinesAreReportedAndSkipped) {
  FakeFileSystem files;
  files.AddFile("mixed.txt",
                "Smith\tJohn\t72\t10\t3\tTigers\r\n"
                "  Jones\tBob\tseventy\t10\t2\tLions  \r\n"
                "\r\n"
                "Brown\tAl\t1e12\t10\t2\tLions\r\n"
                "Lee\tAn\t55\t9\t1\tHawks\r\n");
  Roster roster;
  RecordingReporter reporter;
  const roster::OpenResult opened = roster::OpenRosterFile(files, "mixed.txt", roster, reporter);
  EXPECT_TRUE(opened.status.ok());
  EXPECT_EQ(opened.added, 2);
  EXPECT_EQ(reporter.lines, (std::vector<std::string>{"Jones\tBob\tseventy\t10\t2\tLions",
                                                      "Brown\tAl\t1e12\t10\t2\tLions"}));
}

// A save that cannot finish leaves the previous data file byte for byte and the roster
// untouched; the organiser gets the file name and the reason.
TEST(RosterFileFault, FailedSavesKeepThePreviousFile) {
  FakeFileSystem files;
  files.AddFile("club.txt", kThreeWrestlers);
  Roster roster = Loaded(files, "club.txt");
  const std::string text = roster::RosterFileText(roster);
  const std::string previous = "Old\tFile\t50.00\t9.00\t1.00\tHawks\t\t\r\n";
  files.AddFile("/data/club.tmrx", previous);
  files.AddDirectory("/data");
  files.RequireDirectories(true);

  // A directory that does not exist.
  Status s = roster::SaveRosterFile(files, "/nowhere/club.tmrx", roster);
  EXPECT_EQ(s.message(), "/nowhere/club.tmrx: No such file or directory");
  EXPECT_FALSE(files.HasFile("/nowhere/club.tmrx"));

  // A write error as the last line goes out.
  files.FailWritesAfter("/data/club.tmrx", text.size() - 10);
  s = roster::SaveRosterFile(files, "/data/club.tmrx", roster);
  EXPECT_EQ(s.message(), "/data/club.tmrx: Input/output error");
  EXPECT_EQ(files.Contents("/data/club.tmrx"), previous);

  // A full disk.
  files.ClearFaults();
  files.RequireDirectories(true);
  files.SetCapacity(text.size() + 20);
  s = roster::SaveRosterFile(files, "/data/club.tmrx", roster);
  EXPECT_EQ(s.message(), "/data/club.tmrx: No space left on device");
  EXPECT_EQ(files.Contents("/data/club.tmrx"), previous);

  // A directory where the file should be.
  files.ClearFaults();
  files.AddDirectory("roster.tmrx");
  s = roster::SaveRosterFile(files, "roster.tmrx", roster);
  EXPECT_EQ(s.message(), "roster.tmrx: Is a directory");

  EXPECT_EQ(roster::RosterFileText(roster), text);
  files.ClearFaults();
  EXPECT_TRUE(roster::SaveRosterFile(files, "/data/club.tmrx", roster).ok());
  EXPECT_EQ(files.Contents("/data/club.tmrx"), text);
}

// An entry whose last name starts with "#" (typed in the Add dialog) must survive a save
// and reopen, although a hand-made line starting with "#" is a comment: the data file
// writes it behind a TAB, which the reader drops.
TEST(RosterFileFault, EntryWhoseNameStartsWithHashSurvivesSaveAndOpen) {
  FakeFileSystem files;
  Roster roster;
  ASSERT_EQ(roster::AddEntryFromLine("#7 Smith\tJohn\t72\t10\t3\tTigers", roster), 0);
  ASSERT_TRUE(roster::SaveRosterFile(files, "club.tmrx", roster).ok());
  Roster reloaded = Loaded(files, "club.tmrx");
  ASSERT_EQ(reloaded.EntryCount(), 1);
  EXPECT_EQ(reloaded.Entries[0].LastName.WithoutBlanks(), "#7 Smith");
  EXPECT_EQ(files.Contents("club.tmrx"), "\t#7 Smith\tJohn\t72.00\t10.00\t3.00\tTigers\t\t\r\n");
}

TEST(RosterFileFault, CommentedOutWrestlerIsNotLoaded) {
  FakeFileSystem files;
  files.AddFile("club.txt",
                "  #Smith\tJohn\t72\t10\t3\tTigers\r\nJones\tBob\t70\t10\t3\tLions\r\n");
  Roster reloaded = Loaded(files, "club.txt");
  ASSERT_EQ(reloaded.EntryCount(), 1);
  EXPECT_EQ(reloaded.Entries[0].LastName.WithoutBlanks(), "Jones");
}

}  // namespace
}  // namespace kestrio
