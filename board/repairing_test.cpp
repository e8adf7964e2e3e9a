// Scratches and late arrivals against the plain procedure on random boards, and what the
// organiser sees of them.

#include "board/repairing.h"

#include <gtest/gtest.h>

#include <random>

#include "board/board_edits.h"
#include "board/board_file.h"
#include "reports/results_reports.h"
#include "testing/literal_repair.h"
#include "testing/random_board.h"

namespace kestrio::board {
namespace {

// Some hand edits first, so that the re-pairing meets gaps, hand bouts and busy rounds.
void EditAtRandom(BoutBoard& board, std::mt19937& rng) {
  for (int k = 0; k < 3 && !board.Bouts.empty(); ++k) {
    const int n = static_cast<int>(board.Wrestlers.size());
    if (rng() % 2 == 0) {
      (void)RemoveBout(board, board.Bouts[rng() % board.Bouts.size()].Number, nullptr);
    } else {
      (void)AddBoutByHand(board, static_cast<int>(rng() % n), static_cast<int>(rng() % n), nullptr);
    }
  }
}

void ExpectSameBoard(const BoutBoard& expected, const BoutBoard& actual) {
  ASSERT_EQ(FormatBoardFile(expected, ""), FormatBoardFile(actual, ""));
}

TEST(Repairing, ScratchesRepairAsThePlainProcedureDoes) {
  std::mt19937 rng(1107);
  int repaired = 0, relaxed = 0;
  for (int trial = 0; trial < 400; ++trial) {
    SCOPED_TRACE("trial " + std::to_string(trial));
    const roster::Roster roster = testing::RepairRoster(rng, 4 + static_cast<int>(rng() % 50));
    // Room above the minimum, so that opponents of the scratched can find partners.
    pairing::PairingControl control = testing::RepairControl(rng);
    control.MaxBoutsAllowed = std::max(control.MaxBoutsAllowed, control.MinBoutsWanted + 1);
    BoutBoard board = testing::BoardOf(roster, control);
    if (board.Wrestlers.size() < 2) continue;
    EditAtRandom(board, rng);
    for (int scratch = 0; scratch < 3; ++scratch) {
      const int w = static_cast<int>(rng() % board.Wrestlers.size());
      if (board.Wrestlers[w].Scratched) continue;
      BoutBoard expected = board;
      testing::ScratchLiterally(expected, w);
      const std::size_t before = board.Bouts.size();
      ASSERT_TRUE(ScratchWrestler(board, w, nullptr).ok());
      ExpectSameBoard(expected, board);
      ASSERT_TRUE(reports::CheckBoutTables(BoardRun(board)).ok());
      for (std::size_t i = before; i < board.Bouts.size(); ++i) {
        ++repaired;
        relaxed += board.Bouts[i].NonOptimum() ? 1 : 0;
      }
      if (::testing::Test::HasFatalFailure()) return;
    }
  }
  // The boards must make both passes add bouts.
  EXPECT_GT(repaired, 100);
  EXPECT_GT(relaxed, 20) << repaired;
}

TEST(Repairing, LateArrivalsArePairedAsThePlainProcedureDoes) {
  std::mt19937 rng(2024);
  int paired = 0;
  for (int trial = 0; trial < 300; ++trial) {
    SCOPED_TRACE("trial " + std::to_string(trial));
    roster::Roster roster = testing::RepairRoster(rng, 4 + static_cast<int>(rng() % 40));
    BoutBoard board = testing::BoardOf(roster, testing::RepairControl(rng));
    EditAtRandom(board, rng);
    // Late arrivals: a few more entries, selected after the run.
    const roster::Roster late = testing::RepairRoster(rng, 1 + static_cast<int>(rng() % 4));
    for (roster::Participant p : late.Entries) {
      p.LastName.Assign("Late" + std::string(p.LastName.WithoutBlanks()));
      roster::SetStatus(p, roster::ParticipantStatus::Selected);
      roster.Entries.push_back(p);
      roster.DisplayOrder.push_back(static_cast<std::int32_t>(roster.Entries.size()) - 1);
    }
    const std::vector<int> arrivals = LateArrivals(board, roster);
    ASSERT_EQ(arrivals.size(), late.Entries.size());

    BoutBoard expected = board;
    std::vector<int> wanting;
    for (int e : arrivals) {
      BoardWrestler w;
      ASSERT_TRUE(WrestlerFromEntry(roster.Entries[e], &w).ok());
      wanting.push_back(static_cast<int>(expected.Wrestlers.size()));
      expected.Wrestlers.push_back(w);
    }
    AssignClubIds(expected);
    testing::PairWantingLiterally(expected, wanting, expected.Control.MaxBoutsWanted);

    const std::size_t before = board.Bouts.size();
    ASSERT_TRUE(PairLateArrivals(board, roster, arrivals, nullptr).ok());
    ExpectSameBoard(expected, board);
    paired += static_cast<int>(board.Bouts.size() - before);
    EXPECT_TRUE(LateArrivals(board, roster).empty());
    if (::testing::Test::HasFatalFailure()) return;
  }
  EXPECT_GT(paired, 200);
}

TEST(Repairing, AScratchTouchesNoOtherBoutAndRemovesLockedOnesToo) {
  const roster::Roster roster = testing::Loaded(
      "Adams\tAl\t60\t10\t2\tTigers\tyes\n"
      "Baker\tBo\t61\t10\t2\tLions\tyes\n"
      "Cole\tCy\t62\t10\t2\tBears\tyes\n"
      "Dunn\tDi\t63\t10\t2\tEagles\tyes\n");
  BoutBoard board = testing::BoardOf(roster, pairing::PairingControl());
  // Make one of Adams's bouts by hand: it is locked, and still goes with him.
  const int place = [&] {
    for (std::size_t i = 0; i < board.Bouts.size(); ++i)
      if (board.Bouts[i].Has(0)) return static_cast<int>(i);
    return -1;
  }();
  ASSERT_GE(place, 0);
  board.Bouts[place].Locked = true;
  std::vector<Bout> others;
  for (const Bout& b : board.Bouts)
    if (!b.Has(0)) others.push_back(b);

  BoardChange change;
  ASSERT_TRUE(ScratchWrestler(board, 0, &change).ok());
  EXPECT_TRUE(board.Wrestlers[0].Scratched);
  for (const Bout& b : board.Bouts) EXPECT_FALSE(b.Has(0));
  // Every bout not his is still there, unchanged, in its order.
  ASSERT_GE(board.Bouts.size(), others.size());
  EXPECT_TRUE(std::equal(others.begin(), others.end(), board.Bouts.begin()));
  EXPECT_EQ(ScratchWrestler(board, 0, nullptr).message(),
            "Adams, Al (Tigers) is already scratched.");

  // He turns up after all: selected again, he is a late arrival and gets his old place.
  const std::vector<int> late = LateArrivals(board, roster);
  ASSERT_EQ(late.size(), 1u);
  ASSERT_TRUE(PairLateArrivals(board, roster, late, nullptr).ok());
  EXPECT_FALSE(board.Wrestlers[0].Scratched);
  EXPECT_EQ(board.Wrestlers.size(), 4u);
  EXPECT_EQ(PairLateArrivals(board, roster, {}, nullptr).message(),
            "There are no late arrivals: every selected wrestler is on the bout board.");
}

TEST(Repairing, ALateArrivalWithoutANumberChangesNothing) {
  roster::Roster roster = testing::Loaded(
      "Adams\tAl\t60\t10\t2\tTigers\tyes\n"
      "Baker\tBo\t61\t10\t2\tLions\tyes\n");
  BoutBoard board = testing::BoardOf(roster, pairing::PairingControl());
  const std::string before = FormatBoardFile(board, "");
  roster::Participant late = roster.Entries[0];
  late.LastName.Assign("Late");
  late.Weight.Assign("      abc");
  roster.Entries.push_back(late);
  roster.DisplayOrder.push_back(2);
  EXPECT_EQ(PairLateArrivals(board, roster, LateArrivals(board, roster), nullptr).message(),
            "The Weight \"abc\" of Late, Al is not a number.");
  EXPECT_EQ(FormatBoardFile(board, ""), before);
}

TEST(Repairing, TwinsNeedTwoPlacesOnTheBoard) {
  roster::Roster roster = testing::Loaded(
      "Twin\tTo\t60\t10\t2\tTigers\tyes\n"
      "Baker\tBo\t61\t10\t2\tLions\tyes\n");
  const BoutBoard board = testing::BoardOf(roster, pairing::PairingControl());
  roster.Entries.push_back(roster.Entries[0]);
  roster.DisplayOrder.push_back(2);
  EXPECT_EQ(LateArrivals(board, roster), std::vector<int>{2});
}

}  // namespace
}  // namespace kestrio::board
