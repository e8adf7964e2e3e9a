#pragma once

// The exchange sort done literally, as the reference the fast orders are held to: for
// i < j, exchange items i and j whenever item j comes strictly before item i. Quadratic.

#include <cstddef>
#include <utility>
#include <vector>

namespace kestrio::testing {

// Sorts items in place; before(x, y) is true when x comes strictly before y.
template <typename T, typename Before>
void ExchangeSort(std::vector<T>& items, Before before) {
  for (std::size_t i = 0; i + 1 < items.size(); ++i) {
    for (std::size_t j = i + 1; j < items.size(); ++j) {
      if (before(items[j], items[i])) std::swap(items[i], items[j]);
    }
  }
}

}  // namespace kestrio::testing
