#include "roster/roster_writer.h"

#include <string>

#include <gtest/gtest.h>

#include "roster/roster_reader.h"
#include "roster/sort_display_order.h"
#include "testing/roster_loader.h"
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

TEST(RosterWriterTest, ScratchedRoundTripsAndOlderTextsLoadAsBefore) {
  Roster roster = Loaded(kRoster);
  SetStatus(roster.Entries[0], ParticipantStatus::Scratched);
  FakeFileSystem fs;
  ASSERT_TRUE(SaveRosterFile(fs, "day.tmrx", roster).ok());
  EXPECT_NE(fs.Contents("day.tmrx")->find("\tTigers\tScratched\t\r\n"), std::string::npos);
  Roster back;
  ASSERT_EQ(OpenRosterFile(fs, "day.tmrx", back, IgnoreSkippedLines()).added, 3);
  const Participant& smith = back.Entries[2];
  EXPECT_TRUE(HasStatus(smith, ParticipantStatus::Scratched));
  EXPECT_FALSE(IsSelected(smith) || IsUnassigned(smith) || IsDeleted(smith));

  // Status texts that files already hold read exactly as they always did.
  const Roster older =
      Loaded("A\tA\t1\t1\t1\tC\tyes\nB\tB\t1\t1\t1\tC\tscratched\nD\tD\t1\t1\t1\tC\tY\n");
  EXPECT_TRUE(IsSelected(older.Entries[0]));
  EXPECT_EQ(older.Entries[1].Status.Trimmed(), "scratched");
  EXPECT_TRUE(IsSelected(older.Entries[2]));
}

TEST(RosterWriterTest, SaveClearAndReopenRestoresTheRoster) {
  Roster roster = Loaded(kRoster);
  // A Deleted wrestler without a club: the status must not move into the club column.
  Participant clubless = roster.Entries[1];
  clubless.Club.Clear();
  clubless.LastName.Assign("Quinn");
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
    EXPECT_EQ(a.Club, b.Club);
    EXPECT_EQ(a.Weight, b.Weight);
    EXPECT_EQ(a.AgeYears, b.AgeYears);
    EXPECT_EQ(a.WeightClass, b.WeightClass);
    EXPECT_EQ(a.Status, b.Status);
    EXPECT_EQ(a.FirstName, b.FirstName);
  }
}

// Blank names and clubs (a control character is stored as a blank), and a status whose
// "y" follows a control character: Save writes what Open reads back as the same wrestler,
// and saving the reopened roster gives the same bytes.
TEST(RosterWriterTest, BlankFieldsAndControlCharactersSurviveSaveAndReopen) {
  const Roster roster = Loaded(
      "Jones\t\x01\t72\t10\t1\tAshford WC\ty\n"
      "\x02\tAmy\t50\t9\t2\tOwls\tDeleted\n"
      "Ito\tKen\t60\t11\t3\t\x03\tDeleted\n"
      "Roe\tAl\t65\t12\t4\t\x04\t\n"
      "Fox\tBo\t70\t12\t4\tOwls\t\x01yes\n"
      "\xEF\xBB\xBF#1\tCy\t75\t12\t4\tOwls\n");
  ASSERT_EQ(roster.EntryCount(), 6);
  EXPECT_TRUE(IsSelected(roster.Entries[4]));
  const std::string text = RosterFileText(roster);
  EXPECT_NE(text.find("Jones\t \t72.00\t10.00\t1.00\tAshford WC\tSelected\t\r\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("Ito\tKen\t60.00\t11.00\t3.00\t \tDeleted\t\r\n"), std::string::npos);

  // The mark before "#1" must not be taken for the file's own when it opens the file.
  Roster marked = roster;  // sorted so the marked name comes first in the file
  marked.SortColumn = -1;
  SortDisplayOrder(marked);
  for (const Roster* original : {&roster, static_cast<const Roster*>(&marked)}) {
    FakeFileSystem fs;
    ASSERT_TRUE(SaveRosterFile(fs, "day.tmrx", *original).ok());
    Roster reopened;
    reopened.SortColumn = original->SortColumn;
    ASSERT_EQ(OpenRosterFile(fs, "day.tmrx", reopened, IgnoreSkippedLines()).added, 6);
    for (std::size_t k = 0; k < 6; ++k) {
      const Participant& a = original->Displayed(k);
      const Participant& b = reopened.Displayed(k);
      EXPECT_EQ(a.LastName.WithoutBlanks(), b.LastName.WithoutBlanks());
      EXPECT_EQ(a.FirstName.WithoutBlanks(), b.FirstName.WithoutBlanks());
      EXPECT_EQ(a.Club.WithoutBlanks(), b.Club.WithoutBlanks());
      EXPECT_EQ(a.Status, b.Status) << a.LastName.view();
    }
    EXPECT_EQ(RosterFileText(reopened), *fs.Contents("day.tmrx"));
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
