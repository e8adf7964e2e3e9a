#include "ui/bouts_view.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <tuple>
#include <utility>

#include "base/number_text.h"

namespace kestrio::ui {
namespace {

std::string Trimmed(std::string s) { return std::string(text::WithoutBlanks(s)); }

std::string Name(const board::BoardWrestler& w) {
  return std::string(w.Shown.LastName.WithoutBlanks()) + ", " +
         std::string(w.Shown.FirstName.WithoutBlanks());
}

// Wrestler columns 3..7 (first) and 8..12 (second), as offsets 0..4.
std::string WrestlerCell(const board::BoardWrestler& w, int offset) {
  switch (offset) {
    case 0:
      return Name(w);
    case 1:
      return std::string(w.Shown.Club.WithoutBlanks());
    case 2:
      return Trimmed(text::FormatFixed(w.Shown.Weight, 10, 1));
    case 3:
      return Trimmed(text::FormatFixed(w.Shown.Age, 10, 1));
    default:
      return Trimmed(text::FormatFixed(w.Shown.Rating, 10, 2));
  }
}

std::string Flags(const board::Bout& bout) {
  std::string out;
  auto add = [&out](std::string_view word) {
    if (!out.empty()) out += ", ";
    out += word;
  };
  if (bout.NonOptimum()) add("Non-optimum");
  if (bout.MadeByHand) add("By hand");
  if (bout.Locked) add("Locked");
  return out;
}

// The bout's place in the schedule, sorted by mat or by time; past every scheduled bout
// when it has none.
double ScheduleKey(const reports::MatDay* day, const board::Bout& bout, int column) {
  const int i = day == nullptr ? -1 : reports::FindScheduledBout(*day, bout.Number);
  if (i < 0) return 1e18;
  const double mat = day->schedule.Mat[static_cast<std::size_t>(i)];
  const double slot = day->schedule.Slot[static_cast<std::size_t>(i)];
  return column == kMatColumn ? mat * 1e9 + slot : slot * 1e3 + mat;
}

// A sort key for numeric columns; text columns compare their cells.
double NumberOf(const board::BoutBoard& board, const board::Bout& bout, int column,
                const reports::MatDay* day) {
  if (column == kMatColumn || column == kTimeColumn) return ScheduleKey(day, bout, column);
  const auto& w = board.Wrestlers[static_cast<std::size_t>(column < 8 ? bout.First : bout.Second)];
  switch (column) {
    case 0:
      return std::abs(bout.Number);
    case 1:
      return bout.Round;
    case 2:
      return bout.WeightClass;
    case 5:
    case 10:
      return w.Shown.Weight;
    case 6:
    case 11:
      return w.Shown.Age;
    case 7:
    case 12:
      return w.Shown.Rating;
    case 13:
      return bout.Fit;
    default:
      return 0;
  }
}

bool IsTextColumn(int column) {
  return column == 3 || column == 4 || column == 8 || column == 9 || column == 14;
}

}  // namespace

std::string BoutCell(const board::BoutBoard& board, const board::Bout& bout, int column,
                     const reports::MatDay* day) {
  if (column == kMatColumn || column == kTimeColumn) {
    const int i = day == nullptr ? -1 : reports::FindScheduledBout(*day, bout.Number);
    if (i < 0) return {};
    return column == kMatColumn ? std::to_string(reports::MatOfBout(*day, i))
                                : reports::StartOfBout(*day, i);
  }
  if (column >= 3 && column <= 7)
    return WrestlerCell(board.Wrestlers[static_cast<std::size_t>(bout.First)], column - 3);
  if (column >= 8 && column <= 12)
    return WrestlerCell(board.Wrestlers[static_cast<std::size_t>(bout.Second)], column - 8);
  switch (column) {
    case 0:
      return std::to_string(bout.Number);
    case 1:
      return std::to_string(bout.Round);
    case 2:
      return std::to_string(bout.WeightClass);
    case 13:
      return Trimmed(text::FormatFixed(bout.Fit, 10, 4));
    case 14:
      return Flags(bout);
    default:
      return {};
  }
}

namespace {

// A hash of a key's first characters: names, club and weight, eight of each (every field
// is wider). Keys that share them are told apart by the whole key.
std::uint64_t KeyHash(const board::WrestlerKey& key) {
  std::uint64_t h = 0;
  for (const char* field :
       {key.LastName.data(), key.FirstName.data(), key.Club.data(), key.Weight.data()}) {
    std::uint64_t word = 0;
    std::memcpy(&word, field, sizeof word);
    h = (h ^ word) * 0x9e3779b97f4a7c15ULL;
    h ^= h >> 29;
  }
  return h;
}

}  // namespace

std::vector<int> BoardPlacesOf(const board::BoutBoard& board,
                               const std::vector<board::WrestlerKey>& keys) {
  // A few keys are looked up on the board one by one; many (a long highlight, and this
  // runs at every change of it) are put in a table, and the board is walked once.
  constexpr std::size_t kKeysLookedUpOneByOne = 16;
  std::vector<int> places;
  std::vector<bool> listed(board.Wrestlers.size(), false);
  const auto list = [&](int place) {
    if (place < 0 || listed[static_cast<std::size_t>(place)]) return;
    listed[static_cast<std::size_t>(place)] = true;
    places.push_back(place);
  };
  if (keys.size() <= kKeysLookedUpOneByOne) {
    for (const board::WrestlerKey& key : keys) list(board::FindWrestler(board, key));
    return places;
  }
  // Open addressing, at most half full: (hash, first index in keys of the key).
  struct Slot {
    std::uint64_t hash = 0;
    int key = -1;
  };
  const std::size_t mask = std::bit_ceil(2 * keys.size()) - 1;
  std::vector<Slot> table(mask + 1);
  const auto slot_of = [&](const board::WrestlerKey& key, std::uint64_t h) -> Slot& {
    std::size_t i = h & mask;
    while (table[i].key >= 0 &&
           !(table[i].hash == h && keys[static_cast<std::size_t>(table[i].key)] == key)) {
      i = (i + 1) & mask;
    }
    return table[i];
  };
  // Each key's slot, by its first index: repeated keys share one.
  std::vector<int> first(keys.size());
  for (std::size_t k = 0; k < keys.size(); ++k) {
    const std::uint64_t h = KeyHash(keys[k]);
    Slot& slot = slot_of(keys[k], h);
    if (slot.key < 0) slot = {h, static_cast<int>(k)};
    first[k] = slot.key;
  }
  // As FindWrestler: the first place with the key that is not scratched, else the first
  // scratched one; the board in order meets each first.
  std::vector<int> free_place(keys.size(), -1), scratched_place(keys.size(), -1);
  for (std::size_t w = 0; w < board.Wrestlers.size(); ++w) {
    const board::BoardWrestler& wrestler = board.Wrestlers[w];
    const Slot& slot = slot_of(wrestler.Key, KeyHash(wrestler.Key));
    if (slot.key < 0) continue;
    int& place =
        (wrestler.Scratched ? scratched_place : free_place)[static_cast<std::size_t>(slot.key)];
    if (place < 0) place = static_cast<int>(w);
  }
  for (std::size_t k = 0; k < keys.size(); ++k) {
    const auto key = static_cast<std::size_t>(first[k]);
    list(free_place[key] >= 0 ? free_place[key] : scratched_place[key]);
  }
  return places;
}

std::vector<std::int32_t> BoutsOf(const board::BoutBoard& board,
                                  const std::vector<int>& wrestlers) {
  // The wanted wrestlers marked once: a thousand highlighted rows cost a look per bout
  // side, not a thousand.
  std::vector<bool> wanted(board.Wrestlers.size(), false);
  for (const int w : wrestlers) {
    if (w >= 0 && static_cast<std::size_t>(w) < wanted.size())
      wanted[static_cast<std::size_t>(w)] = true;
  }
  const auto is_wanted = [&wanted](int w) {
    return w >= 0 && static_cast<std::size_t>(w) < wanted.size() &&
           wanted[static_cast<std::size_t>(w)];
  };
  std::vector<std::int32_t> places;
  places.reserve(board.Bouts.size());
  for (std::size_t i = 0; i < board.Bouts.size(); ++i) {
    const board::Bout& bout = board.Bouts[i];
    if (wrestlers.empty() || is_wanted(bout.First) || is_wanted(bout.Second)) {
      places.push_back(static_cast<std::int32_t>(i));
    }
  }
  return places;
}

void SortBouts(const board::BoutBoard& board, int sort_column, std::vector<std::int32_t>& places,
               const reports::MatDay* day) {
  const int column = std::abs(sort_column) - 1;
  const bool descending = sort_column < 0;
  auto number = [&board](std::int32_t p) {
    return std::abs(board.Bouts[static_cast<std::size_t>(p)].Number);
  };
  if (column < 0 || column >= static_cast<int>(kBoutColumns.size())) {
    std::sort(places.begin(), places.end(),
              [&](std::int32_t a, std::int32_t b) { return number(a) < number(b); });
    return;
  }
  if (IsTextColumn(column)) {
    // The texts are made once, not in every comparison.
    std::vector<std::pair<std::string, std::int32_t>> keyed;
    keyed.reserve(places.size());
    for (std::int32_t p : places) {
      keyed.emplace_back(BoutCell(board, board.Bouts[static_cast<std::size_t>(p)], column), p);
    }
    std::sort(keyed.begin(), keyed.end(), [&](const auto& a, const auto& b) {
      if (a.first != b.first) return descending ? a.first > b.first : a.first < b.first;
      return number(a.second) < number(b.second);
    });
    for (std::size_t i = 0; i < keyed.size(); ++i) places[i] = keyed[i].second;
    return;
  }
  std::sort(places.begin(), places.end(), [&](std::int32_t a, std::int32_t b) {
    const double x = NumberOf(board, board.Bouts[static_cast<std::size_t>(a)], column, day);
    const double y = NumberOf(board, board.Bouts[static_cast<std::size_t>(b)], column, day);
    if (x != y) return descending ? x > y : x < y;
    return number(a) < number(b);
  });
}

}  // namespace kestrio::ui
