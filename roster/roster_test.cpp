#include "roster/roster.h"

#include <vector>

#include <gtest/gtest.h>

#include "roster/display_data.h"
#include "roster/roster_reader.h"
#include "roster/roster_writer.h"
#include "roster/sort_display_order.h"

namespace kestrio::roster {
namespace {

TEST(RosterTest, AppendKeepsTheSourceAndAnEmptySourceChangesNothing) {
  Roster target;
  EXPECT_EQ(AddEntryFromLine("Ames\tA\t80\t10\t3\tOwls", target), 0);
  Roster source;
  ReadRosterText("Bell\tB\t60\t10\t3\tOwls\nCruz\tC\t70\t10\t3\tOwls\n", source,
                 IgnoreSkippedLines());

  AppendRoster(target, Roster());
  EXPECT_EQ(target.EntryCount(), 1);
  EXPECT_EQ(target.KeyCount, 8);

  AppendRoster(target, source);
  ASSERT_EQ(target.EntryCount(), 3);
  EXPECT_EQ(source.EntryCount(), 2);
  EXPECT_EQ(target.Entries[2].LastName, source.Entries[1].LastName);
  EXPECT_EQ(target.Entries[2].Weight, source.Entries[1].Weight);
}

// Clear All leaves nothing that a later listing, save or sort could trip over.
TEST(RosterTest, ClearedRosterIsSafeToListSortAndClearAgain) {
  Roster roster;
  ReadRosterText("Bell\tB\t60\t10\t3\tOwls\nCruz\tC\t70\t10\t3\tOwls\n", roster,
                 IgnoreSkippedLines());
  ResetDisplayOrder(roster);
  ClearRoster(roster);
  ClearRoster(roster);
  EXPECT_EQ(roster.EntryCount(), 0);
  EXPECT_EQ(roster.KeyCount, 0);
  EXPECT_TRUE(roster.DisplayOrder.empty());
  SortDisplayOrder(roster);
  EXPECT_EQ(RosterFileText(roster), "");
  EXPECT_EQ(DisplayDataText(roster).size(), 2 * 77u);

  // An order left over from a larger roster is rebuilt before sorting.
  EXPECT_EQ(AddEntryFromLine("Ames\tA\t80\t10\t3\tOwls", roster), 0);
  roster.DisplayOrder = {5, 3, 0};
  SortDisplayOrder(roster);
  EXPECT_EQ(roster.DisplayOrder, (std::vector<std::int32_t>{0}));
}

}  // namespace
}  // namespace kestrio::roster
