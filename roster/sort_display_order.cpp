#include "roster/sort_display_order.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace kestrio::roster {
namespace {

// Counts marked positions in a prefix; positions are 0-based.
class FenwickTree {
 public:
  explicit FenwickTree(std::size_t n) : tree_(n + 1, 0) {}

  void Mark(std::size_t position) {
    for (std::size_t i = position + 1; i < tree_.size(); i += i & (~i + 1)) ++tree_[i];
  }

  // Marked positions in [0, end).
  int CountBefore(std::size_t end) const {
    int sum = 0;
    for (std::size_t i = end; i > 0; i -= i & (~i + 1)) sum += tree_[i];
    return sum;
  }

 private:
  std::vector<int> tree_;
};

// A circular doubly linked list over the members of one class of equal keys, with a
// moving head: rotating by r costs min(r, size - r) steps and appending costs one.
class RotatingRing {
 public:
  explicit RotatingRing(std::size_t capacity) : next_(capacity), prev_(capacity) {}

  void Reset() { size_ = 0; }

  // Appends slot (0 .. capacity-1, each used once per class) at the end.
  void Append(std::size_t slot) {
    if (size_ == 0) {
      head_ = next_[slot] = prev_[slot] = slot;
    } else {
      const std::size_t tail = prev_[head_];
      next_[tail] = slot;
      prev_[slot] = tail;
      next_[slot] = head_;
      prev_[head_] = slot;
    }
    ++size_;
  }

  // The element at position k becomes the first, for k = shift mod size.
  void RotateLeft(std::size_t shift) {
    const std::size_t r = shift % size_;
    if (r <= size_ - r) {
      for (std::size_t i = 0; i < r; ++i) head_ = next_[head_];
    } else {
      for (std::size_t i = 0; i < size_ - r; ++i) head_ = prev_[head_];
    }
  }

  template <typename Visit>
  void ForEach(Visit visit) const {
    std::size_t slot = head_;
    for (std::size_t i = 0; i < size_; ++i, slot = next_[slot]) visit(slot);
  }

 private:
  std::vector<std::size_t> next_;
  std::vector<std::size_t> prev_;
  std::size_t head_ = 0;
  std::size_t size_ = 0;
};

// Three-way comparison of the keys at two starting positions, in the sort's direction.
class KeyCompare {
 public:
  KeyCompare(const Roster& roster, int column, bool descending)
      : keys_(roster.DisplayOrder.size()), descending_(descending) {
    for (std::size_t pos = 0; pos < keys_.size(); ++pos) {
      const auto entry = static_cast<std::size_t>(roster.DisplayOrder[pos]);
      keys_[pos] = roster.Entries[entry].SortKeys[static_cast<std::size_t>(column - 1)].data();
    }
  }

  int operator()(std::size_t a, std::size_t b) const {
    const int c = std::memcmp(keys_[a], keys_[b], kSortKeyWidth);
    return descending_ ? -c : c;
  }

 private:
  std::vector<const char*> keys_;
  bool descending_;
};

// Starting positions in key order; equal keys keep their starting order.
std::vector<std::size_t> PositionsByKey(const KeyCompare& compare, std::size_t n) {
  std::vector<std::size_t> by_key(n);
  for (std::size_t pos = 0; pos < n; ++pos) by_key[pos] = pos;
  std::sort(by_key.begin(), by_key.end(), [&](std::size_t a, std::size_t b) {
    const int c = compare(a, b);
    return c != 0 ? c < 0 : a < b;
  });
  return by_key;
}

// Replays the rotations on one class of equal keys. members holds the class's starting
// positions in ascending order; lower marks the positions of all smaller keys; n is the
// number of positions. Leaves ring holding indices into members in their final order.
void ReplayRotations(const std::size_t* members, std::size_t count, const FenwickTree& lower,
                     std::size_t n, RotatingRing& ring) {
  ring.Reset();
  for (std::size_t m = 0; m < count; ++m) {
    ring.Append(m);
    const std::size_t run_end = m + 1 < count ? members[m + 1] : n;
    const int run = lower.CountBefore(run_end) - lower.CountBefore(members[m] + 1);
    if (run > 0) ring.RotateLeft(static_cast<std::size_t>(run));
  }
}

}  // namespace

// The historical order came from an exchange sort: for i < j, exchange D(i) and D(j)
// whenever key(D(i)) comes strictly after key(D(j)). Its result is the keys in order;
// only the order inside a class of equal keys needs care. In pass i the exchange sort
// moves only the left-to-right strict minima of the remaining entries, so within the
// class of key v nothing but the entries with smaller keys ("lower" entries) matters.
// Reading the starting order restricted to the class and its lower entries, lower
// entries ahead of the class's first member have no effect; after that, each run of b
// lower entries that follows the class's first A members rotates those A members left
// by b. Replaying those rotations on a ring gives the class's final order.
void SortDisplayOrder(Roster& roster) {
  const int column = roster.SortColumn < 0 ? -roster.SortColumn : roster.SortColumn;
  if (column < 1 || column > kSortKeyColumns) return;
  // An order that does not cover the entries exactly cannot be meaningful; start over.
  if (roster.DisplayOrder.size() != roster.Entries.size()) ResetDisplayOrder(roster);
  const std::size_t n = roster.DisplayOrder.size();
  if (n < 2) return;

  const KeyCompare compare(roster, column, roster.SortColumn < 0);
  const std::vector<std::size_t> by_key = PositionsByKey(compare, n);
  std::vector<std::int32_t> sorted;
  sorted.reserve(n);
  FenwickTree lower(n);
  RotatingRing ring(n);
  for (std::size_t first = 0; first < n;) {
    std::size_t last = first + 1;
    while (last < n && compare(by_key[first], by_key[last]) == 0) ++last;
    if (last - first == 1) {
      sorted.push_back(roster.DisplayOrder[by_key[first]]);
    } else {
      ReplayRotations(&by_key[first], last - first, lower, n, ring);
      ring.ForEach(
          [&](std::size_t m) { sorted.push_back(roster.DisplayOrder[by_key[first + m]]); });
    }
    for (std::size_t m = first; m < last; ++m) lower.Mark(by_key[m]);
    first = last;
  }
  roster.DisplayOrder = std::move(sorted);
}

}  // namespace kestrio::roster
