#pragma once

// The bout board on disk: "Tandrel-BoutBoard.txt" in the working directory, written
// after every run and every change so that the day survives a closed program.
//
// The file is TAB-separated text, one record per line, lines ended by CR LF (LF alone is
// read too). Each line starts with its kind:
//
//   Kestrio bout board <TAB> 1
//   Roster   <TAB> roster data file the board was paired from (may be empty)
//   Control  <TAB> MaxAllowedDiffWeight <TAB> MaxAllowedDiffAge <TAB> MaxAllowedDiffRating
//            <TAB> MinGoodnessOfFitAllowed <TAB> MaxBoutsAllowed <TAB> MinBoutsWanted
//            <TAB> MaxBoutsWanted <TAB> SameClubPairingWeight
//   Numbers  <TAB> highest bout number ever given <TAB> next bout id
//   Wrestler <TAB> place <TAB> LastName <TAB> FirstName <TAB> Club <TAB> Weight <TAB> Age
//            <TAB> Rating <TAB> Active | Scratched
//   Bout     <TAB> id <TAB> number <TAB> round <TAB> weight class <TAB> first wrestler
//            <TAB> second wrestler <TAB> fit <TAB> flags
//   End      <TAB> wrestlers <TAB> bouts
//
// The header comes first and names the format's version (1); then Roster, Control and
// Numbers; then one Wrestler line per board place, places counting from 0 in order;
// then one Bout line per bout in the order the bouts were made; End closes the file and
// repeats the counts, so that a cut file is never taken for a whole one. Texts are the
// roster's without blanks, with backslash, TAB, CR and LF written as \\, \t, \r and \n.
// Bout numbers are negative for non-optimum bouts; flags are "H" (made by hand) and "L"
// (locked), or "-" for neither. The weight class and fit are written for readers;
// Kestrio computes both again from the wrestlers when it reads the file.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_system.h"
#include "board/bout_board.h"
#include "roster/roster.h"

namespace kestrio::board {

inline constexpr std::string_view kBoardFileName = "Tandrel-BoutBoard.txt";
inline constexpr std::string_view kBoardFileHeader = "Kestrio bout board";
inline constexpr int kBoardFileVersion = 1;
// A board is never larger than the roster it was paired from.
inline constexpr std::size_t kMaxBoardFileBytes = kMaxRosterFileBytes;

// The Wrestler and Bout lines of the last file written, kept from one writing to the
// next, so that after an edit only the lines of the wrestlers and bouts it changed are
// formatted again. A line is used again only for exactly the wrestler (key and scratch)
// or bout (every field) it was made from.
class BoardFileLines {
 public:
  void AppendWrestler(std::string& out, const BoardWrestler& w, std::size_t place);
  // bouts: how many the board has.
  void AppendBout(std::string& out, const Bout& b, std::size_t bouts);

 private:
  struct WrestlerLine {
    bool known = false;
    WrestlerKey key;
    bool scratched = false;
    std::string text;
  };
  struct BoutLine {
    bool known = false;
    Bout bout;
    std::string text;
  };
  std::vector<WrestlerLine> wrestlers_;  // by place
  std::vector<BoutLine> bouts_;          // by bout id
};

// The file's text for the board; roster_file is the roster data file it goes with.
// lines, when given, keeps the lines for the next writing of the same day's board.
std::string FormatBoardFile(const BoutBoard& board, std::string_view roster_file,
                            BoardFileLines* lines = nullptr);

// Reads a board file's text. On any fault (a line it does not understand, a count that
// does not add up, a bout naming a scratched wrestler or one twice in a round) returns
// kBadBoardFile naming file_name and the line, and leaves *board and *roster_file as
// they were.
Status ParseBoardFile(std::string_view text, std::string_view file_name, BoutBoard* board,
                      std::string* roster_file);

// Writes the board file into fs's working directory, atomically: on failure the previous
// file is intact.
Status SaveBoardFile(FileSystem& fs, const BoutBoard& board, std::string_view roster_file,
                     BoardFileLines* lines = nullptr);

// Reads the board file from fs's working directory (kNotFound when there is none).
Status LoadBoardFile(FileSystem& fs, BoutBoard* board, std::string* roster_file);

// Every wrestler on the board who is not scratched must stand for an entry of the roster
// (twins need as many entries). Otherwise kBadBoardFile naming the first one missing.
Status MatchRoster(const BoutBoard& board, const roster::Roster& roster,
                   std::string_view file_name = kBoardFileName);

}  // namespace kestrio::board
