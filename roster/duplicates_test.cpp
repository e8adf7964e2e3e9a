#include "roster/duplicates.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "roster/roster_reader.h"
#include "roster/sort_display_order.h"
#include "testing/roster_loader.h"

namespace kestrio::roster {
namespace {

using testing::Loaded;

std::vector<std::string> Statuses(const Roster& roster) {
  std::vector<std::string> out;
  for (const Participant& p : roster.Entries) out.emplace_back(p.Status.Trimmed());
  return out;
}

TEST(TagDuplicatesTest, LaterCopiesBecomeDuplicatedIgnoringCaseAndLeadingBlanks) {
  Roster roster = Loaded(
      "Smith\tJohn\t72\t10\t3\tTigers\n"
      "SMITH\tjohn\t72.001\t10\t3\t Tigers\tyes\n"    // case, leading blank, 72.00
      "Smith\tJohn\t72\t10\t3\tTigers.\n"             // trailing period: different
      "Smith\tJohn\t72.01\t10\t3\tTigers\n"           // different weight
      "Smith\tJohn\t72\t10\t3\tTigers\tDuplicated\n"  // third copy
      "Smith\tJo hn\t72\t10\t3\tTigers\n");           // inner blank counts
  TagDuplicates(roster);
  EXPECT_EQ(Statuses(roster),
            (std::vector<std::string>{"", "Duplicated", "", "", "Duplicated", ""}));
  // A sort by status groups the duplicates.
  roster.SortColumn = -7;
  SortDisplayOrder(roster);
  EXPECT_TRUE(IsDuplicated(roster.Displayed(0)) && IsDuplicated(roster.Displayed(1)));
  EXPECT_EQ(roster.DisplayOrder.size(), 6u);

  const std::vector<std::string> once = Statuses(roster);
  TagDuplicates(roster);
  EXPECT_EQ(Statuses(roster), once);
}

TEST(TagDuplicatesTest, DeletedEntriesNeitherMatchNorGetTagged) {
  Roster roster = Loaded(
      "Smith\tJohn\t72\t10\t3\tTigers\tDeleted\n"
      "Smith\tJohn\t72\t10\t3\tTigers\n"
      "Smith\tJohn\t72\t10\t3\tTigers\tdeleted\n"  // lower case: an ordinary entry
      "Smith\tJohn\t72\t10\t3\tTigers\tDeleted\n");
  TagDuplicates(roster);
  EXPECT_EQ(Statuses(roster), (std::vector<std::string>{"Deleted", "", "Duplicated", "Deleted"}));

  Roster empty;
  TagDuplicates(empty);
  EXPECT_TRUE(empty.Entries.empty());
}

TEST(EmptyTrashTest, RemovesDeletedEntriesAndResortsTheRest) {
  Roster roster = Loaded(
      "Ames\tA\t80\t10\t3\tOwls\tDeleted\n"
      "Bell\tB\t60\t10\t3\tOwls\n"
      "Cruz\tC\t70\t10\t3\tOwls\tdeleted\n"
      "Dale\tD\t50\t10\t3\tOwls\t Deleted\n");
  EmptyTrash(roster);
  ASSERT_EQ(roster.Entries.size(), 2u);
  EXPECT_EQ(roster.Entries[0].LastName.Trimmed(), "Bell");
  EXPECT_EQ(roster.Entries[1].LastName.Trimmed(), "Cruz");
  EXPECT_EQ(roster.DisplayOrder, (std::vector<std::int32_t>{0, 1}));
  EXPECT_EQ(roster.KeyCount, 8);

  const Roster before = roster;  // nothing deleted: same order as a fresh reset and sort
  EmptyTrash(roster);
  EXPECT_EQ(roster.DisplayOrder, before.DisplayOrder);

  for (Participant& p : roster.Entries) SetStatus(p, ParticipantStatus::Deleted);
  EmptyTrash(roster);
  EXPECT_TRUE(roster.Entries.empty());
  EXPECT_TRUE(roster.DisplayOrder.empty());
}

}  // namespace
}  // namespace kestrio::roster
