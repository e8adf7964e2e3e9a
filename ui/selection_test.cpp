#include "ui/selection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "roster/sort_display_order.h"
#include "tests/fake_ui_ports.h"
#include "ui/list_refresh.h"

namespace kestrio::ui {
namespace {

using testing::FakeListPane;
using testing::RosterFrom;

std::vector<std::string> Statuses(const roster::Roster& r) {
  std::vector<std::string> s;
  for (const auto& e : r.Entries) s.emplace_back(e.Status.WithoutBlanks());
  return s;
}

FakeListPane PaneFor(const roster::Roster& r) {
  FakeListPane pane;
  ViewState v;
  RefillList(r, v, pane);
  return pane;
}

// The command as first described: every row compared with every entry, a sort after
// every highlighted row.
void LiteralApply(SelectionVerb verb, roster::Roster& r, const ListPane& pane) {
  auto apply_row = [&](const ListRow& row) {
    for (std::size_t k = 0; k < r.DisplayOrder.size(); ++k) {
      roster::Participant& e = r.Displayed(k);
      const bool match = e.Weight.WithoutBlanks() == row[2] && e.Age.WithoutBlanks() == row[3] &&
                         e.Rating.WithoutBlanks() == row[4] &&
                         e.LastName.WithoutBlanks() == row[0] &&
                         e.FirstName.WithoutBlanks() == row[1] &&
                         e.Club.WithoutBlanks() == row[5] && e.Status.WithoutBlanks() == row[6];
      if (!match) continue;
      const bool selected = roster::IsSelected(e);
      switch (verb) {
        case SelectionVerb::Selected:
        case SelectionVerb::SelectAll:
          roster::SetStatus(e, "Selected");
          break;
        case SelectionVerb::UnSelected:
        case SelectionVerb::UnSelectAll:
          roster::SetStatus(e, "");
          break;
        case SelectionVerb::Deleted:
          roster::SetStatus(e, "Deleted");
          break;
        case SelectionVerb::Toggle:
          if (selected)
            roster::SetStatus(e, "");
          else if (roster::IsUnassigned(e))
            roster::SetStatus(e, "Selected");
          break;
        case SelectionVerb::DblClick:
          roster::SetStatus(e, selected ? "" : "Selected");
          break;
      }
    }
  };
  if (verb == SelectionVerb::SelectAll || verb == SelectionVerb::UnSelectAll) {
    for (int row = 0; row < pane.RowCount(); ++row) apply_row(pane.Row(row));
    return;
  }
  for (int row : pane.HighlightedRows()) {
    apply_row(pane.Row(row));
    roster::SortDisplayOrder(r);
  }
}

TEST(SelectionVerbs, ToggleLeavesDeletedAndDuplicatedWhereDoubleClickSelects) {
  roster::Roster r = RosterFrom(
      "A\ta\t70\t10\t3\tT\tDeleted\r\n"
      "B\tb\t71\t10\t3\tT\tDuplicated\r\n"
      "C\tc\t72\t10\t3\tT\tSelected\r\n"
      "D\td\t73\t10\t3\tT\r\n");
  FakeListPane pane = PaneFor(r);
  pane.Highlight({0, 1, 2, 3});
  ApplySelectionVerb(SelectionVerb::Toggle, r, pane);
  EXPECT_EQ(Statuses(r), (std::vector<std::string>{"Deleted", "Duplicated", "", "Selected"}));

  pane = PaneFor(r);
  pane.Highlight({0, 1, 2, 3});
  ApplySelectionVerb(SelectionVerb::DblClick, r, pane);
  EXPECT_EQ(Statuses(r), (std::vector<std::string>{"Selected", "Selected", "Selected", ""}));

  // Nothing highlighted: nothing changes.
  pane = PaneFor(r);
  for (SelectionVerb v : {SelectionVerb::Selected, SelectionVerb::UnSelected, SelectionVerb::Toggle,
                          SelectionVerb::Deleted, SelectionVerb::DblClick}) {
    ApplySelectionVerb(v, r, pane);
  }
  EXPECT_EQ(Statuses(r), (std::vector<std::string>{"Selected", "Selected", "Selected", ""}));
}

TEST(SelectionVerbs, IdenticalEntriesChangeTogetherAndOnlyOnce) {
  roster::Roster r = RosterFrom(
      "A\ta\t70\t10\t3\tT\r\n"
      "A\ta\t70\t10\t3\tT\r\n"
      "B\tb\t71\t10\t3\tT\r\n");
  FakeListPane pane = PaneFor(r);
  pane.Highlight({1});
  ApplySelectionVerb(SelectionVerb::Selected, r, pane);
  EXPECT_EQ(Statuses(r), (std::vector<std::string>{"Selected", "Selected", ""}));
  // Both rows highlighted: the first toggles both; the second no longer matches them.
  pane = PaneFor(r);
  pane.Highlight({0, 1});
  ApplySelectionVerb(SelectionVerb::Toggle, r, pane);
  EXPECT_EQ(Statuses(r), (std::vector<std::string>{"", "", ""}));
}

TEST(SelectionVerbs, MarkAllTouchesOnlyTheDisplayedRows) {
  roster::Roster r = RosterFrom(
      "A\ta\t70\t10\t3\tLions\tDeleted\r\n"
      "B\tb\t71\t10\t3\tTigers\r\n"
      "C\tc\t72\t10\t3\tLions\r\n");
  ViewState v;
  v.FilterBranch = TreeBranch::Club;
  v.TreeFilterText.Assign("Lions");
  FakeListPane pane;
  RefillList(r, v, pane);
  ApplySelectionVerb(SelectionVerb::SelectAll, r, pane);
  EXPECT_EQ(Statuses(r), (std::vector<std::string>{"Selected", "", "Selected"}));
  RefillList(r, v, pane);
  ApplySelectionVerb(SelectionVerb::UnSelectAll, r, pane);
  EXPECT_EQ(Statuses(r), (std::vector<std::string>{"", "", ""}));
}

// The index and the skipped sorts give the literal procedure's statuses and order, ties
// included, whatever the verb, the highlighted rows and the sort column.
TEST(SelectionVerbs, MatchTheLiteralProcedureOnRandomTieHeavyRosters) {
  std::mt19937 rng(20261208);
  const char* names[] = {"A", "B", "C"};
  const char* statuses[] = {"", "Selected", "Deleted", "Duplicated", "UnSelected"};
  const int columns[] = {1, 3, 6, 7, -7, -3};
  for (int round = 0; round < 300; ++round) {
    std::string lines;
    const int n = 2 + static_cast<int>(rng() % 12);
    for (int i = 0; i < n; ++i) {
      lines += std::string(names[rng() % 3]) + "\tx\t" + std::to_string(70 + rng() % 2) +
               "\t10\t3\tT\t" + statuses[rng() % 5] + "\r\n";
    }
    roster::Roster fast = RosterFrom(lines);
    fast.SortColumn = columns[rng() % 6];
    roster::SortDisplayOrder(fast);
    // Now and then the order is left unsorted, as after a modify that was cancelled.
    if (rng() % 4 == 0) std::shuffle(fast.DisplayOrder.begin(), fast.DisplayOrder.end(), rng);
    roster::Roster slow = fast;
    FakeListPane pane = PaneFor(fast);
    std::set<int> rows;
    for (int row = 0; row < n; ++row) {
      if (rng() % 2) rows.insert(row);
    }
    pane.Highlight(rows);
    const auto verb = static_cast<SelectionVerb>(rng() % 7);
    ApplySelectionVerb(verb, fast, pane);
    LiteralApply(verb, slow, pane);
    ASSERT_EQ(Statuses(fast), Statuses(slow)) << "round " << round;
    ASSERT_EQ(fast.DisplayOrder, slow.DisplayOrder) << "round " << round;
  }
}

// A row shows exactly the entries the index finds for it: the twins that share its
// cells, and none once a cell of the row no longer holds (a stale row after an edit).
TEST(SelectionVerbs, RowShowsTheEntriesTheIndexFinds) {
  std::mt19937 rng(20261209);
  const char* names[] = {"A", "B", " A"};
  const char* statuses[] = {"", "Selected", "Deleted"};
  for (int round = 0; round < 100; ++round) {
    std::string lines;
    const int n = 2 + static_cast<int>(rng() % 10);
    for (int i = 0; i < n; ++i) {
      lines += std::string(names[rng() % 3]) + "\tx\t" + std::to_string(70 + rng() % 2) +
               "\t10\t3\tT\t" + statuses[rng() % 3] + "\r\n";
    }
    const roster::Roster r = RosterFrom(lines);
    const EntryIndex index(r);
    for (const roster::Participant& shown : r.Entries) {
      ListRow row = RowFor(shown);
      if (rng() % 3 == 0) row[rng() % 7] += "!";
      const std::vector<int> found = index.Find(row);
      for (std::size_t e = 0; e < r.Entries.size(); ++e) {
        EXPECT_EQ(RowShowsEntry(row, r.Entries[e]),
                  std::find(found.begin(), found.end(), static_cast<int>(e)) != found.end())
            << "round " << round << ", entry " << e;
      }
    }
  }
}

// Rows are applied one at a time, each followed by its sort: the order of equal entries
// depends on where the earlier rows' sorts left them, so one sort after the last row
// would give e, b, d, c, a here.
TEST(SelectionVerbs, EachRowIsSortedBeforeTheNextIsApplied) {
  roster::Roster r = RosterFrom(
      "A\ta\t70\t10\t3\tT\r\n"
      "A\tb\t70\t10\t3\tT\r\n"
      "A\tc\t70\t10\t3\tT\tSelected\r\n"
      "A\td\t70\t10\t3\tT\r\n"
      "A\te\t70\t10\t3\tT\tSelected\r\n");
  r.SortColumn = 7;  // status, then weight, age, rating and last name: all five tie
  roster::SortDisplayOrder(r);
  ASSERT_EQ(r.DisplayOrder, (std::vector<std::int32_t>{0, 1, 3, 2, 4}));
  FakeListPane pane = PaneFor(r);
  pane.Highlight({0, 1, 2, 4});
  ApplySelectionVerb(SelectionVerb::Toggle, r, pane);
  EXPECT_EQ(Statuses(r),
            (std::vector<std::string>{"Selected", "Selected", "Selected", "Selected", ""}));
  EXPECT_EQ(r.DisplayOrder, (std::vector<std::int32_t>{4, 1, 0, 2, 3}));
}

// Long commands over rosters full of twins, where most rows leave their entries in place
// and some move them among their equals: the same statuses and order as the rows applied
// one at a time, for Toggle and Delete over every sort column in both directions.
TEST(SelectionVerbs, LongCommandsOnTwinRostersMatchRowByRow) {
  std::mt19937 rng(1209);
  const char* lasts[] = {"A", "B"};
  const char* firsts[] = {"x", "y", "z"};
  const char* statuses[] = {"", "Selected", "Deleted"};
  for (int round = 0; round < 96; ++round) {
    std::string lines;
    const int n = 20 + static_cast<int>(rng() % 60);
    for (int i = 0; i < n; ++i) {
      lines += std::string(lasts[rng() % 2]) + "\t" + firsts[rng() % 3] + "\t" +
               std::to_string(70 + rng() % 2) + "\t10\t3\t" + (rng() % 2 ? "T" : "U") + "\t" +
               statuses[rng() % 3] + "\r\n";
    }
    roster::Roster fast = RosterFrom(lines);
    fast.SortColumn = (1 + round % 8) * (round % 16 < 8 ? 1 : -1);
    roster::SortDisplayOrder(fast);
    roster::Roster slow = fast;
    FakeListPane pane = PaneFor(fast);
    std::set<int> rows;
    for (int row = 0; row < n; ++row) {
      if (rng() % 4 != 0) rows.insert(row);
    }
    pane.Highlight(rows);
    const SelectionVerb verb = round % 3 == 0 ? SelectionVerb::Deleted : SelectionVerb::Toggle;
    ApplySelectionVerb(verb, fast, pane);
    LiteralApply(verb, slow, pane);
    ASSERT_EQ(Statuses(fast), Statuses(slow)) << "round " << round;
    ASSERT_EQ(fast.DisplayOrder, slow.DisplayOrder) << "round " << round;
  }
}

// The batch's Mark All gives what the rows of an unfiltered list give, in any order.
TEST(SelectionVerbs, MarkEveryEntryMatchesTheRowByRowCommand) {
  std::mt19937 rng(15);
  const char* statuses[] = {"", "Selected", "Deleted", "Duplicated", "UnSelected"};
  for (int round = 0; round < 200; ++round) {
    std::string lines;
    const int n = 1 + static_cast<int>(rng() % 10);
    for (int i = 0; i < n; ++i) {
      lines +=
          std::string(rng() % 2 ? "A" : "B") + "\tx\t70\t10\t3\tT\t" + statuses[rng() % 5] + "\r\n";
    }
    roster::Roster fast = RosterFrom(lines);
    std::shuffle(fast.DisplayOrder.begin(), fast.DisplayOrder.end(), rng);
    roster::Roster slow = fast;
    const auto verb = round % 2 ? SelectionVerb::SelectAll : SelectionVerb::UnSelectAll;
    FakeListPane pane;
    for (std::size_t k = 0; k < slow.DisplayOrder.size(); ++k)
      pane.AppendRow(RowFor(slow.Displayed(k)));
    LiteralApply(verb, slow, pane);
    MarkEveryEntry(verb, fast);
    ASSERT_EQ(Statuses(fast), Statuses(slow)) << "round " << round;
    ASSERT_EQ(fast.DisplayOrder, slow.DisplayOrder) << "round " << round;
  }
}

}  // namespace
}  // namespace kestrio::ui
