// Reports and the board file rewritten from kept blocks and lines after every edit read
// exactly as those written afresh, whatever the edit: scratches, bouts added, removed,
// changed and renumbered, late arrivals (twins among them, whose order in their club's
// file the others around them decide), and a board taken back to an earlier state (Undo)
// where another wrestler then takes a place a late arrival had.

#include "board/board_reports.h"

#include <gtest/gtest.h>

#include <random>

#include "board/board_edits.h"
#include "board/board_file.h"
#include "board/repairing.h"
#include "testing/random_board.h"
#include "tests/fake_file_system.h"

namespace kestrio::board {
namespace {

void EditOnce(BoutBoard& board, std::mt19937& rng) {
  const int n = static_cast<int>(board.Wrestlers.size());
  const auto any = [&] { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  const auto some_bout = [&]() -> const Bout* {
    return board.Bouts.empty() ? nullptr : &board.Bouts[rng() % board.Bouts.size()];
  };
  switch (rng() % 5) {
    case 0:
      (void)ScratchWrestler(board, any(), nullptr);
      break;
    case 1:
      (void)AddBoutByHand(board, any(), any(), nullptr);
      break;
    case 2:
      if (const Bout* b = some_bout()) (void)RemoveBout(board, b->Number, nullptr);
      break;
    case 3:
      if (const Bout* b = some_bout())
        (void)ReplaceWrestler(board, b->Number, b->First, any(), nullptr);
      break;
    default:
      RenumberBouts(board, nullptr);
  }
}

// A late arrival at the next place, known by his surname only, with a bout against
// wrestler 0.
void AddLateArrival(BoutBoard& board, const std::string& name) {
  WrestlerKey key;
  key.LastName.Assign(name);
  key.FirstName.Assign("Late");
  key.Club.Assign("Hawks");
  key.Weight.Assign("61");
  key.Age.Assign("11");
  key.Rating.Assign("2");
  BoardWrestler w;
  ASSERT_TRUE(WrestlerFromKey(key, &w).ok());
  board.Wrestlers.push_back(w);
  AssignClubIds(board);
  (void)AddBoutByHand(board, static_cast<int>(board.Wrestlers.size()) - 1, 0, nullptr);
}

struct Kept {
  reports::BlockMemo blocks;
  BoardFileLines lines;
};

void ExpectSameReports(const BoutBoard& board, Kept& memo) {
  ASSERT_EQ(FormatBoardFile(board, "day.txt", &memo.lines), FormatBoardFile(board, "day.txt"));
  FakeFileSystem kept, fresh;
  const reports::PairingOutcome a = WriteBoardReports(kept, board, &memo.blocks);
  const reports::PairingOutcome b = WriteBoardReports(fresh, board);
  ASSERT_EQ(a.status.ok(), b.status.ok()) << b.status.message();
  ASSERT_EQ(a.FilesWritten, b.FilesWritten);
  for (const std::string& name : b.FilesWritten) {
    ASSERT_EQ(kept.Contents(name), fresh.Contents(name)) << name;
  }
}

TEST(BoardReports, KeptBlocksWriteWhatAFreshWritingWrites) {
  std::mt19937 rng(20261209);
  int edits = 0;
  for (int trial = 0; trial < 60; ++trial) {
    SCOPED_TRACE("trial " + std::to_string(trial));
    const roster::Roster roster = testing::RepairRoster(rng, 4 + static_cast<int>(rng() % 40));
    BoutBoard board = testing::BoardOf(roster, testing::RepairControl(rng));
    if (board.Wrestlers.size() < 3) continue;
    Kept memo;
    ExpectSameReports(board, memo);
    const BoutBoard before_late = board;
    AddLateArrival(board, "Early");
    ExpectSameReports(board, memo);
    // Taken back, and another late arrival in his place before the next writing: same
    // place, another wrestler.
    board = before_late;
    AddLateArrival(board, "Other");
    ExpectSameReports(board, memo);
    for (int twin = 0; twin < (trial % 2 == 0 ? 2 : 0); ++twin) {
      AddLateArrival(board, "Twin");
      ExpectSameReports(board, memo);
    }
    for (int k = 0; k < 8; ++k, ++edits) {
      const BoutBoard earlier = board;
      EditOnce(board, rng);
      ExpectSameReports(board, memo);
      if (rng() % 3 == 0) {
        board = earlier;
        ExpectSameReports(board, memo);
      }
      if (::testing::Test::HasFatalFailure()) return;
    }
  }
  EXPECT_GT(edits, 300);
}

}  // namespace
}  // namespace kestrio::board
