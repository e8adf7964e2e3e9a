// The board file: its exact text, the round trip, and every kind of file it refuses.

#include "board/board_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <vector>

#include "board/board_edits.h"
#include "board/board_reports.h"
#include "board/repairing.h"
#include "testing/random_board.h"
#include "tests/fake_file_system.h"

namespace kestrio::board {
namespace {

const char kRoster[] =
    "Adams\tAl\t60\t10\t2\tTigers\tyes\n"
    "Baker\tBo\t61.5\t10.5\t2\tLions\tyes\n"
    "Cole\tCy\t62\t11\t2\tBears\tyes\n";

std::string Lines(std::initializer_list<std::string_view> lines) {
  std::string out;
  for (std::string_view line : lines) out.append(line).append("\r\n");
  return out;
}

TEST(BoardFile, TheTextOfASmallBoard) {
  const roster::Roster roster = testing::Loaded(kRoster);
  BoutBoard board = testing::BoardOf(roster, pairing::PairingControl());
  board.Bouts.erase(board.Bouts.begin() + 1, board.Bouts.end());
  const int loner = 3 - board.Bouts[0].First - board.Bouts[0].Second;
  ASSERT_TRUE(AddBoutByHand(board, board.Bouts[0].First, loner, nullptr).ok());
  board.Wrestlers[2].Key.FirstName.Assign("C\\y");
  const std::string text = FormatBoardFile(board, "day\tone.tmrx");
  const Bout& b = board.Bouts[0];
  EXPECT_EQ(text.substr(0, text.find("Bout\t")),
            Lines({"Kestrio bout board\t1", "Roster\tday\\tone.tmrx",
                   "Control\t10\t1.5\t1.5\t0.01\t4\t2\t2\t0",
                   "Numbers\t" + std::to_string(board.HighestNumber) + "\t" +
                       std::to_string(board.NextId),
                   "Wrestler\t0\tAdams\tAl\tTigers\t60.00\t10.00\t2.00\tActive",
                   "Wrestler\t1\tBaker\tBo\tLions\t61.50\t10.50\t2.00\tActive",
                   "Wrestler\t2\tCole\tC\\\\y\tBears\t62.00\t11.00\t2.00\tActive"}));
  char fit[16];
  std::snprintf(fit, sizeof fit, "%.6f", b.Fit);
  EXPECT_NE(
      text.find("Bout\t1\t" + std::to_string(b.Number) + "\t" + std::to_string(b.Round) + "\t60\t" +
                std::to_string(b.First) + "\t" + std::to_string(b.Second) + "\t" + fit + "\t-\r\n"),
      std::string::npos)
      << text;
  EXPECT_NE(text.find("\tHL\r\nEnd\t3\t2\r\n"), std::string::npos) << text;
}

// A kept line stands only for exactly its wrestler or bout: a fit of -0 is written
// differently from 0, a place taken by another wrestler is written afresh, and a bout id
// far beyond the bouts (a file edited by hand) is written without being kept.
TEST(BoardFile, KeptLinesAreUsedOnlyForWhatTheyWereMadeFrom) {
  BoutBoard board = testing::BoardOf(testing::Loaded(kRoster), pairing::PairingControl());
  ASSERT_FALSE(board.Bouts.empty());
  BoardFileLines lines;
  board.Bouts[0].Fit = 0.0f;
  EXPECT_EQ(FormatBoardFile(board, "a", &lines), FormatBoardFile(board, "a"));
  board.Bouts[0].Fit = -0.0f;
  const std::string negative = FormatBoardFile(board, "a", &lines);
  EXPECT_EQ(negative, FormatBoardFile(board, "a"));
  EXPECT_NE(negative.find("\t-0.000000\t"), std::string::npos) << negative;
  board.Wrestlers[1].Key.LastName.Assign("Other");
  board.Wrestlers[2].Scratched = true;
  board.Bouts[0].Id = 2000000000;
  EXPECT_EQ(FormatBoardFile(board, "a", &lines), FormatBoardFile(board, "a"));
}

TEST(BoardFile, RandomBoardsComeBackAsTheyWereWritten) {
  std::mt19937 rng(77);
  for (int trial = 0; trial < 80; ++trial) {
    SCOPED_TRACE("trial " + std::to_string(trial));
    const roster::Roster roster = testing::RepairRoster(rng, 2 + static_cast<int>(rng() % 40));
    BoutBoard board = testing::BoardOf(roster, testing::RepairControl(rng));
    if (!board.Wrestlers.empty()) {
      (void)ScratchWrestler(board, static_cast<int>(rng() % board.Wrestlers.size()), nullptr);
      (void)AddBoutByHand(board, 0, static_cast<int>(rng() % board.Wrestlers.size()), nullptr);
    }
    if (!board.Bouts.empty()) (void)RemoveBout(board, board.Bouts[0].Number, nullptr);

    const std::string text = FormatBoardFile(board, "roster.tmrx");
    BoutBoard back;
    std::string roster_file;
    ASSERT_TRUE(ParseBoardFile(text, kBoardFileName, &back, &roster_file).ok());
    EXPECT_EQ(roster_file, "roster.tmrx");
    EXPECT_EQ(FormatBoardFile(back, "roster.tmrx"), text);
    EXPECT_EQ(back.Control, board.Control);
    ASSERT_EQ(back.Wrestlers.size(), board.Wrestlers.size());
    for (std::size_t w = 0; w < board.Wrestlers.size(); ++w) {
      EXPECT_EQ(back.Wrestlers[w].Shown.Weight, board.Wrestlers[w].Shown.Weight);
      EXPECT_EQ(back.Wrestlers[w].Fit.Rating, board.Wrestlers[w].Fit.Rating);
      EXPECT_EQ(back.Wrestlers[w].Fit.ClubId, board.Wrestlers[w].Fit.ClubId);
      EXPECT_EQ(back.Wrestlers[w].Shown.LastName, board.Wrestlers[w].Shown.LastName);
    }
    EXPECT_EQ(back.Bouts, board.Bouts);
    EXPECT_TRUE(MatchRoster(back, roster).ok());

    FakeFileSystem a, b;
    (void)WriteBoardReports(a, board);
    (void)WriteBoardReports(b, back);
    EXPECT_EQ(a.Files(), b.Files());
  }
}

TEST(BoardFile, RefusesWhatItDoesNotUnderstandNamingTheLine) {
  const roster::Roster roster = testing::Loaded(kRoster);
  const BoutBoard board = testing::BoardOf(roster, pairing::PairingControl());
  const std::string good = FormatBoardFile(board, "r.tmrx");
  auto replaced = [&](std::string_view from, std::string_view to) {
    std::string text = good;
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
  };
  auto message = [](const std::string& text) {
    BoutBoard out;
    std::string roster_file = "untouched";
    const Status s = ParseBoardFile(text, kBoardFileName, &out, &roster_file);
    EXPECT_TRUE(s.IsBadBoardFile());
    EXPECT_EQ(roster_file, "untouched");
    return s.message();
  };
  EXPECT_EQ(message("Bout\t1\n"), "Tandrel-BoutBoard.txt is not a Kestrio bout board");
  EXPECT_EQ(message(replaced("board\t1", "board\t2")),
            "Tandrel-BoutBoard.txt, line 1: the board is written in format 2, which this Kestrio "
            "does not know");
  EXPECT_EQ(message(good.substr(0, good.find("End"))),
            "Tandrel-BoutBoard.txt: the file ends before its End line");
  EXPECT_EQ(message(replaced("End\t3", "End\t4")),
            "Tandrel-BoutBoard.txt, line " + std::to_string(4 + 3 + board.Bouts.size() + 1) +
                ": the End line counts other wrestlers or bouts than the file holds");
  EXPECT_EQ(
      message(replaced("\tActive\r\nWrestler\t1", "\tScratched\r\nWrestler\t1")).substr(0, 29),
      "Tandrel-BoutBoard.txt, line 8");
  EXPECT_EQ(
      message(replaced("Wrestler\t1\tBaker\tBo\tLions\t61.50", "Wrestler\t1\tBaker\tBo\tLions\tx")),
      "Tandrel-BoutBoard.txt, line 6: The Weight \"x\" of Baker, Bo is not a number.");
  EXPECT_EQ(message(replaced("Wrestler\t1", "Wrestler\t2")),
            "Tandrel-BoutBoard.txt, line 6: wrestlers must be numbered 0, 1, 2, ... in order");
  EXPECT_EQ(message(replaced("Adams\tAl", "Ad\\ams\tAl")),
            "Tandrel-BoutBoard.txt, line 5: a bad \\ escape");
  EXPECT_EQ(message(good + "more\r\n"), "Tandrel-BoutBoard.txt, line " +
                                            std::to_string(4 + 3 + board.Bouts.size() + 2) +
                                            ": nothing may follow the End line");
  EXPECT_EQ(message(replaced("Numbers\t", "Numbers\t-")),
            "Tandrel-BoutBoard.txt, line 4: the numbers are out of range");
  ASSERT_GE(board.Bouts.size(), 2u);
  // The second bout put in the first one's round, against the first one's wrestler.
  const Bout& first = board.Bouts[0];
  const Bout& second = board.Bouts[1];
  const std::string second_line =
      "Bout\t2\t" + std::to_string(second.Number) + "\t" + std::to_string(second.Round) + "\t";
  const std::size_t at = good.find(second_line);
  ASSERT_NE(at, std::string::npos);
  std::string clash = good;
  const std::size_t eol = clash.find("\r\n", at);
  char fit[16];
  std::snprintf(fit, sizeof fit, "%.6f", second.Fit);
  clash.replace(at, eol - at,
                "Bout\t2\t" + std::to_string(second.Number) + "\t" + std::to_string(first.Round) +
                    "\t60\t" + std::to_string(first.First) + "\t" +
                    std::to_string(3 - first.First - first.Second) + "\t" + fit + "\t-");
  EXPECT_EQ(message(clash), "Tandrel-BoutBoard.txt, line 9: a wrestler has two bouts in one round");
}

TEST(BoardFile, ABoardThatDoesNotMatchTheRosterIsRefused) {
  const roster::Roster roster = testing::Loaded(kRoster);
  BoutBoard board = testing::BoardOf(roster, pairing::PairingControl());
  EXPECT_TRUE(MatchRoster(board, roster).ok());
  // Baker's weight corrected after the run: the board no longer finds him.
  roster::Roster changed = roster;
  changed.Entries[1].Weight.Assign("     62.00");
  EXPECT_EQ(MatchRoster(board, changed).message(),
            "The bout board Tandrel-BoutBoard.txt does not match the roster: Baker, Bo (Lions) is "
            "not in it.");
  // A scratched wrestler may have left the roster.
  board.Wrestlers[1].Scratched = true;
  std::erase_if(board.Bouts, [](const Bout& b) { return b.Has(1); });
  EXPECT_TRUE(MatchRoster(board, changed).ok());

  FakeFileSystem fs;
  ASSERT_TRUE(SaveBoardFile(fs, board, "r.tmrx").ok());
  BoutBoard loaded;
  std::string roster_file;
  ASSERT_TRUE(LoadBoardFile(fs, &loaded, &roster_file).ok());
  EXPECT_EQ(loaded.Bouts, board.Bouts);
  fs.DeleteFile(std::string(kBoardFileName));
  EXPECT_TRUE(LoadBoardFile(fs, &loaded, &roster_file).IsNotFound());
}

// A large board goes to the disk in pieces, never held whole, and the pieces make exactly
// the file's text, kept lines or not.
TEST(BoardFile, ALargeBoardIsSavedInPiecesThatMakeItsText) {
  struct PieceCounter : FakeFileSystem {
    std::vector<std::size_t> pieces;
    Status WriteFileAtomicInPieces(const std::string& path,
                                   const std::function<void(const TextPieces&)>& produce,
                                   Links links) override {
      std::string whole;
      produce([&](std::string_view piece) {
        pieces.push_back(piece.size());
        whole.append(piece);
      });
      return WriteFileAtomic(path, whole, links);
    }
  };
  std::mt19937 rng(7);
  const BoutBoard board =
      testing::BoardOf(testing::RepairRoster(rng, 12000), pairing::PairingControl());
  const std::string text = FormatBoardFile(board, "big.tmrx");
  ASSERT_GT(text.size(), 512u << 10) << "too small a board to need pieces";
  BoardFileLines lines;
  for (BoardFileLines* kept : {static_cast<BoardFileLines*>(nullptr), &lines, &lines}) {
    PieceCounter fs;
    ASSERT_TRUE(SaveBoardFile(fs, board, "big.tmrx", kept).ok());
    std::string saved;
    ASSERT_TRUE(fs.ReadFile(std::string(kBoardFileName), SIZE_MAX, &saved).ok());
    EXPECT_EQ(saved, text);
    ASSERT_GT(fs.pieces.size(), 2u);
    EXPECT_LE(*std::max_element(fs.pieces.begin(), fs.pieces.end()), 1u << 20);
  }
}

}  // namespace
}  // namespace kestrio::board
