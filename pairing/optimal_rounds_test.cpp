// Rounds for Tandrel Optimal's bouts: nobody twice in a round, few rounds.

#include <algorithm>
#include <random>
#include <set>

#include <gtest/gtest.h>

#include "pairing/optimal_rounds.h"

namespace kestrio::pairing {
namespace {

TEST(OptimalRounds, EveryWrestlerOncePerRoundInAtMostOneRoundMoreThanTheBusiest) {
  std::mt19937 rng(11);
  for (int trial = 0; trial < 300; ++trial) {
    const int size = 2 + static_cast<int>(rng() % 40);
    const int cap = 1 + static_cast<int>(rng() % 6);
    std::vector<int> degree(size, 0);
    std::set<std::pair<int, int>> seen;
    std::vector<std::pair<int, int>> bouts;
    for (int k = 0; k < 4 * size; ++k) {
      int a = static_cast<int>(rng() % size), b = static_cast<int>(rng() % size);
      if (a == b || degree[a] >= cap || degree[b] >= cap) continue;
      if (!seen.emplace(std::min(a, b), std::max(a, b)).second) continue;
      ++degree[a];
      ++degree[b];
      bouts.emplace_back(a, b);
    }
    const std::vector<int> rounds = ArrangeRounds(size, bouts);
    ASSERT_EQ(rounds.size(), bouts.size());
    const int busiest = *std::max_element(degree.begin(), degree.end());
    std::set<std::pair<int, int>> seat;  // (wrestler, round)
    std::vector<int> per_round(bouts.size() + 1, 0);
    for (std::size_t k = 0; k < bouts.size(); ++k) {
      ASSERT_GE(rounds[k], 0);
      ASSERT_LE(rounds[k], busiest) << "trial " << trial;
      EXPECT_TRUE(seat.emplace(bouts[k].first, rounds[k]).second) << "trial " << trial;
      EXPECT_TRUE(seat.emplace(bouts[k].second, rounds[k]).second) << "trial " << trial;
      ++per_round[rounds[k]];
    }
    // Largest rounds first.
    EXPECT_TRUE(std::is_sorted(per_round.begin(), per_round.end(), std::greater<>()));
  }
}

}  // namespace
}  // namespace kestrio::pairing
