#include "roster/roster_writer.h"

#include <string>

#include <gtest/gtest.h>

#include "roster/roster_reader.h"
#include "roster/sort_display_order.h"
#include "roster/testing_roster.h"
#include "tests/fake_file_system.h"

namespace kestrio::roster {
namespace {

using testing::Loaded;

const char kRoster[] =
    "Smith\tJohn\t72\t10\t3\tTigers\tyes\n"
    "Ng\tLi\t9.5\t6.25\t0\tOwls\tDeleted\n"
    "Park\tSu\t40\t8\t1\tOwls\n";

TEST(RosterWriterTest, WritesDisplayOrderWithTabsAfterEveryField) {
  Roster roster = Loaded(kRoster);
  EXPECT_EQ(RosterFileText(roster),
            "Ng\tLi\t9.50\t6.25\t0.00\tOwls\tDeleted\t\r\n"
            "Park\tSu\t40.00\t8.00\t1.00\tOwls\t\t\r\n"
            "Smith\tJohn\t72.00\t10.00\t3.00\tTigers\tSelected\t\r\n");
  EXPECT_EQ(RosterFileText(roster, [](const Participant& p) { return IsSelected(p); }),
            "Smith\tJohn\t72.00\t10.00\t3.00\tTigers\tSelected\t\r\n");
}

TEST(RosterWriterTest, SaveClearAndReopenRestoresTheRoster) {
  Roster roster = Loaded(kRoster);
  // An empty Club: on reading, the TABs around it act as one separator.
  Participant clubless = roster.Entries[0];
  clubless.Club.Clear();
  clubless.LastName.Assign("Quinn");
  RebuildSortKeys(clubless);
  roster.Entries.push_back(clubless);
  ResetDisplayOrder(roster);
  SortDisplayOrder(roster);

  FakeFileSystem fs;
  ASSERT_TRUE(SaveRosterFile(fs, "club.tmrx", roster).ok());
  const Roster saved = roster;
  ClearRoster(roster);
  EXPECT_EQ(OpenRosterFile(fs, "club.tmrx", roster, IgnoreSkippedLines()).added, 4);

  // The file holds the entries in display order, so that is their new storage order.
  ASSERT_EQ(roster.Entries.size(), 4u);
  for (std::size_t k = 0; k < 4; ++k) {
    const Participant& a = saved.Displayed(k);
    const Participant& b = roster.Entries[k];
    EXPECT_EQ(a.LastName, b.LastName);
    if (a.LastName.Trimmed() == "Quinn") {
      EXPECT_EQ(b.Club.Trimmed(), "Selected");
      EXPECT_TRUE(b.Status.IsBlank());
      continue;
    }
    EXPECT_EQ(a.Weight, b.Weight);
    EXPECT_EQ(a.AgeYears, b.AgeYears);
    EXPECT_EQ(a.WeightClass, b.WeightClass);
    EXPECT_EQ(a.Status, b.Status);
    EXPECT_EQ(a.SortKeys, b.SortKeys);
  }
}

TEST(RosterWriterTest, FailedSaveKeepsThePreviousFile) {
  Roster roster = Loaded(kRoster);
  FakeFileSystem fs;
  fs.AddFile("club.tmrx", "old contents\r\n");
  fs.FailWritesAfter("club.tmrx", 10, "No space left on device");

  const Status status = SaveRosterFile(fs, "club.tmrx", roster);
  EXPECT_FALSE(status.ok());
  EXPECT_EQ(status.message(), "club.tmrx: No space left on device");
  EXPECT_EQ(fs.Contents("club.tmrx"), "old contents\r\n");
  EXPECT_EQ(roster.Entries.size(), 3u);

  RealFileSystem disk;
  const std::string nowhere = ::testing::TempDir() + "no-such-dir/club.tmrx";
  const Status missing_dir = SaveRosterFile(disk, nowhere, roster);
  EXPECT_FALSE(missing_dir.ok());
  EXPECT_EQ(missing_dir.message().rfind(nowhere + ": ", 0), 0u) << missing_dir.message();
}

TEST(RosterWriterTest, EmptyRosterWritesNothing) {
  FakeFileSystem fs;
  EXPECT_TRUE(SaveRosterFile(fs, "empty.tmrx", Roster()).ok());
  EXPECT_TRUE(fs.WrittenPaths().empty());
}

}  // namespace
}  // namespace kestrio::roster
