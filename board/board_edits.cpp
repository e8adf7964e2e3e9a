#include "board/board_edits.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <string>

#include "pairing/pairing_run.h"

namespace kestrio::board {
namespace {

std::string Name(const BoutBoard& board, int w) {
  return DescribeWrestler(board.Wrestlers[static_cast<std::size_t>(w)].Key);
}

bool OnBoard(const BoutBoard& board, int w) {
  return w >= 0 && static_cast<std::size_t>(w) < board.Wrestlers.size();
}

Status CheckPair(const BoutBoard& board, int a, int b) {
  if (!OnBoard(board, a) || !OnBoard(board, b)) {
    return Status::Refused("That wrestler is not on the bout board.");
  }
  if (a == b) return Status::Refused(Name(board, a) + " cannot wrestle himself.");
  for (const int w : {a, b}) {
    if (board.Wrestlers[static_cast<std::size_t>(w)].Scratched) {
      return Status::Refused(Name(board, w) + " is scratched.");
    }
  }
  if (const std::int32_t met = BoutBetween(board, a, b); met != 0) {
    return Status::Refused(Name(board, a) + " and " + Name(board, b) +
                           " already wrestle each other in bout " + std::to_string(met) + ".");
  }
  return Status::Ok();
}

Status NoSuchBout(std::int32_t number) {
  return Status::Refused("Bout " + std::to_string(number) + " is not on the bout board.");
}

}  // namespace

bool IsOptimumPair(const BoutBoard& board, int a, int b) {
  return FitOf(board, a, b, false) > board.Control.MinGoodnessOfFitAllowed;
}

Bout MakeBout(const BoutBoard& board, int a, int b, std::int32_t round, std::int32_t magnitude,
              bool relaxed) {
  Bout bout;
  bout.Number = relaxed ? -magnitude : magnitude;
  bout.Round = round;
  bout.WeightClass =
      pairing::BoutWeightClass(board.Wrestlers[static_cast<std::size_t>(a)].Shown.Weight,
                               board.Wrestlers[static_cast<std::size_t>(b)].Shown.Weight);
  bout.First = a;
  bout.Second = b;
  bout.Fit = FitOf(board, a, b, relaxed);
  return bout;
}

Status AddBoutByHand(BoutBoard& board, int a, int b, BoardChange* change, std::int32_t* number) {
  if (Status s = CheckPair(board, a, b); !s.ok()) return s;
  ChangeRecorder recorder(board, change);
  Bout bout = MakeBout(board, a, b, FirstFreeRound(board, a, b), board.HighestNumber + 1,
                       !IsOptimumPair(board, a, b));
  bout.Id = board.NextId++;
  bout.MadeByHand = true;
  bout.Locked = true;
  ++board.HighestNumber;
  recorder.AddBout(bout);
  if (number != nullptr) *number = bout.Number;
  return Status::Ok();
}

Status RemoveBout(BoutBoard& board, std::int32_t number, BoardChange* change) {
  const int place = FindBout(board, number);
  if (place < 0) return NoSuchBout(number);
  ChangeRecorder recorder(board, change);
  recorder.RemoveBouts({place});
  return Status::Ok();
}

Status ReplaceWrestler(BoutBoard& board, std::int32_t number, int out, int in,
                       BoardChange* change) {
  const int place = FindBout(board, number);
  if (place < 0) return NoSuchBout(number);
  const Bout old = board.Bouts[static_cast<std::size_t>(place)];
  if (!OnBoard(board, out) || !old.Has(out)) {
    return Status::Refused((OnBoard(board, out) ? Name(board, out) : std::string("That wrestler")) +
                           " does not wrestle in bout " + std::to_string(std::abs(number)) + ".");
  }
  const int kept = old.Opponent(out);
  if (Status s = CheckPair(board, kept, in); !s.ok()) return s;

  // Where the bout can stand: its own round unless the newcomer wrestles then; the bout
  // itself does not count against the wrestler who stays.
  std::int32_t round = old.Round;
  if (FirstFreeRound(board, kept, in, place, round) != round) {
    round = FirstFreeRound(board, kept, in, place);
  }
  const int first = old.First == out ? in : kept;
  const int second = old.First == out ? kept : in;
  Bout bout = MakeBout(board, first, second, round, std::abs(old.Number),
                       !IsOptimumPair(board, first, second));
  bout.Id = old.Id;
  bout.MadeByHand = true;
  bout.Locked = true;
  ChangeRecorder recorder(board, change);
  recorder.EditBout(place, bout);
  return Status::Ok();
}

void RenumberBouts(BoutBoard& board, BoardChange* change) {
  std::vector<std::int32_t> order(board.Bouts.size());
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(), [&board](std::int32_t x, std::int32_t y) {
    return std::abs(board.Bouts[static_cast<std::size_t>(x)].Number) <
           std::abs(board.Bouts[static_cast<std::size_t>(y)].Number);
  });
  ChangeRecorder recorder(board, change);
  for (std::size_t k = 0; k < order.size(); ++k) {
    Bout bout = board.Bouts[static_cast<std::size_t>(order[k])];
    const std::int32_t renumbered = static_cast<std::int32_t>(k) + 1;
    if (std::abs(bout.Number) == renumbered) continue;
    bout.Number = bout.Number < 0 ? -renumbered : renumbered;
    recorder.EditBout(order[k], bout);
  }
  board.HighestNumber = static_cast<std::int32_t>(order.size());
}

}  // namespace kestrio::board
