#pragma once

// The order an exchange sort leaves a list in, found in O(N log N).
//
// The exchange sort: for i = 1..N-1 and j = i+1..N, exchange items i and j whenever item
// j comes strictly before item i. It puts the items in order but is not stable: items
// that compare equal come out in an order that depends on the smaller items around them.
// The roster's display order is defined as the order this sort leaves, and a pairing run
// gives the wrestlers earlier in that order first choice of opponent, so the order of
// equal items is part of the result; the per-club reports list wrestlers the same way.
//
// Items are named by their starting positions 0..n-1. The comparison is a three-way
// comparison of the items at two starting positions (<0, 0, >0) and must be a strict weak
// ordering (keys compared byte by byte always are). The functions return the starting
// positions in the order the exchange sort leaves them; tests hold them to the literal
// procedure (testing/exchange_sort.h).

#include <algorithm>
#include <cstddef>
#include <memory>
#include <vector>

namespace kestrio {

// A borrowed three-way comparison of the items at two starting positions. The callable
// it is made from must outlive it.
class PositionCompare {
 public:
  template <typename Compare>
  // Implicit, so that a comparison object or lambda can be passed as it is.
  PositionCompare(const Compare& compare)
      : object_(&compare), call_([](const void* object, std::size_t a, std::size_t b) {
          return (*static_cast<const Compare*>(object))(a, b);
        }) {}

  int operator()(std::size_t a, std::size_t b) const { return call_(object_, a, b); }

 private:
  const void* object_;
  int (*call_)(const void*, std::size_t, std::size_t);
};

namespace exchange_order_internal {

// Puts each class of equal items in the order the exchange sort leaves it, given the
// classes in ascending key order, each as its starting positions in ascending order.
class TieReplay {
 public:
  explicit TieReplay(std::size_t n);
  ~TieReplay();
  // Appends the class's positions to out in their final order.
  void AddClass(const std::size_t* members, std::size_t count, std::vector<std::size_t>& out);

 private:
  struct Rings;
  std::size_t n_;
  std::unique_ptr<Rings> rings_;
};

}  // namespace exchange_order_internal

// The same from the items sorted already: by_key holds the starting positions sorted by
// key, equal items by starting position, and same_as_previous(i) (for i >= 1) tells
// whether the item at by_key[i] is equal to the one at by_key[i - 1]. For a caller that
// sorts its keys by value, side by side in memory, rather than positions through a
// comparison.
template <typename SameAsPrevious>
std::vector<std::size_t> ExchangeOrderOfSorted(const std::vector<std::size_t>& by_key,
                                               const SameAsPrevious& same_as_previous) {
  const std::size_t n = by_key.size();
  // Without equal items the exchange sort leaves the items in key order: nothing to replay.
  std::size_t first_tie = 1;
  while (first_tie < n && !same_as_previous(first_tie)) ++first_tie;
  if (first_tie >= n) return by_key;
  std::vector<std::size_t> sorted;
  sorted.reserve(n);
  exchange_order_internal::TieReplay replay(n);
  for (std::size_t first = 0; first < n;) {
    std::size_t last = first + 1;
    while (last < n && same_as_previous(last)) ++last;
    replay.AddClass(&by_key[first], last - first, sorted);
    first = last;
  }
  return sorted;
}

// All n items, from any starting order. compare is called as compare(a, b) for starting
// positions a and b (a template, so that the sort's comparisons are inlined).
template <typename Compare>
std::vector<std::size_t> ExchangeOrder(std::size_t n, const Compare& compare) {
  std::vector<std::size_t> by_key(n);
  for (std::size_t pos = 0; pos < n; ++pos) by_key[pos] = pos;
  if (n < 2) return by_key;
  // Equal items keep their starting order, which the replay of each class relies on.
  std::sort(by_key.begin(), by_key.end(), [&](std::size_t a, std::size_t b) {
    const int c = compare(a, b);
    return c != 0 ? c < 0 : a < b;
  });
  return ExchangeOrderOfSorted(
      by_key, [&](std::size_t i) { return compare(by_key[i - 1], by_key[i]) == 0; });
}

// The same order when only a few items changed since the list was last put in order:
// leaving out the positions marked in `changed` (one flag per position), the items
// already stand in order. Runs in time proportional to n plus the work on the changed
// items and their classes of equal items, so a command that changes a few entries of a
// long roster does not sort it all again.
std::vector<std::size_t> ExchangeOrderAfterChanges(const std::vector<bool>& changed,
                                                   PositionCompare compare);

// True when the items stand in order already, so that the exchange sort would leave
// them as they are.
bool InExchangeOrder(std::size_t n, PositionCompare compare);

}  // namespace kestrio
