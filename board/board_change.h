#pragma once

// What one change did to a bout board, kept so that it can be taken back and done again
// (Edit > Undo, Edit > Redo). It holds the bouts and wrestlers that changed, never a copy
// of the board: undoing a scratch on a board of ten thousand bouts keeps a handful.

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "board/bout_board.h"

namespace kestrio::board {

struct BoutEdit {
  std::int32_t Place = 0;  // in Bouts, after the removals of the same change
  Bout Before;
  Bout After;
};

struct BoardChange {
  // Late arrivals appended to Wrestlers, in order.
  std::vector<BoardWrestler> WrestlersAdded;
  // Wrestlers whose Scratched flag was turned over.
  std::vector<std::int32_t> ScratchTurned;
  // Bouts taken off, each with its place in Bouts before the change; rising places.
  std::vector<std::pair<std::int32_t, Bout>> Removed;
  // Bouts changed where they stand.
  std::vector<BoutEdit> Edited;
  // Bouts appended to Bouts, in order.
  std::vector<Bout> Added;
  std::int32_t HighestBefore = 0;
  std::int32_t HighestAfter = 0;
  std::int32_t NextIdBefore = 0;
  std::int32_t NextIdAfter = 0;

  bool empty() const {
    return WrestlersAdded.empty() && ScratchTurned.empty() && Removed.empty() && Edited.empty() &&
           Added.empty() && HighestBefore == HighestAfter && NextIdBefore == NextIdAfter;
  }
  // Roughly what the change keeps in memory, for bounding the undo history.
  std::size_t Bytes() const;
};

// Makes a change and records it: the edit functions change the board only through these,
// in the order Reapply replays them (wrestlers added, scratches turned, one removal,
// edits, bouts added), and the recorder keeps what Revert and Reapply need.
class ChangeRecorder {
 public:
  // board must outlive the recorder; change may be null (nothing is recorded).
  ChangeRecorder(BoutBoard& board, BoardChange* change);
  ~ChangeRecorder();
  ChangeRecorder(const ChangeRecorder&) = delete;
  ChangeRecorder& operator=(const ChangeRecorder&) = delete;

  void AddWrestler(const BoardWrestler& w);
  void TurnScratch(int wrestler);
  // Removes the bouts at these places (any order, no repeats); once per change.
  void RemoveBouts(std::vector<std::int32_t> places);
  void EditBout(int place, const Bout& after);
  void AddBout(const Bout& bout);

 private:
  BoutBoard& board_;
  BoardChange* change_;
};

// Takes the change back: the board is as it was before the change was made. The board
// must be as the change left it.
void Revert(BoutBoard& board, const BoardChange& change);

// Makes the change again on the board as it was before it.
void Reapply(BoutBoard& board, const BoardChange& change);

}  // namespace kestrio::board
