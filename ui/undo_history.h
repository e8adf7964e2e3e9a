#pragma once

// The steps Edit > Undo takes back and Edit > Redo does again, each named for the menu
// ("Undo Delete 3 Entries").
//
// A step keeps what its command changed: the roster change, the bout-board changes, and
// for the commands that replace the whole board (a pairing run, Clear All) the board
// that is not the day's. The history keeps at most a budget of memory, the oldest steps going
// first, so that a long day never grows without bound.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "board/board_change.h"
#include "board/bout_board.h"
#include "ui/roster_change.h"

namespace kestrio::ui {

// What a step restores besides the roster and the board.
struct SessionFacts {
  // The roster data file the board goes with.
  std::string roster_file;
  bool project_saved = false;
  bool pairing_done = false;
  // Names the state of the roster: equal revisions, equal rosters (for the modified mark).
  std::uint64_t revision = 0;
};

struct UndoStep {
  // What the menu shows after "Undo " and "Redo ": "Delete 3 Entries".
  std::string label;
  RosterChange roster;
  // The board changes in the order they were made.
  std::vector<board::BoardChange> board;
  // Set when the command replaced the whole board. The step then keeps whichever of the
  // two boards the day does not have: the one before the command while the step is done,
  // the one after it while it is taken back (an empty board when that one was empty).
  // Undo and Redo trade it for the day's, so the board a run made is never copied.
  bool board_replaced = false;
  board::BoutBoard other_board;
  SessionFacts before;
  SessionFacts after;

  bool ChangesBoard() const { return !board.empty() || board_replaced; }
  std::size_t Bytes() const;
};

class UndoHistory {
 public:
  // Far more than a day's steps ever take; beyond it the oldest are forgotten.
  static constexpr std::size_t kDefaultBudget = std::size_t{64} << 20;

  explicit UndoHistory(std::size_t byte_budget = kDefaultBudget) : budget_(byte_budget) {}

  // Adds a step after the current one; the steps that could be redone are dropped.
  void Push(UndoStep step);
  void Clear();

  // The step Undo would take back, or null.
  const UndoStep* NextUndo() const;
  // The step Redo would do again, or null.
  const UndoStep* NextRedo() const;
  // Moves back over the step Undo takes back and returns it; NextUndo() must be set. A
  // step that replaced the whole board trades its board for day_board.
  const UndoStep& StepBack(board::BoutBoard& day_board);
  // Moves forward over the step Redo does again and returns it; NextRedo() must be set.
  // As StepBack, for the board.
  const UndoStep& StepForward(board::BoutBoard& day_board);

  std::size_t size() const { return steps_.size(); }
  std::size_t Bytes() const { return bytes_; }

 private:
  void TradeBoards(UndoStep& step, board::BoutBoard& day_board);

  std::deque<UndoStep> steps_;
  std::size_t done_ = 0;  // steps_[0 .. done_) are done; the rest can be redone
  std::size_t bytes_ = 0;
  std::size_t budget_;
};

// "Delete 3 Entries", "Delete Entry": a verb and a count of what it acted on.
std::string Counted(std::string_view verb, int count, std::string_view one, std::string_view many);

}  // namespace kestrio::ui
