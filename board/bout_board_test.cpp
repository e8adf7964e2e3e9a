// A board nobody edited writes the run's reports to the byte, on the rosters the pairing
// engine is proven on; the board's own view of the bouts.

#include "board/bout_board.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>
#include <utility>

#include "board/board_reports.h"
#include "pairing/pairing_control.h"
#include "reports/run_pairing.h"
#include "testing/literal_pairing.h"
#include "testing/random_board.h"
#include "tests/fake_file_system.h"

namespace kestrio::board {
namespace {

// Runs the pairing as the organiser does, then writes the board's reports into a second
// directory: every file must be the same.
void ExpectBoardWritesTheRun(const roster::Roster& roster, const pairing::PairingControl& control) {
  FakeFileSystem run_dir;
  run_dir.AddFile(std::string(pairing::kControlFileName), pairing::FormatPairingControl(control));
  pairing::PairingControl loaded;
  pairing::PairingRun run;
  const reports::PairingOutcome ran = reports::RunPairing(run_dir, roster, &loaded, nullptr, &run);
  ASSERT_TRUE(ran.Completed()) << ran.status.message();

  const BoutBoard board = BoardFromRun(run, roster);
  FakeFileSystem board_dir;
  const reports::PairingOutcome written = WriteBoardReports(board_dir, board);
  ASSERT_TRUE(written.Completed()) << written.status.message();
  EXPECT_EQ(written.FilesWritten, ran.FilesWritten);
  EXPECT_EQ(written.ByClubFilesWritten, ran.ByClubFilesWritten);
  for (const std::string& name : ran.FilesWritten) {
    ASSERT_EQ(board_dir.Contents(name), run_dir.Contents(name)) << name;
  }
}

TEST(BoutBoard, AnUneditedBoardWritesExactlyTheRunsReports) {
  std::mt19937 rng(20261208);
  int bouts = 0;
  for (int trial = 0; trial < 300; ++trial) {
    SCOPED_TRACE("trial " + std::to_string(trial));
    // The rosters and controls the pairing engine is held to its plain procedure on.
    const roster::Roster roster = testing::RandomRoster(rng, 1 + static_cast<int>(rng() % 60));
    const pairing::PairingControl control = testing::RandomControl(rng);
    ExpectBoardWritesTheRun(roster, control);
    if (::testing::Test::HasFatalFailure()) return;
    bouts += static_cast<int>(testing::BoardOf(roster, control).Bouts.size());
  }
  EXPECT_GT(bouts, 1500);
}

// A run given up to its board (as the batch does, to save the room) makes the same board
// as a run kept, wrestler for wrestler and bout for bout, fits to the bit.
TEST(BoutBoard, ARunGivenUpMakesTheSameBoardAsARunKept) {
  std::mt19937 rng(41);
  for (int trial = 0; trial < 60; ++trial) {
    const roster::Roster roster = testing::RandomRoster(rng, 1 + static_cast<int>(rng() % 80));
    pairing::PairingRun run;
    (void)pairing::PairBouts(roster, testing::RandomControl(rng), nullptr, &run);
    const BoutBoard kept = BoardFromRun(run, roster);
    const BoutBoard given = BoardFromRun(std::move(run), roster);
    ASSERT_EQ(given.Bouts, kept.Bouts) << "trial " << trial;
    ASSERT_EQ(given.Wrestlers.size(), kept.Wrestlers.size());
    for (std::size_t w = 0; w < kept.Wrestlers.size(); ++w) {
      EXPECT_EQ(given.Wrestlers[w].Key, kept.Wrestlers[w].Key);
      EXPECT_EQ(given.Wrestlers[w].Fit.ClubId, kept.Wrestlers[w].Fit.ClubId);
    }
    for (std::size_t b = 0; b < kept.Bouts.size(); ++b) {
      EXPECT_EQ(std::bit_cast<std::uint32_t>(given.Bouts[b].Fit),
                std::bit_cast<std::uint32_t>(kept.Bouts[b].Fit));
    }
    EXPECT_TRUE(run.BoutList.empty());
  }
}

TEST(BoutBoard, ManyRoundsAndSpreadWeightsWriteTheRunsReports) {
  std::mt19937 rng(7);
  std::string text;
  for (int i = 0; i < 101; ++i) {
    text += "W" + std::to_string(i) + "\tF\t" + std::to_string(40 + rng() % 3) + "\t10\t1\tClub" +
            std::to_string(i % 7) + "\tSelected\n";
  }
  pairing::PairingControl everyone;
  everyone.MaxAllowedDiffWeight = 50;
  everyone.MaxBoutsAllowed = everyone.MaxBoutsWanted = 200;
  everyone.SameClubPairingWeight = 1;
  // Everyone meets everyone: more rounds than the round table first holds.
  ExpectBoardWritesTheRun(testing::Loaded(text), everyone);

  text.clear();
  for (int i = 0; i < 400; ++i) {
    text += "L" + std::to_string(i) + "\tF\t" + std::to_string(25 + (rng() % 7500) / 100.0) + "\t" +
            std::to_string(8 + (rng() % 90) / 10.0) + "\t" + std::to_string((rng() % 50) / 10.0) +
            "\tC" + std::to_string(rng() % 9) + "\tyes\n";
  }
  pairing::PairingControl three;
  three.MaxBoutsWanted = three.MinBoutsWanted = 3;
  ExpectBoardWritesTheRun(testing::Loaded(text), three);
}

TEST(BoutBoard, TakesRoundsNumbersAndSidesFromTheRun) {
  const roster::Roster roster = testing::Loaded(
      "Adams\tAl\t60\t10\t2\tTigers\tSelected\n"
      "Baker\tBo\t61\t10\t2\tLions\tSelected\n"
      "Cole\tCy\t62\t10\t2\tBears\tSelected\n"
      "Dunn\tDi\t90\t10\t2\tBears\tSelected\n"
      "Evans\tEd\t60\t10\t2\tLions\tUnSelected\n");
  pairing::PairingRun run;
  const BoutBoard board = testing::BoardOf(roster, pairing::PairingControl(), &run);
  ASSERT_EQ(board.Wrestlers.size(), 4u);  // Evans is not selected
  EXPECT_EQ(board.Wrestlers[3].Key.LastName.WithoutBlanks(), "Dunn");
  EXPECT_EQ(board.Wrestlers[3].Key.Weight.WithoutBlanks(), "90.00");
  ASSERT_EQ(board.Bouts.size(), static_cast<std::size_t>(run.TotalBouts));
  EXPECT_EQ(board.HighestNumber, run.TotalBouts);
  EXPECT_EQ(board.NextId, run.TotalBouts + 1);
  for (std::size_t k = 0; k < board.Bouts.size(); ++k) {
    const Bout& b = board.Bouts[k];
    EXPECT_EQ(b.Id, static_cast<int>(k) + 1);
    EXPECT_EQ(b.Number, run.BoutList[2 * k].BoutNumber);
    EXPECT_EQ(b.First, run.BoutList[2 * k].SelectionIndex);
    EXPECT_EQ(b.Second, run.BoutList[2 * k + 1].SelectionIndex);
    EXPECT_EQ(run.RoundEntry(b.First, b.Round - 1), b.Number);
    EXPECT_EQ(b.Fit, FitOf(board, b.First, b.Second, b.NonOptimum()));
    EXPECT_GT(b.Fit, board.Control.MinGoodnessOfFitAllowed);
    EXPECT_FALSE(b.MadeByHand || b.Locked);
  }
  // Dunn is 90 among wrestlers of 60: nobody within even the relaxed weight limit.
  EXPECT_EQ(BoutCounts(board)[3], 0);
  EXPECT_EQ(FirstFreeRound(board, 3, 3), 1);
}

TEST(BoutBoard, ScratchedWrestlersLeaveTheReportsAndKeepTheirPlace) {
  const roster::Roster roster = testing::Loaded(
      "Adams\tAl\t60\t10\t2\tTigers\tSelected\n"
      "Baker\tBo\t61\t10\t2\tLions\tSelected\n"
      "Cole\tCy\t62\t10\t2\tBears\tSelected\n");
  BoutBoard board = testing::BoardOf(roster, pairing::PairingControl());
  std::erase_if(board.Bouts, [](const Bout& b) { return b.Has(1); });
  board.Wrestlers[1].Scratched = true;
  const pairing::PairingRun view = BoardRun(board);
  ASSERT_EQ(view.SelectionSize, 2);
  EXPECT_EQ(view.SelectedList[1].LastName.WithoutBlanks(), "Cole");
  for (const pairing::BoutEntry& e : view.BoutList) EXPECT_NE(e.LastName.WithoutBlanks(), "Baker");
  EXPECT_EQ(FindWrestler(board, board.Wrestlers[1].Key), 1);
}

TEST(BoutBoard, WrestlersReadFromTheirKeyAsFromTheirEntry) {
  const roster::Roster roster = testing::Loaded(
      "  O'Neil\tAnne-Marie Louise Kathleen Theresa Jo\t72.345\t9.99\t.5\t  Eagles\tyes\n");
  BoardWrestler from_entry, from_key;
  ASSERT_TRUE(WrestlerFromEntry(roster.Entries[0], &from_entry).ok());
  ASSERT_TRUE(WrestlerFromKey(KeyOf(roster.Entries[0]), &from_key).ok());
  EXPECT_EQ(from_entry.Shown.LastName, from_key.Shown.LastName);
  EXPECT_EQ(from_entry.Shown.FirstName, from_key.Shown.FirstName);
  EXPECT_EQ(from_entry.Shown.Club, from_key.Shown.Club);
  EXPECT_EQ(from_entry.Shown.Weight, from_key.Shown.Weight);
  EXPECT_EQ(from_entry.Fit.Weight, from_key.Fit.Weight);
  EXPECT_EQ(from_entry.Fit.Age, from_key.Fit.Age);
  EXPECT_EQ(DescribeWrestler(from_key.Key),
            "O'Neil, Anne-Marie Louise Kathleen Theresa Jo (Eagles)");

  roster::Participant bad = roster.Entries[0];
  bad.Age.Assign("   abc");
  EXPECT_EQ(WrestlerFromEntry(bad, &from_entry).message(),
            "The Age \"abc\" of O'Neil, Anne-Marie Louise Kathleen Theresa Jo is not a number.");
}

}  // namespace
}  // namespace kestrio::board
