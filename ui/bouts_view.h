#pragma once

// What the Bouts tab shows: its columns, the text of every cell, the order a column
// click sorts into, and which bouts belong to the wrestlers selected in the roster list.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "board/bout_board.h"
#include "reports/schedule_reports.h"

namespace kestrio::ui {

inline constexpr std::array<std::string_view, 17> kBoutColumns = {
    "Bout", "Round",  "Class", "Wrestler", "Club", "Weight", "Age", "Rating", "Opponent",
    "Club", "Weight", "Age",   "Rating",   "Fit",  "Flags",  "Mat", "Time"};
// The two columns that only a mat schedule fills.
inline constexpr int kMatColumn = 15;
inline constexpr int kTimeColumn = 16;

// The text of column `column` (0-based, as kBoutColumns) of a bout's row: the number as
// called out, the round, the weight class; each wrestler's "Last, First", club, weight,
// age and rating; the fit with four decimals; the flags ("Non-optimum", "By hand",
// "Locked", separated by ", "); the mat (from 1) and the start "HH:MM" of the bout in
// day, the mat schedule of this board, empty without one.
std::string BoutCell(const board::BoutBoard& board, const board::Bout& bout, int column,
                     const reports::MatDay* day = nullptr);

// The board places of the wrestlers with these keys, each once, in the order of the
// keys; keys not on the board are passed over. A key on the board more than once (a
// wrestler scratched and entered again) is the place board::FindWrestler gives.
std::vector<int> BoardPlacesOf(const board::BoutBoard& board,
                               const std::vector<board::WrestlerKey>& keys);

// The places of the bouts that the given wrestlers (board places) wrestle in, in board
// order; every bout when wrestlers is empty.
std::vector<std::int32_t> BoutsOf(const board::BoutBoard& board, const std::vector<int>& wrestlers);

// Sorts places by column |sort_column| (1-based; negative descending; numbers as numbers,
// names and clubs by their bytes; Mat by mat then time, Time by time then mat, bouts
// without a place last), ties by bout number. 0 sorts by bout number.
void SortBouts(const board::BoutBoard& board, int sort_column, std::vector<std::int32_t>& places,
               const reports::MatDay* day = nullptr);

}  // namespace kestrio::ui
