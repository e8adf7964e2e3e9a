#include "base/exchange_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "testing/exchange_sort.h"

namespace kestrio {
namespace {

// Items are small numbers, so that most of them tie; an item is told apart from its
// twins by its starting position.
struct Items {
  std::vector<int> key;
  int operator()(std::size_t a, std::size_t b) const { return key[a] - key[b]; }
};

std::vector<std::size_t> Literal(const Items& items) {
  std::vector<std::size_t> positions(items.key.size());
  for (std::size_t i = 0; i < positions.size(); ++i) positions[i] = i;
  testing::ExchangeSort(positions, [&](std::size_t x, std::size_t y) { return items(x, y) < 0; });
  return positions;
}

Items RandomItems(std::mt19937& rng, std::size_t n, int distinct) {
  Items items;
  for (std::size_t i = 0; i < n; ++i) items.key.push_back(static_cast<int>(rng() % distinct));
  return items;
}

TEST(ExchangeOrderTest, MatchesTheLiteralExchangeSortOnTieHeavyLists) {
  std::mt19937 rng(20261208);
  for (int round = 0; round < 3000; ++round) {
    const std::size_t n = rng() % (round < 2500 ? 24 : 300);
    const Items items = RandomItems(rng, n, 1 + static_cast<int>(rng() % 6));
    ASSERT_EQ(ExchangeOrder(n, items), Literal(items)) << "round " << round;
  }
}

TEST(ExchangeOrderTest, AfterChangesMatchesTheLiteralExchangeSort) {
  std::mt19937 rng(7);
  for (int round = 0; round < 3000; ++round) {
    const std::size_t n = rng() % 30;
    const int distinct = 1 + static_cast<int>(rng() % 5);
    // A list in order, then a few items given new keys where they stand.
    Items items = RandomItems(rng, n, distinct);
    std::sort(items.key.begin(), items.key.end());
    ASSERT_TRUE(InExchangeOrder(n, items));
    std::vector<bool> changed(n, false);
    for (std::size_t i = 0; i < n; ++i) {
      if (rng() % 4 != 0) continue;
      changed[i] = true;
      items.key[i] = static_cast<int>(rng() % distinct);
    }
    ASSERT_EQ(ExchangeOrderAfterChanges(changed, items), Literal(items)) << "round " << round;
    const std::vector<std::size_t> sorted = ExchangeOrder(n, items);
    Items again;
    for (std::size_t pos : sorted) again.key.push_back(items.key[pos]);
    EXPECT_TRUE(InExchangeOrder(n, again));
  }
}

TEST(ExchangeOrderTest, TiesAreRotatedBySmallerItemsAfterThem) {
  // 1a 1b 0: the exchange of 1a with 0 puts 1a last, so the twins swap places.
  EXPECT_EQ(ExchangeOrder(3, Items{{1, 1, 0}}), (std::vector<std::size_t>{2, 1, 0}));
  // 0 1a 1b: nothing smaller follows them, so they stay.
  EXPECT_EQ(ExchangeOrder(3, Items{{0, 1, 1}}), (std::vector<std::size_t>{0, 1, 2}));
  EXPECT_FALSE(InExchangeOrder(3, Items{{1, 1, 0}}));
}

}  // namespace
}  // namespace kestrio
