#include "board/bout_board.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <optional>
#include <unordered_map>

#include "pairing/measure_text.h"

namespace kestrio::board {
namespace {

std::string_view WithoutLeadingBlanks(std::string_view s) {
  const auto begin = s.find_first_not_of(' ');
  return begin == std::string_view::npos ? std::string_view() : s.substr(begin);
}

Status ReadNumber(const WrestlerKey& key, std::string_view field, std::string_view value,
                  float* shown, double* exact) {
  const std::optional<pairing::Measure> m = pairing::ReadMeasure(value);
  if (!m) {
    return Status::BadNumber("The " + std::string(field) + " \"" +
                             std::string(text::WithoutBlanks(value)) + "\" of " +
                             std::string(key.LastName.WithoutBlanks()) + ", " +
                             std::string(key.FirstName.WithoutBlanks()) + " is not a number.");
  }
  *shown = m->Shown;
  *exact = m->Exact;
  return Status::Ok();
}

// Reads the numbers from the given texts (the roster's, or the key's) the way a pairing
// run reads them, and takes names and club from the key.
Status BuildWrestler(const WrestlerKey& key, std::string_view weight, std::string_view age,
                     std::string_view rating, BoardWrestler* wrestler) {
  BoardWrestler w;
  w.Key = key;
  for (const Status& status : {ReadNumber(key, "Weight", weight, &w.Shown.Weight, &w.Fit.Weight),
                               ReadNumber(key, "Age", age, &w.Shown.Age, &w.Fit.Age),
                               ReadNumber(key, "Rating", rating, &w.Shown.Rating, &w.Fit.Rating)}) {
    if (!status.ok()) return status;
  }
  w.Shown.LastName.Assign(key.LastName.WithoutBlanks());
  w.Shown.FirstName.Assign(key.FirstName.WithoutBlanks());
  w.Shown.Club.Assign(key.Club.WithoutBlanks());
  *wrestler = w;
  return Status::Ok();
}

}  // namespace

WrestlerKey KeyOf(const roster::Participant& entry) {
  WrestlerKey key;
  key.LastName.Assign(entry.LastName.WithoutBlanks());
  key.FirstName.Assign(entry.FirstName.WithoutBlanks());
  key.Club.Assign(entry.Club.WithoutBlanks());
  key.Weight.Assign(entry.Weight.WithoutBlanks());
  key.Age.Assign(entry.Age.WithoutBlanks());
  key.Rating.Assign(entry.Rating.WithoutBlanks());
  return key;
}

std::string KeyString(const WrestlerKey& key) {
  std::string out;
  out.reserve(125);
  for (std::string_view part : {key.LastName.view(), key.FirstName.view(), key.Club.view(),
                                key.Weight.view(), key.Age.view(), key.Rating.view()}) {
    out.append(part);
  }
  return out;
}

std::string DescribeWrestler(const WrestlerKey& key) {
  std::string out(key.LastName.WithoutBlanks());
  out += ", ";
  out += key.FirstName.WithoutBlanks();
  if (!key.Club.IsBlank()) {
    out += " (";
    out += key.Club.WithoutBlanks();
    out += ')';
  }
  return out;
}

namespace {

// spent_bouts, when given, is the run's bout list, let go as soon as the board's bouts are
// made: the wrestlers then take their room instead of adding to it.
BoutBoard MakeBoard(const pairing::PairingRun& run, const roster::Roster& roster,
                    std::vector<pairing::BoutEntry>* spent_bouts) {
  BoutBoard board;
  board.Control = run.Control;

  // Every bout's round, from the round table, by the magnitude of its number.
  std::vector<std::int32_t> round_of(static_cast<std::size_t>(run.TotalBouts) + 1, 0);
  for (int a = 0; a < run.SelectionSize; ++a) {
    for (int r = 0; r < std::min(run.RoundsUsed, run.RoundCapacity); ++r) {
      const std::int64_t x = std::llabs(run.RoundEntry(a, r));
      if (x > 0 && x <= run.TotalBouts) round_of[static_cast<std::size_t>(x)] = r + 1;
    }
  }
  board.Bouts.reserve(static_cast<std::size_t>(run.TotalBouts));
  for (int k = 0; k < run.TotalBouts; ++k) {
    const pairing::BoutEntry& first = run.BoutList[2 * static_cast<std::size_t>(k)];
    const pairing::BoutEntry& second = run.BoutList[2 * static_cast<std::size_t>(k) + 1];
    Bout bout;
    bout.Id = k + 1;
    bout.Number = first.BoutNumber;
    const std::int64_t magnitude = std::llabs(first.BoutNumber);
    bout.Round = magnitude <= run.TotalBouts ? round_of[static_cast<std::size_t>(magnitude)] : 0;
    bout.WeightClass = first.WeightClass;
    bout.First = first.SelectionIndex;
    bout.Second = second.SelectionIndex;
    board.Bouts.push_back(bout);
  }
  board.HighestNumber = run.TotalBouts;
  board.NextId = run.TotalBouts + 1;
  if (spent_bouts != nullptr) std::vector<pairing::BoutEntry>().swap(*spent_bouts);

  board.Wrestlers.resize(static_cast<std::size_t>(run.SelectionSize));
  // The run selected the "Selected" entries in display order: their keys go straight onto
  // the board, without a list of keys beside it (125 bytes a wrestler).
  std::size_t place = 0;
  if (!board.Wrestlers.empty()) {
    roster::ForEachDisplayed(roster, [&](const roster::Participant& p) {
      if (roster::IsSelected(p)) board.Wrestlers[place++].Key = KeyOf(p);
      return place < board.Wrestlers.size();
    });
  }
  for (int a = 0; a < run.SelectionSize; ++a) {
    BoardWrestler& w = board.Wrestlers[static_cast<std::size_t>(a)];
    w.Shown = run.SelectedList[static_cast<std::size_t>(a)];
    if (static_cast<std::size_t>(a) < run.FitList.size()) {
      w.Fit = run.FitList[static_cast<std::size_t>(a)];
    } else {
      w.Fit = {w.Shown.Weight, w.Shown.Age, w.Shown.Rating, 0};
    }
  }
  if (run.FitList.size() != static_cast<std::size_t>(run.SelectionSize)) AssignClubIds(board);
  for (Bout& b : board.Bouts) b.Fit = FitOf(board, b.First, b.Second, b.NonOptimum());
  return board;
}

}  // namespace

BoutBoard BoardFromRun(const pairing::PairingRun& run, const roster::Roster& roster) {
  return MakeBoard(run, roster, nullptr);
}

BoutBoard BoardFromRun(pairing::PairingRun&& run, const roster::Roster& roster) {
  return MakeBoard(run, roster, &run.BoutList);
}

pairing::PairingRun BoardRun(const BoutBoard& board) {
  pairing::PairingRun run;
  run.Control = board.Control;
  std::vector<std::int32_t> index(board.Wrestlers.size(), -1);
  run.SelectedList.reserve(board.Wrestlers.size());
  run.FitList.reserve(board.Wrestlers.size());
  for (std::size_t w = 0; w < board.Wrestlers.size(); ++w) {
    if (board.Wrestlers[w].Scratched) continue;
    index[w] = run.SelectionSize++;
    run.SelectedList.push_back(board.Wrestlers[w].Shown);
    run.FitList.push_back(board.Wrestlers[w].Fit);
  }
  std::int32_t rounds = 0;
  for (const Bout& bout : board.Bouts) rounds = std::max(rounds, bout.Round);
  // As wide as the rounds the bouts use: every reader scans only those, and each rewrite
  // of the reports makes and checks this table again.
  run.RoundCapacity = rounds;
  run.RoundsUsed = rounds;
  run.RoundTable.assign(static_cast<std::size_t>(run.SelectionSize) * run.RoundCapacity, 0);
  run.BoutCount.assign(static_cast<std::size_t>(run.SelectionSize), 0);
  run.TotalBouts = static_cast<int>(board.Bouts.size());
  run.BoutList.reserve(2 * board.Bouts.size());
  for (const Bout& bout : board.Bouts) {
    for (const std::int32_t w : {bout.First, bout.Second}) {
      const std::int32_t a = index[static_cast<std::size_t>(w)];
      run.BoutList.push_back(pairing::MakeBoutEntry(
          board.Wrestlers[static_cast<std::size_t>(w)].Shown, a, bout.Number, bout.WeightClass));
      if (a < 0 || bout.Round < 1) continue;  // left for CheckBoutTables to name
      run.RoundTable[static_cast<std::size_t>(a) * run.RoundCapacity + (bout.Round - 1)] =
          bout.Number;
      ++run.BoutCount[static_cast<std::size_t>(a)];
    }
  }
  run.BoutOrder.resize(board.Bouts.size());
  std::iota(run.BoutOrder.begin(), run.BoutOrder.end(), 0);
  std::sort(run.BoutOrder.begin(), run.BoutOrder.end(), [&board](std::int32_t x, std::int32_t y) {
    return std::abs(board.Bouts[static_cast<std::size_t>(x)].Number) <
           std::abs(board.Bouts[static_cast<std::size_t>(y)].Number);
  });
  return run;
}

std::vector<std::int32_t> BoutCounts(const BoutBoard& board) {
  std::vector<std::int32_t> counts(board.Wrestlers.size(), 0);
  for (const Bout& bout : board.Bouts) {
    ++counts[static_cast<std::size_t>(bout.First)];
    ++counts[static_cast<std::size_t>(bout.Second)];
  }
  return counts;
}

int FindBout(const BoutBoard& board, std::int32_t number) {
  if (number == 0) return -1;
  for (std::size_t i = 0; i < board.Bouts.size(); ++i) {
    if (std::abs(board.Bouts[i].Number) == std::abs(number)) return static_cast<int>(i);
  }
  return -1;
}

int FindWrestler(const BoutBoard& board, const WrestlerKey& key) {
  int scratched = -1;
  for (std::size_t w = 0; w < board.Wrestlers.size(); ++w) {
    if (!(board.Wrestlers[w].Key == key)) continue;
    if (!board.Wrestlers[w].Scratched) return static_cast<int>(w);
    if (scratched < 0) scratched = static_cast<int>(w);
  }
  return scratched;
}

std::int32_t FirstFreeRound(const BoutBoard& board, int a, int b, int ignore, std::int32_t from) {
  std::vector<bool> busy;
  for (std::size_t i = 0; i < board.Bouts.size(); ++i) {
    const Bout& bout = board.Bouts[i];
    if (static_cast<int>(i) == ignore || (!bout.Has(a) && !bout.Has(b))) continue;
    if (static_cast<std::size_t>(bout.Round) >= busy.size()) busy.resize(bout.Round + 1, false);
    busy[static_cast<std::size_t>(bout.Round)] = true;
  }
  std::int32_t round = std::max<std::int32_t>(from, 1);
  while (static_cast<std::size_t>(round) < busy.size() && busy[static_cast<std::size_t>(round)])
    ++round;
  return round;
}

std::int32_t BoutBetween(const BoutBoard& board, int a, int b) {
  for (const Bout& bout : board.Bouts) {
    if (bout.Has(a) && bout.Opponent(a) == b) return bout.Number;
  }
  return 0;
}

float FitOf(const BoutBoard& board, int a, int b, bool relaxed) {
  const pairing::FitTolerances t = relaxed ? pairing::RelaxedTolerances(board.Control)
                                           : pairing::OptimumTolerances(board.Control);
  return pairing::GoodnessOfFit(board.Wrestlers[static_cast<std::size_t>(a)].Fit,
                                board.Wrestlers[static_cast<std::size_t>(b)].Fit, t);
}

void AssignClubIds(BoutBoard& board) {
  std::unordered_map<std::string_view, std::int32_t> ids;
  for (BoardWrestler& w : board.Wrestlers) {
    const std::string_view club = w.Key.Club.WithoutBlanks();
    w.Fit.ClubId = ids.emplace(club, static_cast<std::int32_t>(ids.size())).first->second;
  }
}

Status WrestlerFromEntry(const roster::Participant& entry, BoardWrestler* wrestler) {
  const Status s = BuildWrestler(KeyOf(entry), entry.Weight.view(), entry.Age.view(),
                                 entry.Rating.view(), wrestler);
  if (s.ok()) {
    // The run keeps the names as the entry has them past leading blanks, 32 at most.
    wrestler->Shown.LastName.Assign(WithoutLeadingBlanks(entry.LastName.view()));
    wrestler->Shown.FirstName.Assign(WithoutLeadingBlanks(entry.FirstName.view()));
    wrestler->Shown.Club.Assign(WithoutLeadingBlanks(entry.Club.view()));
  }
  return s;
}

Status WrestlerFromKey(const WrestlerKey& key, BoardWrestler* wrestler) {
  return BuildWrestler(key, key.Weight.view(), key.Age.view(), key.Rating.view(), wrestler);
}

}  // namespace kestrio::board
