#include "board/repairing.h"

#include <algorithm>
#include <map>
#include <string>
#include <utility>

#include "board/board_edits.h"
#include "pairing/fit_index.h"

namespace kestrio::board {
namespace {

// The state one re-pairing keeps between rounds: bout counts and, for the wanting
// wrestlers, whom they already wrestle.
struct Repair {
  BoutBoard& board;
  ChangeRecorder& recorder;
  std::vector<std::int32_t> counts;
  std::vector<std::vector<std::int32_t>> met;  // filled for the wanting wrestlers only
};

void AddRepairBout(Repair& repair, int c, int p, bool relaxed) {
  BoutBoard& board = repair.board;
  Bout bout = MakeBout(board, c, p, FirstFreeRound(board, c, p), board.HighestNumber + 1, relaxed);
  bout.Id = board.NextId++;
  ++board.HighestNumber;
  repair.recorder.AddBout(bout);
  ++repair.counts[static_cast<std::size_t>(c)];
  ++repair.counts[static_cast<std::size_t>(p)];
  repair.met[static_cast<std::size_t>(c)].push_back(p);
  repair.met[static_cast<std::size_t>(p)].push_back(c);
}

// One pass (phase) of rounds; ends after a round that made no bout.
void RepairPass(Repair& repair, const std::vector<int>& wanting, int target, bool relaxed,
                pairing::FitIndex& index) {
  const BoutBoard& board = repair.board;
  const pairing::PairingControl& control = board.Control;
  const int limit = std::min(target, control.MaxBoutsAllowed);
  std::vector<char> taken(board.Wrestlers.size(), 0);
  for (;;) {
    std::vector<std::pair<std::int32_t, int>> order;
    for (const int w : wanting) {
      if (repair.counts[static_cast<std::size_t>(w)] < limit)
        order.emplace_back(repair.counts[static_cast<std::size_t>(w)], w);
    }
    if (order.empty()) return;
    std::sort(order.begin(), order.end());
    std::fill(taken.begin(), taken.end(), 0);
    index.BeginRound([&](int b) {
      return !board.Wrestlers[static_cast<std::size_t>(b)].Scratched &&
             repair.counts[static_cast<std::size_t>(b)] < control.MaxBoutsAllowed;
    });
    int made = 0;
    for (const auto& [count, c] : order) {
      if (taken[static_cast<std::size_t>(c)]) continue;  // taken as a partner this round
      const auto& met = repair.met[static_cast<std::size_t>(c)];
      const int p = index.BestPartner(c, control.MinGoodnessOfFitAllowed, [&met](int b) {
        return std::find(met.begin(), met.end(), b) != met.end();
      });
      taken[static_cast<std::size_t>(c)] = 1;
      index.Take(c);
      if (p < 0) continue;
      taken[static_cast<std::size_t>(p)] = 1;
      index.Take(p);
      AddRepairBout(repair, c, p, relaxed);
      ++made;
    }
    if (made == 0) return;
  }
}

// The ClubId a newcomer of this club gets: his club mates', or a new one.
std::int32_t ClubIdFor(const BoutBoard& board, const BoardWrestler& newcomer) {
  std::int32_t highest = -1;
  for (const BoardWrestler& w : board.Wrestlers) {
    if (w.Key.Club.WithoutBlanks() == newcomer.Key.Club.WithoutBlanks()) return w.Fit.ClubId;
    highest = std::max(highest, w.Fit.ClubId);
  }
  return highest + 1;
}

}  // namespace

void PairWanting(BoutBoard& board, const std::vector<int>& wanting, int target,
                 ChangeRecorder& recorder) {
  if (wanting.empty()) return;
  Repair repair{board, recorder, BoutCounts(board), {}};
  repair.met.resize(board.Wrestlers.size());
  for (const Bout& bout : board.Bouts) {
    for (const int w : wanting) {
      if (bout.Has(w)) repair.met[static_cast<std::size_t>(w)].push_back(bout.Opponent(w));
    }
  }
  std::vector<pairing::FitInputs> fits;
  fits.reserve(board.Wrestlers.size());
  for (const BoardWrestler& w : board.Wrestlers) fits.push_back(w.Fit);
  pairing::FitIndex index(fits, pairing::OptimumTolerances(board.Control));
  RepairPass(repair, wanting, target, false, index);
  index.SetTolerances(pairing::RelaxedTolerances(board.Control));
  RepairPass(repair, wanting, target, true, index);
}

Status ScratchWrestler(BoutBoard& board, int wrestler, BoardChange* change) {
  if (wrestler < 0 || static_cast<std::size_t>(wrestler) >= board.Wrestlers.size()) {
    return Status::Refused("That wrestler is not on the bout board.");
  }
  if (board.Wrestlers[static_cast<std::size_t>(wrestler)].Scratched) {
    return Status::Refused(
        DescribeWrestler(board.Wrestlers[static_cast<std::size_t>(wrestler)].Key) +
        " is already scratched.");
  }
  std::vector<std::int32_t> places;
  std::vector<int> opponents;
  for (std::size_t i = 0; i < board.Bouts.size(); ++i) {
    if (!board.Bouts[i].Has(wrestler)) continue;
    places.push_back(static_cast<std::int32_t>(i));
    opponents.push_back(board.Bouts[i].Opponent(wrestler));
  }
  ChangeRecorder recorder(board, change);
  recorder.TurnScratch(wrestler);
  recorder.RemoveBouts(places);

  const std::vector<std::int32_t> counts = BoutCounts(board);
  std::sort(opponents.begin(), opponents.end());
  opponents.erase(std::unique(opponents.begin(), opponents.end()), opponents.end());
  std::vector<int> wanting;
  for (const int o : opponents) {
    if (counts[static_cast<std::size_t>(o)] < board.Control.MinBoutsWanted) wanting.push_back(o);
  }
  PairWanting(board, wanting, board.Control.MinBoutsWanted, recorder);
  return Status::Ok();
}

std::vector<int> LateArrivals(const BoutBoard& board, const roster::Roster& roster) {
  std::map<std::string, int> on_board;
  for (const BoardWrestler& w : board.Wrestlers) {
    if (!w.Scratched) ++on_board[KeyString(w.Key)];
  }
  std::vector<int> late;
  for (const std::int32_t e : roster.DisplayOrder) {
    const roster::Participant& p = roster.Entries[static_cast<std::size_t>(e)];
    if (!roster::IsSelected(p)) continue;
    auto it = on_board.find(KeyString(KeyOf(p)));
    if (it != on_board.end() && it->second > 0) {
      --it->second;
      continue;
    }
    late.push_back(e);
  }
  return late;
}

Status PairLateArrivals(BoutBoard& board, const roster::Roster& roster,
                        const std::vector<int>& arrivals, BoardChange* change) {
  if (arrivals.empty()) {
    return Status::Refused(
        "There are no late arrivals: every selected wrestler is on the bout board.");
  }
  // Every newcomer is read before the board changes, so a bad number changes nothing.
  std::vector<BoardWrestler> newcomers;
  for (const int e : arrivals) {
    BoardWrestler w;
    if (Status s = WrestlerFromEntry(roster.Entries[static_cast<std::size_t>(e)], &w); !s.ok())
      return s;
    newcomers.push_back(w);
  }
  ChangeRecorder recorder(board, change);
  std::vector<int> wanting;
  for (BoardWrestler& w : newcomers) {
    int place = -1;
    for (std::size_t i = 0; i < board.Wrestlers.size() && place < 0; ++i) {
      if (board.Wrestlers[i].Scratched && board.Wrestlers[i].Key == w.Key) {
        place = static_cast<int>(i);
      }
    }
    if (place >= 0) {
      recorder.TurnScratch(place);
    } else {
      w.Fit.ClubId = ClubIdFor(board, w);
      place = static_cast<int>(board.Wrestlers.size());
      recorder.AddWrestler(w);
    }
    wanting.push_back(place);
  }
  PairWanting(board, wanting, board.Control.MaxBoutsWanted, recorder);
  return Status::Ok();
}

}  // namespace kestrio::board
