// The engine against the plain procedure on many random rosters full of ties, and the
// invariants every schedule must keep.

#include <algorithm>
#include <random>
#include <set>
#include <utility>

#include <gtest/gtest.h>

#include "pairing/pairing_run.h"
#include "testing/literal_pairing.h"

namespace kestrio::pairing {
namespace {

using testing::Add;
using testing::PairLiterally;
using testing::RandomControl;
using testing::RandomRoster;
using testing::Wrestler;

void ExpectSameRun(const PairingRun& expected, const PairingRun& actual) {
  ASSERT_EQ(expected.SelectionSize, actual.SelectionSize);
  ASSERT_EQ(expected.TotalBouts, actual.TotalBouts);
  ASSERT_EQ(expected.RoundsUsed, actual.RoundsUsed);
  EXPECT_EQ(expected.BoutCount, actual.BoutCount);
  EXPECT_EQ(expected.BoutOrder, actual.BoutOrder);
  for (int a = 0; a < expected.SelectionSize; ++a) {
    // The tables may differ in width; rounds past a table's width are empty.
    for (int r = 0; r < std::max(expected.RoundCapacity, actual.RoundCapacity); ++r) {
      const std::int32_t want = r < expected.RoundCapacity ? expected.RoundEntry(a, r) : 0;
      const std::int32_t got = r < actual.RoundCapacity ? actual.RoundEntry(a, r) : 0;
      ASSERT_EQ(want, got) << "wrestler " << a << " round " << r + 1;
    }
  }
  ASSERT_EQ(expected.BoutList.size(), actual.BoutList.size());
  for (std::size_t i = 0; i < expected.BoutList.size(); ++i) {
    const BoutEntry& e = expected.BoutList[i];
    const BoutEntry& g = actual.BoutList[i];
    EXPECT_EQ(e.BoutNumber, g.BoutNumber) << i;
    EXPECT_EQ(e.WeightClass, g.WeightClass) << i;
    EXPECT_EQ(e.SelectionIndex, g.SelectionIndex) << i;
    EXPECT_EQ(e.LastName, g.LastName) << i;
    EXPECT_EQ(e.Club, g.Club) << i;
    EXPECT_EQ(e.Weight, g.Weight) << i;
  }
}

// Every bout number 1..TotalBouts sits in exactly two rows of one round; nobody goes
// past MaxBoutsAllowed; no pair meets twice; rounds past RoundsUsed are empty.
void ExpectSoundSchedule(const PairingRun& run) {
  std::vector<std::vector<std::pair<int, int>>> seats(static_cast<std::size_t>(run.TotalBouts) + 1);
  for (int a = 0; a < run.SelectionSize; ++a) {
    EXPECT_LE(run.BoutCount[a], std::max(run.Control.MaxBoutsAllowed, 0));
    for (int r = 0; r < run.RoundCapacity; ++r) {
      const std::int32_t x = run.RoundEntry(a, r);
      if (x == 0) continue;
      ASSERT_LT(r, run.RoundsUsed);
      ASSERT_LE(std::abs(x), run.TotalBouts);
      seats[std::abs(x)].emplace_back(a, r);
    }
  }
  std::set<std::pair<int, int>> pairs;
  for (int t = 1; t <= run.TotalBouts; ++t) {
    ASSERT_EQ(seats[t].size(), 2u) << "bout " << t;
    EXPECT_EQ(seats[t][0].second, seats[t][1].second) << "bout " << t;
    EXPECT_TRUE(pairs.emplace(seats[t][0].first, seats[t][1].first).second) << "pair met twice";
  }
}

TEST(PairingEquivalence, RandomRostersGiveTheRunOfThePlainProcedure) {
  std::mt19937 rng(20261208);
  int bouts = 0, relaxed = 0, listed = 0;
  for (int trial = 0; trial < 400; ++trial) {
    SCOPED_TRACE("trial " + std::to_string(trial));
    const roster::Roster roster = RandomRoster(rng, 1 + static_cast<int>(rng() % 60));
    const PairingControl control = RandomControl(rng);
    const testing::LiteralRun expected = PairLiterally(roster, control);
    PairingRun run;
    ASSERT_TRUE(PairBouts(roster, control, nullptr, &run).ok());
    ExpectSameRun(expected.Run, run);
    ExpectSoundSchedule(run);
    if (::testing::Test::HasFailure()) break;
    bouts += run.TotalBouts;
    for (const BoutEntry& e : run.BoutList) relaxed += e.BoutNumber < 0;
    listed += expected.ByHandReport.find("Possible") != std::string::npos;
  }
  // The rosters must exercise both phases and leave wrestlers for pairing by hand.
  EXPECT_GT(bouts, 2000);
  EXPECT_GT(relaxed, 200);
  EXPECT_GT(listed, 100);
}

TEST(PairingEquivalence, LargerRostersWithSpreadWeightsGiveTheSameRun) {
  // Many distinct weights: the searches stop well inside the weight window.
  std::mt19937 rng(99);
  for (int trial = 0; trial < 3; ++trial) {
    roster::Roster roster;
    for (int i = 0; i < 500; ++i) {
      Add(roster,
          Wrestler("L" + std::to_string(i), "F", 25 + (rng() % 7500) / 100.0,
                   8 + (rng() % 90) / 10.0, (rng() % 50) / 10.0, "C" + std::to_string(rng() % 9)));
    }
    PairingControl control;
    control.SameClubPairingWeight = 0.5f * static_cast<float>(trial);
    control.MaxBoutsWanted = 3;
    control.MinBoutsWanted = 3;
    PairingRun run;
    ASSERT_TRUE(PairBouts(roster, control, nullptr, &run).ok());
    const testing::LiteralRun expected = PairLiterally(roster, control);
    ExpectSameRun(expected.Run, run);
  }
}

TEST(PairingEquivalence, TieHeavyRostersDeepEnoughForTheSearchTree) {
  std::mt19937 rng(31);
  for (int trial = 0; trial < 12; ++trial) {
    SCOPED_TRACE("trial " + std::to_string(trial));
    const roster::Roster roster = RandomRoster(rng, 300);
    PairingControl control = RandomControl(rng);
    if (trial % 3 == 0) {  // keep the bounds in force
      control.MaxAllowedDiffWeight = 10;
      control.MaxAllowedDiffAge = control.MaxAllowedDiffRating = 1.5f;
    }
    PairingRun run;
    ASSERT_TRUE(PairBouts(roster, control, nullptr, &run).ok());
    const testing::LiteralRun expected = PairLiterally(roster, control);
    ExpectSameRun(expected.Run, run);
    ExpectSoundSchedule(run);
  }
}

TEST(PairingEquivalence, EveryoneOfTheSameWeightAgeAndRatingGivesTheSameRun) {
  // Every fit between clubs is the highest there is, so only the earliest wrestler wins
  // each tie; a few wrestlers differ, so that some searches must still look further. Half
  // the rosters are listed club by club, as a sort by weight lists equal wrestlers.
  std::mt19937 rng(4242);
  for (int trial = 0; trial < 12; ++trial) {
    SCOPED_TRACE("trial " + std::to_string(trial));
    roster::Roster roster;
    const int clubs = 1 + trial % 4 * 3;
    const bool by_club = trial % 2 == 1;
    for (int i = 0; i < 260; ++i) {
      const bool odd = rng() % 10 == 0;
      const int club = by_club ? i * clubs / 260 : static_cast<int>(rng() % clubs);
      Add(roster, Wrestler("W" + std::to_string(i % 37), "F", odd ? 61 : 60, odd ? 11 : 10, 2.5,
                           "C" + std::to_string(club)));
    }
    PairingControl control;
    control.SameClubPairingWeight = 0.25f * static_cast<float>(trial % 5);
    control.MaxBoutsWanted = control.MinBoutsWanted = 1 + trial % 3;
    PairingRun run;
    ASSERT_TRUE(PairBouts(roster, control, nullptr, &run).ok());
    ExpectSameRun(PairLiterally(roster, control).Run, run);
    ExpectSoundSchedule(run);
  }
}

TEST(PairingEquivalence, WeightsTooSmallForTheSearchBoundsGiveTheSameRun) {
  // The inverse of a weight below the smallest normal double is infinite: bounds built
  // on it once pruned perfect partners of equal weight.
  for (const char* tiny : {"1e-310", "1e-320", "2.2e-308"}) {
    SCOPED_TRACE(tiny);
    roster::Roster roster;
    for (int i = 0; i < 40; ++i) {
      roster::Participant p =
          Wrestler("W" + std::to_string(i), "F", 1, 10, 2.5, "C" + std::to_string(i % 3));
      if (i % 2 == 0) p.Weight.Assign(tiny);
      Add(roster, p);
    }
    PairingControl control;
    control.MaxAllowedDiffWeight = 200;
    PairingRun run;
    ASSERT_TRUE(PairBouts(roster, control, nullptr, &run).ok());
    ExpectSameRun(PairLiterally(roster, control).Run, run);
  }
}

TEST(PairingEquivalence, TwoHundredBoutsPerWrestlerOutgrowTheRoundTable) {
  std::mt19937 rng(7);
  roster::Roster roster;
  for (int i = 0; i < 101; ++i)
    Add(roster, Wrestler("W" + std::to_string(i), "F", 40 + (rng() % 3), 10, 1,
                         "Club" + std::to_string(i % 7)));
  PairingControl control;
  control.MaxAllowedDiffWeight = 50;
  control.MaxBoutsAllowed = control.MaxBoutsWanted = 200;
  control.SameClubPairingWeight = 1;
  PairingRun run;
  ASSERT_TRUE(PairBouts(roster, control, nullptr, &run).ok());
  // Everyone meets everyone: 100 bouts each, at most 50 bouts a round, so at least 101
  // rounds, far more than the table first holds.
  EXPECT_EQ(run.TotalBouts, 101 * 100 / 2);
  EXPECT_GT(run.RoundsUsed, 100);
  EXPECT_EQ(run.RoundCapacity, run.RoundsUsed);
  ExpectSoundSchedule(run);
  ExpectSameRun(PairLiterally(roster, control).Run, run);
}

}  // namespace
}  // namespace kestrio::pairing
