#include "ui/undo_history.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "roster/roster_writer.h"
#include "roster/sort_display_order.h"
#include "testing/roster_loader.h"
#include "ui/recovery.h"
#include "ui/roster_change.h"

namespace kestrio::ui {
namespace {

// The roster as a save writes it, plus its order and sort column: equal texts, equal
// rosters as the organiser sees them.
std::string Picture(const roster::Roster& r) {
  std::string s = roster::RosterFileText(r) + "|" + std::to_string(r.SortColumn) + "|" +
                  std::to_string(r.KeyCount) + "|";
  for (const roster::Participant& e : r.Entries) s += std::string(e.LastName.WithoutBlanks()) + ",";
  for (const std::int32_t i : r.DisplayOrder) s += std::to_string(i) + ",";
  return s;
}

roster::Roster RandomRoster(std::mt19937& rng, int n) {
  std::string text;
  for (int i = 0; i < n; ++i) {
    text += "W" + std::to_string(rng() % 50) + "\tF\t" + std::to_string(60 + rng() % 30) + "\t" +
            std::to_string(8 + rng() % 6) + "\t3\tC" + std::to_string(rng() % 4) +
            (rng() % 2 ? "\tSelected\r\n" : "\tUnSelected\r\n");
  }
  return testing::Loaded(text);
}

// One of the kinds of change a command makes: statuses, an edited entry, entries
// appended, entries removed, a new sort order.
void RandomCommand(std::mt19937& rng, roster::Roster& r) {
  const std::size_t n = r.Entries.size();
  switch (rng() % 5) {
    case 0:
      for (std::size_t i = 0; i < n; ++i) {
        if (rng() % 3 == 0) r.Entries[i].Status.Assign(rng() % 2 ? "Deleted" : "Scratched");
      }
      break;
    case 1:
      if (n > 0) r.Entries[rng() % n].Weight.Assign(std::to_string(50 + rng() % 40));
      break;
    case 2: {
      roster::Roster more = RandomRoster(rng, 1 + static_cast<int>(rng() % 3));
      roster::AppendRoster(r, more);
      roster::ResetDisplayOrder(r);
      break;
    }
    case 3: {
      std::vector<roster::Participant> kept;
      for (const roster::Participant& e : r.Entries) {
        if (rng() % 4 != 0) kept.push_back(e);
      }
      r.Entries = kept;
      roster::ResetDisplayOrder(r);
      break;
    }
    default:
      r.SortColumn = 1 + static_cast<int>(rng() % 8);
      break;
  }
  roster::SortDisplayOrder(r);
}

TEST(RosterChange, TakesEveryKindOfCommandBackAndDoesItAgain) {
  std::mt19937 rng(7);
  for (int trial = 0; trial < 300; ++trial) {
    roster::Roster r = RandomRoster(rng, static_cast<int>(rng() % 12));
    const std::string before = Picture(r);
    const RosterSnapshot snapshot = TakeSnapshot(r);
    RandomCommand(rng, r);
    const std::string after = Picture(r);
    const RosterChange change = RosterChange::Between(snapshot, r);
    EXPECT_EQ(change.empty(), before == after) << trial;
    change.Revert(r);
    ASSERT_EQ(Picture(r), before) << trial;
    change.Reapply(r);
    ASSERT_EQ(Picture(r), after) << trial;
  }
}

TEST(RosterChange, KeepsOnlyWhatChangedAndAListSortedSinceStaysWhole) {
  std::mt19937 rng(3);
  roster::Roster r = RandomRoster(rng, 10000);
  const RosterSnapshot snapshot = TakeSnapshot(r);
  r.Entries[5].Status.Assign("Deleted");
  r.Entries[9].Status.Assign("Deleted");
  const RosterChange change = RosterChange::Between(snapshot, r);
  EXPECT_EQ(change.StatusChanges(), 2);
  // A few bytes per entry changed, not a copy of the roster.
  EXPECT_LT(change.Bytes(), 1024u);

  // The organiser sorted the list after the command: Undo keeps his order.
  r.SortColumn = 1;
  roster::SortDisplayOrder(r);
  change.Revert(r);
  EXPECT_EQ(r.Entries[5].Status.WithoutBlanks(), snapshot.entries[5].Status.WithoutBlanks());
  EXPECT_EQ(r.SortColumn, 1);
  EXPECT_TRUE(roster::IsDisplayOrderSorted(r));
}

UndoStep Step(std::string label, std::size_t bytes) {
  UndoStep step;
  step.label = std::move(label);
  step.label.reserve(bytes);
  return step;
}

TEST(UndoHistory, RedoIsDroppedByANewStepAndTheOldestGoFirstPastTheBudget) {
  UndoHistory history(10000);
  board::BoutBoard day_board;
  EXPECT_EQ(history.NextUndo(), nullptr);
  history.Push(Step("A", 10));
  history.Push(Step("B", 10));
  EXPECT_EQ(history.StepBack(day_board).label, "B");
  ASSERT_NE(history.NextRedo(), nullptr);
  history.Push(Step("C", 10));
  EXPECT_EQ(history.NextRedo(), nullptr);
  EXPECT_EQ(history.NextUndo()->label, "C");
  history.Push(Step("D", 6000));
  history.Push(Step("E", 6000));
  // Over the budget: the oldest went, the newest stays however large.
  EXPECT_EQ(history.size(), 1u);
  EXPECT_EQ(history.StepBack(day_board).label, "E");
  EXPECT_EQ(history.NextUndo(), nullptr);
  EXPECT_EQ(history.StepForward(day_board).label, "E");

  EXPECT_EQ(Counted("Delete", 3, "Entry", "Entries"), "Delete 3 Entries");
  EXPECT_EQ(Counted("Delete", 1, "Entry", "Entries"), "Delete Entry");
}

// A run's step keeps the board before it; Undo and Redo trade boards with the day, each
// time counting the one the step then keeps.
TEST(UndoHistory, AReplacedBoardTradesPlacesWithTheDaysAndIsCounted) {
  const auto board_of = [](int bouts) {
    board::BoutBoard b;
    b.Wrestlers.resize(2);
    for (int k = 1; k <= bouts; ++k) b.Bouts.push_back(board::Bout{k, k, 1, 0, 0, 1});
    return b;
  };
  UndoHistory history;
  history.Push(Step("Edit", 10));
  const std::size_t edit_bytes = history.Bytes();
  UndoStep run = Step("Run Tandrel", 10);
  run.board_replaced = true;
  run.other_board = board_of(1);
  history.Push(std::move(run));
  const std::size_t one_bout_bytes = history.Bytes();
  board::BoutBoard day_board = board_of(300);

  history.StepBack(day_board);
  EXPECT_EQ(day_board.Bouts.size(), 1u);
  EXPECT_GT(history.Bytes(), one_bout_bytes);
  // A step that replaced no board leaves the day's alone.
  history.StepBack(day_board);
  EXPECT_EQ(day_board.Bouts.size(), 1u);
  history.StepForward(day_board);
  history.StepForward(day_board);
  EXPECT_EQ(day_board.Bouts.size(), 300u);
  EXPECT_EQ(history.Bytes(), one_bout_bytes);
  history.StepBack(day_board);
  history.Push(Step("Edit after", 10));
  EXPECT_EQ(history.Bytes(), 2 * edit_bytes);
  EXPECT_EQ(day_board.Bouts.size(), 1u);
}

TEST(Recovery, ACopyReadsBackWholeAndACutOneIsRefused) {
  RecoveryCopy copy;
  copy.working_directory = "/gym/sat\tday";
  copy.data_file = "/gym/sat/day.tmrx";
  copy.sort_column = -2;
  copy.project_saved = true;
  copy.roster_text = "Adams\tAl\t72\t10\t3\tTigers\tSelected\r\n";
  copy.board_text = "Kestrio bout board\t1\r\nEnd\t0\t0\r\n";
  const std::string text = FormatRecovery(copy);
  RecoveryCopy back;
  ASSERT_TRUE(ParseRecovery(text, &back).ok());
  EXPECT_EQ(back.working_directory, copy.working_directory);
  EXPECT_EQ(back.data_file, copy.data_file);
  EXPECT_EQ(back.sort_column, -2);
  EXPECT_TRUE(back.project_saved);
  EXPECT_FALSE(back.pairing_done);
  EXPECT_EQ(back.roster_text, copy.roster_text);
  EXPECT_EQ(back.board_text, copy.board_text);
  for (std::size_t cut = 0; cut < text.size(); cut += 7) {
    EXPECT_FALSE(ParseRecovery(text.substr(0, cut), &back).ok()) << cut;
  }
  // One file per working directory, the same on every start.
  EXPECT_EQ(RecoveryPath("/data", "/gym/a"), RecoveryPath("/data/", "/gym/a"));
  EXPECT_NE(RecoveryPath("/data", "/gym/a"), RecoveryPath("/data", "/gym/b"));
}

}  // namespace
}  // namespace kestrio::ui
