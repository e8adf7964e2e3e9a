#include "roster/sort_display_order.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "base/exchange_order.h"
#include "roster/sort_key.h"

namespace kestrio::roster {
namespace {

// Three-way comparison of the keys of the entries at two positions of DisplayOrder, in
// the sort's direction. The start of every key is kept beside the positions, as numbers
// that compare as its bytes do: most comparisons are decided there, without reaching
// the entries themselves, which lie scattered over the roster. Compact keys are kept
// when every entry has one: they reach past the blanks that pad the full key's pieces,
// so that far fewer ties are left to the entries, and a key that fits whole settles its
// ties too.
class KeyCompare {
 public:
  explicit KeyCompare(const Roster& roster)
      : entries_(roster.DisplayOrder.size()),
        prefixes_(roster.DisplayOrder.size()),
        whole_(roster.DisplayOrder.size()),
        column_(std::abs(roster.SortColumn)),
        descending_(roster.SortColumn < 0) {
    std::size_t pos = 0;
    bool compact = true;
    ForEachDisplayed(roster, [&](const Participant& entry) {
      entries_[pos] = &entry;
      char bytes[kCompactPrefixWidth];
      const int length = CompactSortKeyPrefix(column_, entry, bytes);
      if (length < 0) {
        compact = false;
        return false;
      }
      Keep(pos, bytes);
      whole_[pos] = length <= static_cast<int>(kCompactPrefixWidth);
      ++pos;
      return true;
    });
    if (compact) return;
    // An entry without a compact key: the full keys' starts for everyone.
    pos = 0;
    ForEachDisplayed(roster, [&](const Participant& entry) {
      entries_[pos] = &entry;
      char start[kSortKeyPrefixWidth];
      SortKeyPrefix(column_, entry, start);
      char bytes[kCompactPrefixWidth] = {};
      std::memcpy(bytes, start, sizeof start);
      Keep(pos, bytes);
      whole_[pos] = false;
      ++pos;
      return true;
    });
  }

  int operator()(std::size_t a, std::size_t b) const {
    // Word by word in place: an array's == would call memcmp for every comparison.
    int c = 0;
    for (std::size_t w = 0; w < kWords && c == 0; ++w) {
      const std::uint64_t x = prefixes_[a][w];
      const std::uint64_t y = prefixes_[b][w];
      if (x != y) c = x < y ? -1 : 1;
    }
    if (c == 0) {
      if (whole_[a]) return 0;  // the same whole key; no other key starts with it
      c = CompareSortKeys(column_, *entries_[a], *entries_[b]);
    }
    return descending_ ? -c : c;
  }

 private:
  static constexpr std::size_t kWords = kCompactPrefixWidth / 8;
  static_assert(kSortKeyPrefixWidth <= kCompactPrefixWidth);

  void Keep(std::size_t pos, const char* bytes) {
    for (std::size_t w = 0; w < kWords; ++w) prefixes_[pos][w] = BigEndianWord(bytes + 8 * w);
  }

  // Eight key bytes as a number whose order is theirs as unsigned bytes.
  static std::uint64_t BigEndianWord(const char* bytes) {
    std::uint64_t word = 0;
    for (int i = 0; i < 8; ++i) word = word << 8 | static_cast<unsigned char>(bytes[i]);
    return word;
  }

  std::vector<const Participant*> entries_;
  std::vector<std::array<std::uint64_t, kWords>> prefixes_;
  std::vector<char> whole_;  // the compact key fits its prefix whole
  int column_;
  bool descending_;
};

bool ColumnInRange(const Roster& roster) {
  const int column = std::abs(roster.SortColumn);
  return column >= 1 && column <= kSortKeyColumns;
}

// The entries at the given positions of DisplayOrder, in that order.
std::vector<std::int32_t> EntriesAt(const Roster& roster, const std::vector<std::size_t>& order) {
  std::vector<std::int32_t> entries;
  entries.reserve(order.size());
  for (std::size_t pos : order) entries.push_back(roster.DisplayOrder[pos]);
  return entries;
}

}  // namespace

void SortDisplayOrder(Roster& roster) {
  if (!ColumnInRange(roster)) return;
  // An order that does not cover the entries exactly cannot be meaningful; start over.
  if (roster.DisplayOrder.size() != roster.Entries.size()) ResetDisplayOrder(roster);
  const std::size_t n = roster.DisplayOrder.size();
  if (n < 2) return;
  roster.DisplayOrder = EntriesAt(roster, ExchangeOrder(n, KeyCompare(roster)));
}

bool IsDisplayOrderSorted(const Roster& roster) {
  if (!ColumnInRange(roster)) return true;
  return InExchangeOrder(roster.DisplayOrder.size(), KeyCompare(roster));
}

bool IsDisplayOrderSortedAround(const Roster& roster, const std::vector<std::size_t>& positions) {
  if (!ColumnInRange(roster)) return true;
  const int column = std::abs(roster.SortColumn);
  const int direction = roster.SortColumn < 0 ? -1 : 1;
  const std::size_t n = roster.DisplayOrder.size();
  auto in_order = [&](std::size_t pos) {  // entries at pos and pos + 1
    return direction * CompareSortKeys(column, roster.Displayed(pos), roster.Displayed(pos + 1)) <=
           0;
  };
  for (std::size_t pos : positions) {
    if (pos >= n) continue;
    if (pos > 0 && !in_order(pos - 1)) return false;
    if (pos + 1 < n && !in_order(pos)) return false;
  }
  return true;
}

void SortDisplayOrderAfterChanges(Roster& roster, const std::vector<int>& changed) {
  std::vector<bool> changed_at(roster.DisplayOrder.size(), false);
  std::vector<bool> is_changed(roster.Entries.size(), false);
  for (int e : changed) is_changed[static_cast<std::size_t>(e)] = true;
  for (std::size_t pos = 0; pos < changed_at.size(); ++pos) {
    changed_at[pos] = is_changed[static_cast<std::size_t>(roster.DisplayOrder[pos])];
  }
  roster.DisplayOrder =
      EntriesAt(roster, ExchangeOrderAfterChanges(changed_at, KeyCompare(roster)));
}

}  // namespace kestrio::roster
