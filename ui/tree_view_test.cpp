#include "ui/tree_view.h"

#include <gtest/gtest.h>

#include "tests/fake_ui_ports.h"
#include "ui/list_refresh.h"

namespace kestrio::ui {
namespace {

using testing::FakeListPane;
using testing::FakeTreePane;
using testing::RosterFrom;

ViewState FilterOn(TreeBranch branch, const std::string& label) {
  ViewState v;
  v.FilterBranch = branch;
  v.TreeFilterText.Assign(label);
  return v;
}

std::vector<std::string> DisplayedNames(const roster::Roster& r, const ViewState& v) {
  std::vector<std::string> names;
  for (std::size_t k = 0; k < r.DisplayOrder.size(); ++k) {
    if (MatchesTreeFilter(v, r.Displayed(k)))
      names.emplace_back(r.Displayed(k).LastName.WithoutBlanks());
  }
  return names;
}

TEST(TreeLeavesTest, LeavesAreSortedSharedByLabelAndNeverRepeated) {
  roster::Roster r = RosterFrom(
      "A\ta\t72\t10\t3\tTigers\r\n"
      "B\tb\t72\t10\t3\t  Tigers\r\n"  // same club with leading blanks
      "C\tc\t105\t9.5\t12\tAjax\r\n"
      "D\td\t10000\t10\t3\tajax\tSelected\r\n"
      "E\te\t10003\t10\t3\tLions\r\n");
  // A blank club only arises from a file written by hand: give one directly.
  roster::Roster extra = r;
  extra.Entries[4].Club.Clear();
  FakeTreePane pane;
  TreeLeaves leaves;
  leaves.ShowBare(pane);
  leaves.Update(extra, pane);
  leaves.Update(extra, pane);  // a second refresh adds nothing
  EXPECT_EQ(pane.leaves[TreeBranch::Club],
            (std::vector<std::string>{"Ajax", "Tigers", "Unassigned", "ajax"}));
  // 10000 and 10003 give classes 10000. and 10005., both cut to the one leaf "1000".
  EXPECT_EQ(pane.leaves[TreeBranch::WeightClass],
            (std::vector<std::string>{" 75.", "1000", "105."}));
  EXPECT_EQ(pane.leaves[TreeBranch::Age], (std::vector<std::string>{" 9.", "10."}));
  EXPECT_EQ(pane.leaves[TreeBranch::Status], (std::vector<std::string>{"Selected", "Unassigned"}));
  EXPECT_EQ(leaves.Leaves(TreeBranch::WeightClass), pane.leaves[TreeBranch::WeightClass]);

  // Leaves outlive their values until the bare tree is shown again.
  extra.Entries.resize(1);
  leaves.Update(extra, pane);
  EXPECT_EQ(pane.leaves[TreeBranch::Club].size(), 4u);
  leaves.ShowBare(pane);
  leaves.Update(extra, pane);
  EXPECT_EQ(pane.leaves[TreeBranch::Club], (std::vector<std::string>{"Tigers"}));
}

// After Undo of a step that only edited entries, their leaves alone are looked at: the
// tree ends as a refresh over every entry leaves it, the new values in their places.
TEST(TreeLeavesTest, EditedEntriesAddTheirLeavesAsAFullRefreshWould) {
  roster::Roster r = RosterFrom(
      "A\ta\t72\t10\t3\tTigers\tSelected\r\n"
      "B\tb\t60\t9\t3\tAjax\tSelected\r\n"
      "C\tc\t105\t11\t12\tLions\tSelected\r\n");
  FakeTreePane pane, full_pane;
  TreeLeaves leaves, full;
  leaves.ShowBare(pane);
  leaves.Update(r, pane);
  full.ShowBare(full_pane);
  full.Update(r, full_pane);
  r.Entries[1].Status.Assign("Scratched");
  r.Entries[2].Club.Assign("Bears");
  r.Entries[2].Weight.Assign("49");
  leaves.UpdateEntries(r, {1, 2}, pane);
  full.Update(r, full_pane);
  for (TreeBranch branch : kTreeBranches) {
    EXPECT_EQ(pane.leaves[branch], full_pane.leaves[branch]);
    EXPECT_EQ(leaves.Leaves(branch), pane.leaves[branch]);
  }
  EXPECT_EQ(pane.leaves[TreeBranch::Status], (std::vector<std::string>{"Scratched", "Selected"}));
  EXPECT_EQ(pane.leaves[TreeBranch::Club],
            (std::vector<std::string>{"Ajax", "Bears", "Lions", "Tigers"}));
}

TEST(TreeFilterTest, EachBranchListsTheEntriesOfItsLeaf) {
  roster::Roster r = RosterFrom(
      "A\ta\t72\t10\t3\tTigers\r\n"
      "B\tb\t74\t10.5\t3.0\t  Tigers\tSelected\r\n"
      "C\tc\t76\t11\t2.5\tLions\r\n"
      "D\td\t10003\t11.9\t2\tLions\tDeleted\r\n");
  EXPECT_EQ(DisplayedNames(r, FilterOn(TreeBranch::Club, "Tigers")),
            (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(DisplayedNames(r, FilterOn(TreeBranch::Status, "Unassigned")),
            (std::vector<std::string>{"A", "C"}));
  EXPECT_EQ(DisplayedNames(r, FilterOn(TreeBranch::Status, "Deleted")),
            (std::vector<std::string>{"D"}));
  EXPECT_EQ(DisplayedNames(r, FilterOn(TreeBranch::WeightClass, " 75.")),
            (std::vector<std::string>{"A", "B"}));
  // The cut label "1000" matches no entry of class 10005.
  EXPECT_TRUE(DisplayedNames(r, FilterOn(TreeBranch::WeightClass, "1000")).empty());
  EXPECT_EQ(DisplayedNames(r, FilterOn(TreeBranch::Rating, "3.00")),
            (std::vector<std::string>{"A", "B"}));
  // Ages filter by whole years: 10 and 10.5 both sit under the leaf "10.".
  EXPECT_EQ(DisplayedNames(r, FilterOn(TreeBranch::Age, "10.")),
            (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(DisplayedNames(r, FilterOn(TreeBranch::Age, "11.")),
            (std::vector<std::string>{"C", "D"}));
  EXPECT_TRUE(DisplayedNames(r, FilterOn(TreeBranch::Club, "Ajax")).empty());
  EXPECT_EQ(DisplayedNames(r, FilterOn(TreeBranch::None, "By Club")).size(), 4u);
}

TEST(TreeSelectionTest, RootAndBranchesSetTheSortColumnLeavesKeepIt) {
  roster::Roster r;
  ViewState v;
  r.SortColumn = -1;
  ApplyTreeSelection({TreeNodeKind::Leaf, TreeBranch::Club, "Tigers"}, v, r);
  EXPECT_EQ(r.SortColumn, -1);
  EXPECT_EQ(v.FilterBranch, TreeBranch::Club);
  EXPECT_EQ(v.TreeFilterText.view(), std::string("Tigers") + std::string(34, ' '));
  const std::pair<TreeBranch, int> branches[] = {{TreeBranch::Club, 6},
                                                 {TreeBranch::WeightClass, 3},
                                                 {TreeBranch::Age, 4},
                                                 {TreeBranch::Rating, 5},
                                                 {TreeBranch::Status, 7}};
  for (const auto& [branch, column] : branches) {
    ApplyTreeSelection({TreeNodeKind::Branch, branch, std::string(BranchLabel(branch))}, v, r);
    EXPECT_EQ(r.SortColumn, column);
    EXPECT_EQ(v.FilterBranch, TreeBranch::None);
  }
  ApplyTreeSelection({TreeNodeKind::Root, TreeBranch::None, "Kestrio Info"}, v, r);
  EXPECT_EQ(r.SortColumn, 3);
}

TEST(ListRefillTest, CountsEveryEntryListsTheDisplayedAndKeepsTheScrollPlace) {
  roster::Roster r = RosterFrom(
      "A\ta\t72\t10\t3\tTigers\tSelected\r\n"
      "B\tb\t74\t10\t3\tTigers\tDeleted\r\n"
      "C\tc\t76\t11\t2\tLions\tDuplicated\r\n"
      "D\td\t78\t11\t2\tLions\tUnSelected\r\n"
      "E\te\t80\t11\t2\tLions\r\n");
  ViewState v = FilterOn(TreeBranch::Club, "Lions");
  FakeListPane pane;
  pane.visible_rows = 2;
  RefillList(r, v, pane);
  EXPECT_EQ(v.RosterCounters, (roster::RosterCounters{5, 3, 1, 1, 1, 1}));
  ASSERT_EQ(pane.rows.size(), 3u);
  EXPECT_EQ(pane.rows[2], (ListRow{"E", "e", "80.00", "11.00", "2.00", "Lions", "", "80."}));

  // Scrolled to the bottom of five rows, the pane stays there across a refill.
  ViewState all;
  RefillList(r, all, pane);
  pane.top = 3;
  RefillList(r, all, pane);
  EXPECT_EQ(pane.top, 3);
  EXPECT_EQ(all.RosterCounters.DisplayedCount, 5);

  roster::Roster empty;
  ViewState none;
  RefillList(empty, none, pane);
  EXPECT_EQ(none.RosterCounters, roster::RosterCounters{});
  EXPECT_TRUE(pane.rows.empty());
}

}  // namespace
}  // namespace kestrio::ui
