#include "ui/undo_history.h"

#include <utility>

namespace kestrio::ui {
namespace {

std::size_t BoardBytes(const board::BoutBoard& board) {
  return board.Wrestlers.capacity() * sizeof(board::BoardWrestler) +
         board.Bouts.capacity() * sizeof(board::Bout);
}

}  // namespace

std::size_t UndoStep::Bytes() const {
  std::size_t board_bytes = board.capacity() * sizeof(board::BoardChange);
  for (const board::BoardChange& change : board) board_bytes += change.Bytes();
  return sizeof(UndoStep) + label.capacity() + roster.Bytes() + board_bytes +
         BoardBytes(other_board) + before.roster_file.capacity() + after.roster_file.capacity();
}

void UndoHistory::Push(UndoStep step) {
  while (steps_.size() > done_) {
    bytes_ -= steps_.back().Bytes();
    steps_.pop_back();
  }
  bytes_ += step.Bytes();
  steps_.push_back(std::move(step));
  done_ = steps_.size();
  // The newest step always stays, however large.
  while (bytes_ > budget_ && steps_.size() > 1) {
    bytes_ -= steps_.front().Bytes();
    steps_.pop_front();
    --done_;
  }
}

void UndoHistory::Clear() {
  steps_.clear();
  done_ = 0;
  bytes_ = 0;
}

const UndoStep* UndoHistory::NextUndo() const { return done_ > 0 ? &steps_[done_ - 1] : nullptr; }

const UndoStep* UndoHistory::NextRedo() const {
  return done_ < steps_.size() ? &steps_[done_] : nullptr;
}

const UndoStep& UndoHistory::StepBack(board::BoutBoard& day_board) {
  UndoStep& step = steps_[--done_];
  TradeBoards(step, day_board);
  return step;
}

const UndoStep& UndoHistory::StepForward(board::BoutBoard& day_board) {
  UndoStep& step = steps_[done_++];
  TradeBoards(step, day_board);
  return step;
}

void UndoHistory::TradeBoards(UndoStep& step, board::BoutBoard& day_board) {
  if (!step.board_replaced) return;
  bytes_ -= step.Bytes();
  std::swap(step.other_board, day_board);
  bytes_ += step.Bytes();
}

std::string Counted(std::string_view verb, int count, std::string_view one, std::string_view many) {
  std::string out(verb);
  out += ' ';
  if (count == 1) {
    out += one;
  } else {
    out += std::to_string(count);
    out += ' ';
    out += many;
  }
  return out;
}

}  // namespace kestrio::ui
