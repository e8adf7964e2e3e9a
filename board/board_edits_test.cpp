// Edits by hand: numbers that never move, bouts that go where both wrestlers are free,
// what is refused, and every change taken back and done again.

#include "board/board_edits.h"

#include <gtest/gtest.h>

#include <random>

#include "board/board_file.h"
#include "board/bout_limits.h"
#include "board/repairing.h"
#include "reports/club_reports.h"
#include "reports/results_reports.h"
#include "testing/random_board.h"

namespace kestrio::board {
namespace {

// Six wrestlers of three clubs, paired by the default limits.
class BoardEdits : public ::testing::Test {
 protected:
  BoardEdits() : board(testing::SixWrestlerBoard()) {}

  std::vector<std::int32_t> Numbers() const {
    std::vector<std::int32_t> out;
    for (const Bout& b : board.Bouts) out.push_back(b.Number);
    return out;
  }

  BoutBoard board;
};

TEST_F(BoardEdits, RemovedNumbersAreNeverGivenAgain) {
  ASSERT_EQ(board.HighestNumber, 6);
  const std::vector<std::int32_t> before = Numbers();
  ASSERT_TRUE(RemoveBout(board, 6, nullptr).ok());
  ASSERT_TRUE(RemoveBout(board, 2, nullptr).ok());
  EXPECT_EQ(RemoveBout(board, 2, nullptr).message(), "Bout 2 is not on the bout board.");
  std::vector<std::int32_t> expected;
  for (std::int32_t n : before) {
    if (n != 6 && n != 2) expected.push_back(n);
  }
  EXPECT_EQ(Numbers(), expected);

  // The highest number ever given was 6: the next bout is 7, though 6 is gone.
  std::int32_t number = 0;
  ASSERT_TRUE(AddBoutByHand(board, 0, 5, nullptr, &number).ok());
  EXPECT_EQ(number, -7);  // Adams and Ford are far apart: a non-optimum bout
  const std::string by_number = reports::WriteBoutsByBoutNumber(BoardRun(board));
  EXPECT_EQ(by_number.find("\r\n      2 "), std::string::npos);
  EXPECT_NE(by_number.find("\r\n     -7 "), std::string::npos) << by_number;
  EXPECT_TRUE(reports::CheckBoutTables(BoardRun(board)).ok());
}

TEST_F(BoardEdits, AHandBoutGoesIntoTheFirstRoundBothAreFreeAndIsLocked) {
  const std::vector<std::int32_t> counts = BoutCounts(board);
  ASSERT_EQ(counts[5], 0);  // Ford found nobody
  int partner = -1;
  for (int w = 0; w < 5 && partner < 0; ++w) {
    if (BoutBetween(board, 5, w) == 0) partner = w;
  }
  const std::int32_t round = FirstFreeRound(board, 5, partner);
  ASSERT_TRUE(AddBoutByHand(board, partner, 5, nullptr).ok());
  const Bout& added = board.Bouts.back();
  EXPECT_EQ(added.Round, round);
  EXPECT_TRUE(added.MadeByHand && added.Locked);
  EXPECT_EQ(added.First, partner);
  EXPECT_EQ(added.Id, 7);

  EXPECT_EQ(AddBoutByHand(board, 2, 2, nullptr).message(),
            "Cole, Cy (Bears) cannot wrestle himself.");
  const Bout first = board.Bouts.front();
  EXPECT_EQ(AddBoutByHand(board, first.Second, first.First, nullptr).message(),
            DescribeWrestler(board.Wrestlers[first.Second].Key) + " and " +
                DescribeWrestler(board.Wrestlers[first.First].Key) +
                " already wrestle each other in bout " + std::to_string(first.Number) + ".");
  board.Wrestlers[4].Scratched = true;
  EXPECT_EQ(AddBoutByHand(board, 4, 5, nullptr).message(), "Evans, Ed (Lions) is scratched.");
}

TEST_F(BoardEdits, ReplacingAWrestlerKeepsTheNumberAndTheRoundWhenHeIsFree) {
  ASSERT_EQ(BoutCounts(board)[5], 0);
  const Bout old = board.Bouts.front();
  // Ford has no bout: he takes the first wrestler's place in the same round.
  ASSERT_TRUE(ReplaceWrestler(board, old.Number, old.First, 5, nullptr).ok());
  const Bout& now = board.Bouts.front();
  EXPECT_EQ(now.Id, old.Id);
  EXPECT_EQ(std::abs(now.Number), std::abs(old.Number));
  EXPECT_EQ(now.Round, old.Round);
  EXPECT_EQ(now.First, 5);
  EXPECT_EQ(now.Second, old.Second);
  EXPECT_TRUE(now.MadeByHand && now.Locked);
  EXPECT_LT(now.Number, 0);  // too far apart for the organiser's limits

  // A wrestler busy in that round moves the bout to the first round both are free.
  const Bout other = board.Bouts[1];
  EXPECT_EQ(
      ReplaceWrestler(board, other.Number, 5, other.First, nullptr).message(),
      "Ford, Fi (Bears) does not wrestle in bout " + std::to_string(std::abs(other.Number)) + ".");
  int busy = -1;
  for (const Bout& b : board.Bouts) {
    if (b.Round == other.Round && !b.Has(other.First) && !b.Has(other.Second) &&
        BoutBetween(board, b.First, other.Second) == 0) {
      busy = b.First;
    }
  }
  ASSERT_GE(busy, 0);
  ASSERT_TRUE(ReplaceWrestler(board, other.Number, other.First, busy, nullptr).ok());
  EXPECT_NE(board.Bouts[1].Round, other.Round);
  EXPECT_EQ(board.Bouts[1].Round, FirstFreeRound(board, busy, other.Second, 1));
  EXPECT_TRUE(reports::CheckBoutTables(BoardRun(board)).ok());
}

TEST_F(BoardEdits, RenumberClosesTheGapsKeepingOrderAndSigns) {
  ASSERT_TRUE(RemoveBout(board, 1, nullptr).ok());
  ASSERT_TRUE(RemoveBout(board, 4, nullptr).ok());
  ASSERT_TRUE(AddBoutByHand(board, 0, 5, nullptr).ok());  // -7
  RenumberBouts(board, nullptr);
  std::vector<std::int32_t> magnitudes;
  for (std::int32_t n : Numbers()) magnitudes.push_back(std::abs(n));
  std::sort(magnitudes.begin(), magnitudes.end());
  EXPECT_EQ(magnitudes, (std::vector<std::int32_t>{1, 2, 3, 4, 5}));
  EXPECT_EQ(board.Bouts.back().Number, -5);  // the hand bout was -7, the highest
  EXPECT_EQ(board.HighestNumber, 5);
  ASSERT_TRUE(AddBoutByHand(board, 1, 5, nullptr).ok());
  EXPECT_EQ(std::abs(board.Bouts.back().Number), 6);
}

TEST_F(BoardEdits, TheEightLimitsOfAProposedBout) {
  // Adams (60, Tigers) and Dunn (63, Tigers): same club, never to meet by default.
  BoutProposal p = ProposeBout(board, 0, 3);
  EXPECT_TRUE(p.limits[static_cast<int>(Limit::SameClubPairingWeight)].broken);
  EXPECT_TRUE(p.limits[static_cast<int>(Limit::SameClubPairingWeight)].hard);
  EXPECT_FALSE(p.limits[static_cast<int>(Limit::MaxAllowedDiffWeight)].broken);
  EXPECT_TRUE(p.BreaksHardLimit());
  EXPECT_FALSE(p.Optimum(board.Control));  // a same-club fit of 0

  // Adams and Ford: 36.8 per cent apart, 4 years, 2 points; the fit is 0.
  p = ProposeBout(board, 0, 5);
  const LimitCheck& weight = p.limits[static_cast<int>(Limit::MaxAllowedDiffWeight)];
  EXPECT_NEAR(weight.value, 35.0 / 95.0 * 100.0, 1e-9);
  EXPECT_TRUE(weight.broken && weight.hard);
  EXPECT_TRUE(p.limits[static_cast<int>(Limit::MaxAllowedDiffAge)].broken);
  EXPECT_TRUE(p.limits[static_cast<int>(Limit::MaxAllowedDiffRating)].broken);
  const LimitCheck& fit = p.limits[static_cast<int>(Limit::MinGoodnessOfFitAllowed)];
  EXPECT_TRUE(fit.broken);
  EXPECT_FALSE(fit.hard);
  EXPECT_FALSE(p.limits[static_cast<int>(Limit::MinBoutsWanted)].broken);
  EXPECT_EQ(p.count_b, 0);

  // Baker and Cole: close, different clubs; the soft maximum is what a third bout breaks.
  p = ProposeBout(board, 1, 2);
  EXPECT_EQ(p.limits[static_cast<int>(Limit::MaxBoutsWanted)].broken,
            std::max(p.count_a, p.count_b) + 1 > board.Control.MaxBoutsWanted);
  EXPECT_FALSE(p.limits[static_cast<int>(Limit::MaxBoutsWanted)].hard);
  EXPECT_EQ(p.limits[static_cast<int>(Limit::MaxBoutsAllowed)].broken,
            std::max(p.count_a, p.count_b) + 1 > board.Control.MaxBoutsAllowed);
}

// Random edits of every kind, each recorded: taking them back one by one in reverse
// order gives every earlier board again, and doing them again gives the later ones.
TEST(BoardChanges, EveryChangeIsTakenBackAndDoneAgainExactly) {
  std::mt19937 rng(4242);
  for (int trial = 0; trial < 60; ++trial) {
    SCOPED_TRACE("trial " + std::to_string(trial));
    roster::Roster roster = testing::RepairRoster(rng, 8 + static_cast<int>(rng() % 30));
    BoutBoard board = testing::BoardOf(roster, testing::RepairControl(rng));
    if (board.Wrestlers.size() < 3) continue;
    std::vector<std::string> states{FormatBoardFile(board, "")};
    std::vector<BoardChange> changes;
    for (int step = 0; step < 12; ++step) {
      BoardChange change;
      const int n = static_cast<int>(board.Wrestlers.size());
      const int a = static_cast<int>(rng() % n), b = static_cast<int>(rng() % n);
      const std::int32_t some_number =
          board.Bouts.empty() ? 1 : board.Bouts[rng() % board.Bouts.size()].Number;
      Status s = Status::Ok();
      switch (rng() % 5) {
        case 0:
          s = AddBoutByHand(board, a, b, &change);
          break;
        case 1:
          s = RemoveBout(board, some_number, &change);
          break;
        case 2:
          s = ScratchWrestler(board, a, &change);
          break;
        case 3: {
          const int place = FindBout(board, some_number);
          s = place < 0 ? Status::Refused("")
                        : ReplaceWrestler(board, some_number, board.Bouts[place].First, b, &change);
          break;
        }
        default:
          RenumberBouts(board, &change);
      }
      if (!s.ok()) {
        ASSERT_EQ(FormatBoardFile(board, ""), states.back()) << "a refused edit changed the board";
        continue;
      }
      ASSERT_TRUE(reports::CheckBoutTables(BoardRun(board)).ok());
      changes.push_back(change);
      states.push_back(FormatBoardFile(board, ""));
    }
    for (std::size_t k = changes.size(); k-- > 0;) {
      Revert(board, changes[k]);
      ASSERT_EQ(FormatBoardFile(board, ""), states[k]) << "undo of change " << k;
    }
    for (std::size_t k = 0; k < changes.size(); ++k) {
      Reapply(board, changes[k]);
      ASSERT_EQ(FormatBoardFile(board, ""), states[k + 1]) << "redo of change " << k;
    }
  }
}

}  // namespace
}  // namespace kestrio::board
