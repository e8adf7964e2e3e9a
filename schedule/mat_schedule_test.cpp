#include "schedule/mat_schedule.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace kestrio::schedule {
namespace {

// Bouts as a pairing makes them: round by round, each wrestler at most once per round,
// most wrestlers wanting two bouts and some more, opponents near in weight.
std::vector<ScheduleBout> RandomBouts(std::mt19937& rng, int wrestlers, int rounds) {
  std::vector<int> weight(static_cast<std::size_t>(wrestlers));
  for (int& w : weight) w = 20 + static_cast<int>(rng() % 100);
  std::vector<int> by_weight(weight.size());
  for (std::size_t i = 0; i < by_weight.size(); ++i) by_weight[i] = static_cast<int>(i);
  std::sort(by_weight.begin(), by_weight.end(),
            [&](int a, int b) { return weight[a] < weight[b]; });
  std::vector<ScheduleBout> bouts;
  for (int r = 1; r <= rounds; ++r) {
    std::vector<bool> busy(weight.size(), false);
    for (std::size_t i = 0; i + 1 < by_weight.size(); ++i) {
      const std::size_t j = i + 1 + rng() % 3;
      if (j >= by_weight.size() || busy[i] || busy[j] || rng() % 4 == 0) continue;
      busy[i] = busy[j] = true;
      const int a = by_weight[i], b = by_weight[j];
      const int wc =
          (weight[static_cast<std::size_t>(a)] + weight[static_cast<std::size_t>(b)]) / 10 * 5;
      bouts.push_back({static_cast<std::int32_t>(bouts.size() + 1), r, wc, a, b});
    }
  }
  // A run numbers its bouts in an order of its own, not by round.
  std::vector<std::int32_t> numbers(bouts.size());
  for (std::size_t i = 0; i < numbers.size(); ++i) numbers[i] = static_cast<std::int32_t>(i + 1);
  std::shuffle(numbers.begin(), numbers.end(), rng);
  for (std::size_t i = 0; i < bouts.size(); ++i)
    bouts[i].Number = numbers[i] * (rng() % 9 == 0 ? -1 : 1);
  return bouts;
}

// Every rule the schedule must keep, checked from the placement alone.
void ExpectRulesKept(const std::vector<ScheduleBout>& bouts, const ScheduleRules& rules,
                     const MatSchedule& s) {
  ASSERT_EQ(s.Mat.size(), bouts.size());
  ASSERT_EQ(s.Slot.size(), bouts.size());
  std::set<std::pair<int, int>> cells, wrestler_slots;
  std::map<int, std::vector<std::size_t>> of_wrestler;
  int last = -1;
  for (std::size_t b = 0; b < bouts.size(); ++b) {
    ASSERT_GE(s.Mat[b], 0);
    ASSERT_LT(s.Mat[b], rules.Mats);
    ASSERT_GE(s.Slot[b], 0);
    last = std::max(last, s.Slot[b]);
    EXPECT_TRUE(cells.insert({s.Mat[b], s.Slot[b]}).second) << "two bouts on one mat and slot";
    for (int w : {bouts[b].WrestlerA, bouts[b].WrestlerB}) {
      EXPECT_TRUE(wrestler_slots.insert({w, s.Slot[b]}).second)
          << "wrestler " << w << " twice in a slot";
      of_wrestler[w].push_back(b);
    }
    const bool out_of_range =
        std::count(s.OutOfRange.begin(), s.OutOfRange.end(), static_cast<int>(b)) != 0;
    const std::size_t mat = static_cast<std::size_t>(s.Mat[b]);
    if (mat < rules.Classes.size() && rules.Classes[mat].Limited && !out_of_range) {
      EXPECT_TRUE(rules.Classes[mat].Range.Holds(bouts[b].WeightClass)) << "bout " << b;
    }
  }
  EXPECT_EQ(s.SlotsUsed, last + 1);
  for (auto& [w, list] : of_wrestler) {
    std::sort(list.begin(), list.end(), [&](std::size_t x, std::size_t y) {
      return std::pair(bouts[x].Round, bouts[x].Number) <
             std::pair(bouts[y].Round, bouts[y].Number);
    });
    for (std::size_t i = 1; i < list.size(); ++i)
      EXPECT_GE(s.Slot[list[i]] - s.Slot[list[i - 1]], rules.Rest + 1)
          << "wrestler " << w << " rests too little or out of round order";
  }
  EXPECT_TRUE(s.ShortRest.empty());
  EXPECT_GE(s.SlotsUsed, s.LowerBound);
}

int BoundByHand(const std::vector<ScheduleBout>& bouts, int mats, int rest) {
  std::map<int, int> count;
  for (const ScheduleBout& b : bouts) ++count[b.WrestlerA], ++count[b.WrestlerB];
  int bound = static_cast<int>((bouts.size() + static_cast<std::size_t>(mats) - 1) /
                               static_cast<std::size_t>(mats));
  for (auto [w, k] : count) bound = std::max(bound, (k - 1) * (rest + 1) + 1);
  return bound;
}

TEST(MatScheduleTest, RandomBoutsKeepEveryRule) {
  std::mt19937 rng(7);
  for (int trial = 0; trial < 60; ++trial) {
    const int wrestlers = 2 + static_cast<int>(rng() % 300);
    const auto bouts = RandomBouts(rng, wrestlers, 1 + static_cast<int>(rng() % 5));
    ScheduleRules rules;
    rules.Mats = 1 + static_cast<int>(rng() % 16);
    rules.Rest = static_cast<int>(rng() % 5);
    const MatSchedule s = ScheduleMats(bouts, rules);
    SCOPED_TRACE("trial " + std::to_string(trial));
    ExpectRulesKept(bouts, rules, s);
    EXPECT_EQ(s.LowerBound, bouts.empty() ? 0 : BoundByHand(bouts, rules.Mats, rules.Rest));
    EXPECT_TRUE(s.OutOfRange.empty());
    const MatSchedule again = ScheduleMats(bouts, rules);
    EXPECT_EQ(again.Mat, s.Mat);
    EXPECT_EQ(again.Slot, s.Slot);
  }
}

TEST(MatScheduleTest, WeightClassRangesHoldAndUncoveredClassesGoToTheNearestMat) {
  std::mt19937 rng(11);
  for (int trial = 0; trial < 30; ++trial) {
    const auto bouts = RandomBouts(rng, 40 + static_cast<int>(rng() % 200), 3);
    ScheduleRules rules;
    rules.Mats = 4;
    rules.Rest = 2;
    // Little ones on mat 1, the heaviest on mat 4, a gap nobody covers between.
    rules.Classes = {{true, {0, 50}}, {false, {}}, {false, {}}, {true, {90, 200}}};
    if (trial % 2 == 1) rules.Classes[1] = rules.Classes[2] = {true, {51, 70}};
    const MatSchedule s = ScheduleMats(bouts, rules);
    SCOPED_TRACE("trial " + std::to_string(trial));
    ExpectRulesKept(bouts, rules, s);
    for (std::size_t b = 0; b < bouts.size(); ++b) {
      const std::int32_t wc = bouts[b].WeightClass;
      const bool covered = trial % 2 == 0 || wc <= 70 || wc >= 90;
      EXPECT_EQ(std::count(s.OutOfRange.begin(), s.OutOfRange.end(), static_cast<int>(b)) != 0,
                !covered);
      // 71-89 is nearest to the middle mats' 51-70 below 80 and to mat 4 above it.
      if (!covered && wc < 80) {
        EXPECT_TRUE(s.Mat[b] == 1 || s.Mat[b] == 2) << wc;
      }
      if (!covered && wc > 80) {
        EXPECT_EQ(s.Mat[b], 3) << wc;
      }
    }
  }
}

TEST(MatScheduleTest, MatsRunFromLightToHeavyWithinARound) {
  // One round of bouts between different wrestlers: nothing forces an order but the
  // calling order, so every mat's classes rise.
  std::vector<ScheduleBout> bouts;
  for (int i = 0; i < 40; ++i) bouts.push_back({i + 1, 1, 100 - 2 * i, 2 * i, 2 * i + 1});
  const MatSchedule s = ScheduleMats(bouts, {4, 3, {}});
  EXPECT_EQ(s.SlotsUsed, 10);
  EXPECT_EQ(s.IdleSlots, 0);
  for (std::size_t a = 0; a < bouts.size(); ++a)
    for (std::size_t b = 0; b < bouts.size(); ++b)
      if (s.Mat[a] == s.Mat[b] && s.Slot[a] < s.Slot[b]) {
        EXPECT_LT(bouts[a].WeightClass, bouts[b].WeightClass);
      }
  // Within a slot, the lightest bout is on the first mat.
  for (std::size_t a = 0; a < bouts.size(); ++a)
    for (std::size_t b = 0; b < bouts.size(); ++b)
      if (s.Slot[a] == s.Slot[b] && s.Mat[a] < s.Mat[b]) {
        EXPECT_LT(bouts[a].WeightClass, bouts[b].WeightClass);
      }
}

TEST(MatScheduleTest, OneWrestlersChainSetsTheLength) {
  // Wrestler 0 meets five others in rounds 1-5: with rest 3 the day is (5-1)*4+1 slots
  // however many mats there are, and the others wrestle meanwhile.
  std::vector<ScheduleBout> bouts;
  for (int r = 1; r <= 5; ++r) bouts.push_back({r, r, 60, 0, r});
  for (int i = 0; i < 6; ++i) bouts.push_back({10 + i, 1, 80, 10 + 2 * i, 11 + 2 * i});
  const MatSchedule s = ScheduleMats(bouts, {8, 3, {}});
  EXPECT_EQ(s.LowerBound, 17);
  EXPECT_EQ(s.SlotsUsed, 17);
  for (int r = 0; r < 5; ++r) EXPECT_EQ(s.Slot[static_cast<std::size_t>(r)], 4 * r);
}

TEST(MatScheduleTest, EdgeCases) {
  const MatSchedule none = ScheduleMats({}, {4, 3, {}});
  EXPECT_EQ(none.SlotsUsed, 0);
  EXPECT_EQ(none.LowerBound, 0);

  // Mats out of range are taken into 1..64; rest below 0 is no rest; a side with
  // nobody binds nothing.
  const std::vector<ScheduleBout> bouts = {{1, 1, 50, 0, 1}, {2, 2, 50, 0, -1}, {3, 1, 50, -1, -1}};
  const MatSchedule zero = ScheduleMats(bouts, {0, -2, {}});
  EXPECT_EQ(zero.SlotsUsed, 3);
  EXPECT_EQ(zero.LowerBound, 3);
  EXPECT_LT(zero.Slot[0], zero.Slot[1]);
  const MatSchedule many = ScheduleMats(bouts, {1000, 0, {}});
  EXPECT_EQ(many.SlotsUsed, 2);
  EXPECT_EQ(LowerBound(bouts, 1000, 0), 2);
}

TEST(MatScheduleTest, ShortRestNamesEachWrestlerOnce) {
  const std::vector<ScheduleBout> bouts = {
      {1, 1, 50, 0, 1}, {2, 2, 50, 0, 2}, {3, 3, 50, 0, 1}, {4, 1, 50, 3, 4}};
  EXPECT_EQ(WrestlersShortOfRest(bouts, {0, 2, 1, 0}, 1), (std::vector<int>{0, 1}));
  EXPECT_EQ(WrestlersShortOfRest(bouts, {0, 2, 4, 0}, 1), (std::vector<int>{}));
}

}  // namespace
}  // namespace kestrio::schedule
