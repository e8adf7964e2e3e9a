#include "board/board_change.h"

#include <algorithm>

namespace kestrio::board {

std::size_t BoardChange::Bytes() const {
  return sizeof(BoardChange) + WrestlersAdded.capacity() * sizeof(BoardWrestler) +
         ScratchTurned.capacity() * sizeof(std::int32_t) +
         Removed.capacity() * sizeof(std::pair<std::int32_t, Bout>) +
         Edited.capacity() * sizeof(BoutEdit) + Added.capacity() * sizeof(Bout);
}

ChangeRecorder::ChangeRecorder(BoutBoard& board, BoardChange* change)
    : board_(board), change_(change) {
  if (change_ == nullptr) return;
  *change_ = BoardChange();
  change_->HighestBefore = board.HighestNumber;
  change_->NextIdBefore = board.NextId;
}

ChangeRecorder::~ChangeRecorder() {
  if (change_ == nullptr) return;
  change_->HighestAfter = board_.HighestNumber;
  change_->NextIdAfter = board_.NextId;
}

void ChangeRecorder::AddWrestler(const BoardWrestler& w) {
  board_.Wrestlers.push_back(w);
  if (change_ != nullptr) change_->WrestlersAdded.push_back(w);
}

void ChangeRecorder::TurnScratch(int wrestler) {
  BoardWrestler& w = board_.Wrestlers[static_cast<std::size_t>(wrestler)];
  w.Scratched = !w.Scratched;
  if (change_ != nullptr) change_->ScratchTurned.push_back(wrestler);
}

void ChangeRecorder::RemoveBouts(std::vector<std::int32_t> places) {
  if (places.empty()) return;
  std::sort(places.begin(), places.end());
  std::vector<Bout> kept;
  kept.reserve(board_.Bouts.size() - places.size());
  std::size_t next = 0;
  for (std::size_t i = 0; i < board_.Bouts.size(); ++i) {
    if (next < places.size() && static_cast<std::size_t>(places[next]) == i) {
      if (change_ != nullptr) change_->Removed.emplace_back(places[next], board_.Bouts[i]);
      ++next;
      continue;
    }
    kept.push_back(board_.Bouts[i]);
  }
  board_.Bouts = std::move(kept);
}

void ChangeRecorder::EditBout(int place, const Bout& after) {
  Bout& bout = board_.Bouts[static_cast<std::size_t>(place)];
  if (change_ != nullptr) change_->Edited.push_back({place, bout, after});
  bout = after;
}

void ChangeRecorder::AddBout(const Bout& bout) {
  board_.Bouts.push_back(bout);
  if (change_ != nullptr) change_->Added.push_back(bout);
}

void Revert(BoutBoard& board, const BoardChange& change) {
  board.Bouts.resize(board.Bouts.size() - change.Added.size());
  for (auto it = change.Edited.rbegin(); it != change.Edited.rend(); ++it) {
    board.Bouts[static_cast<std::size_t>(it->Place)] = it->Before;
  }
  if (!change.Removed.empty()) {
    std::vector<Bout> bouts;
    bouts.reserve(board.Bouts.size() + change.Removed.size());
    std::size_t kept = 0;
    for (const auto& [place, bout] : change.Removed) {
      while (bouts.size() < static_cast<std::size_t>(place)) bouts.push_back(board.Bouts[kept++]);
      bouts.push_back(bout);
    }
    while (kept < board.Bouts.size()) bouts.push_back(board.Bouts[kept++]);
    board.Bouts = std::move(bouts);
  }
  for (auto it = change.ScratchTurned.rbegin(); it != change.ScratchTurned.rend(); ++it) {
    BoardWrestler& w = board.Wrestlers[static_cast<std::size_t>(*it)];
    w.Scratched = !w.Scratched;
  }
  board.Wrestlers.resize(board.Wrestlers.size() - change.WrestlersAdded.size());
  board.HighestNumber = change.HighestBefore;
  board.NextId = change.NextIdBefore;
}

void Reapply(BoutBoard& board, const BoardChange& change) {
  board.Wrestlers.insert(board.Wrestlers.end(), change.WrestlersAdded.begin(),
                         change.WrestlersAdded.end());
  for (const std::int32_t w : change.ScratchTurned) {
    BoardWrestler& wrestler = board.Wrestlers[static_cast<std::size_t>(w)];
    wrestler.Scratched = !wrestler.Scratched;
  }
  if (!change.Removed.empty()) {
    std::vector<Bout> kept;
    kept.reserve(board.Bouts.size() - change.Removed.size());
    std::size_t next = 0;
    for (std::size_t i = 0; i < board.Bouts.size(); ++i) {
      if (next < change.Removed.size() &&
          static_cast<std::size_t>(change.Removed[next].first) == i) {
        ++next;
        continue;
      }
      kept.push_back(board.Bouts[i]);
    }
    board.Bouts = std::move(kept);
  }
  for (const BoutEdit& edit : change.Edited) {
    board.Bouts[static_cast<std::size_t>(edit.Place)] = edit.After;
  }
  board.Bouts.insert(board.Bouts.end(), change.Added.begin(), change.Added.end());
  board.HighestNumber = change.HighestAfter;
  board.NextId = change.NextIdAfter;
}

}  // namespace kestrio::board
