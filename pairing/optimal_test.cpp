// Tandrel Optimal against a search over every set of bouts on small rosters, against the
// greedy run on the peer-style rosters, and every reason it gives for a wrestler left
// short checked against all the candidates there are.

#include <algorithm>
#include <random>
#include <set>
#include <tuple>

#include <gtest/gtest.h>

#include "pairing/optimal_pairs.h"
#include "pairing/optimal_reasons.h"
#include "pairing/optimal_rounds.h"
#include "pairing/optimal_run.h"
#include "testing/literal_pairing.h"

namespace kestrio::pairing {
namespace {

using testing::Add;
using testing::RandomControl;
using testing::RandomRoster;
using testing::Wrestler;

// A pair the engine may use, measured the plain way.
struct Pair {
  int a, b;
  bool relaxed;
  long long fit;  // millionths
};

std::vector<Pair> AllowedPairs(const PairingRun& run) {
  const PairingControl& c = run.Control;
  const FitTolerances optimum = OptimumTolerances(c), relaxed = RelaxedTolerances(c);
  auto allowed = [&](float fit) { return fit > 0 && fit > c.MinGoodnessOfFitAllowed; };
  std::vector<Pair> pairs;
  for (int a = 0; a < run.SelectionSize; ++a) {
    for (int b = a + 1; b < run.SelectionSize; ++b) {
      const float o = GoodnessOfFit(run.FitList[a], run.FitList[b], optimum);
      const float r = GoodnessOfFit(run.FitList[a], run.FitList[b], relaxed);
      if (allowed(o)) {
        pairs.push_back({a, b, false, FitMicros(o)});
      } else if (allowed(r)) {
        pairs.push_back({a, b, true, FitMicros(r)});
      }
    }
  }
  return pairs;
}

// The goals in their order, each smaller is better.
using Score = std::tuple<int, int, int, long long, long long>;

Score ScoreOf(const PairingRun& run, const std::vector<int>& bouts_of, int relaxed, long long fit,
              long long order) {
  const PairingControl& c = run.Control;
  int missing = 0, excess = 0;
  for (const int n : bouts_of) {
    missing += std::max(c.MinBoutsWanted - n, 0);
    excess += std::max(n - std::max(c.MaxBoutsWanted, 0), 0);
  }
  return {missing, relaxed, excess, -fit, -order};
}

Score ScoreOfRun(const PairingRun& run) {
  const std::vector<Pair> pairs = AllowedPairs(run);
  int relaxed = 0;
  long long fit = 0, order = 0;
  for (std::size_t i = 0; i < run.BoutList.size(); i += 2) {
    const int a = std::min(run.BoutList[i].SelectionIndex, run.BoutList[i + 1].SelectionIndex);
    const int b = std::max(run.BoutList[i].SelectionIndex, run.BoutList[i + 1].SelectionIndex);
    const auto p = std::find_if(pairs.begin(), pairs.end(),
                                [&](const Pair& q) { return q.a == a && q.b == b; });
    EXPECT_NE(p, pairs.end()) << "bout outside the limits: " << a << "-" << b;
    if (p == pairs.end()) continue;
    EXPECT_EQ(p->relaxed, run.BoutList[i].BoutNumber < 0);
    relaxed += p->relaxed;
    fit += p->fit;
    order += 2LL * run.SelectionSize - 2 - a - b;
  }
  return ScoreOf(run, run.BoutCount, relaxed, fit, order);
}

// The best score over every set of allowed bouts that keeps MaxBoutsAllowed.
class Search {
 public:
  explicit Search(const PairingRun& run)
      : run_(run), pairs_(AllowedPairs(run)), bouts_(run.SelectionSize, 0) {}
  std::size_t pairs() const { return pairs_.size(); }
  Score Best() {
    Visit(0, 0, 0, 0);
    return best_;
  }

 private:
  void Visit(std::size_t k, int relaxed, long long fit, long long order) {
    if (k == pairs_.size()) {
      best_ = std::min(best_, ScoreOf(run_, bouts_, relaxed, fit, order));
      return;
    }
    Visit(k + 1, relaxed, fit, order);
    const Pair& p = pairs_[k];
    if (bouts_[p.a] >= run_.Control.MaxBoutsAllowed || bouts_[p.b] >= run_.Control.MaxBoutsAllowed)
      return;
    ++bouts_[p.a];
    ++bouts_[p.b];
    Visit(k + 1, relaxed + p.relaxed, fit + p.fit,
          order + 2LL * run_.SelectionSize - 2 - p.a - p.b);
    --bouts_[p.a];
    --bouts_[p.b];
  }

  const PairingRun& run_;
  std::vector<Pair> pairs_;
  std::vector<int> bouts_;
  Score best_{1 << 30, 0, 0, 0, 0};
};

// Every bout number sits in two rows of one round; nobody past MaxBoutsAllowed or in two
// bouts of a round; no pair twice; at most one round more than the most bouts anyone has.
void ExpectSoundSchedule(const PairingRun& run) {
  std::vector<std::vector<std::pair<int, int>>> seats(static_cast<std::size_t>(run.TotalBouts) + 1);
  int most = 0;
  for (int a = 0; a < run.SelectionSize; ++a) {
    EXPECT_LE(run.BoutCount[a], std::max(run.Control.MaxBoutsAllowed, 0));
    most = std::max(most, run.BoutCount[a]);
    for (int r = 0; r < run.RoundCapacity; ++r) {
      const std::int32_t x = run.RoundEntry(a, r);
      if (x == 0) continue;
      ASSERT_LT(r, run.RoundsUsed);
      seats[std::abs(x)].emplace_back(a, r);
    }
  }
  EXPECT_LE(run.RoundsUsed, most + 1);
  std::set<std::pair<int, int>> met;
  for (int t = 1; t <= run.TotalBouts; ++t) {
    ASSERT_EQ(seats[t].size(), 2u) << "bout " << t;
    EXPECT_EQ(seats[t][0].second, seats[t][1].second) << "bout " << t;
    EXPECT_TRUE(met.emplace(seats[t][0].first, seats[t][1].first).second) << "pair met twice";
  }
}

// Each proof holds, names exactly the wrestlers it should, and is the reason the run
// gives the by-hand report for that wrestler.
void ExpectProvedShortfalls(const PairingRun& run) {
  const PairingControl& c = run.Control;
  const std::vector<Pair> pairs = AllowedPairs(run);
  for (const ShortfallProof& proof : ProveShortfalls(run)) {
    const int a = proof.wrestler;
    SCOPED_TRACE("wrestler " + std::to_string(a));
    std::vector<int> candidates, opponents;
    for (const Pair& p : pairs) {
      if (p.a == a) candidates.push_back(p.b);
      if (p.b == a) candidates.push_back(p.a);
    }
    std::sort(candidates.begin(), candidates.end());
    for (std::size_t i = 0; i < run.BoutList.size(); ++i) {
      if (run.BoutList[i].SelectionIndex == a)
        opponents.push_back(run.BoutList[i ^ 1].SelectionIndex);
    }
    EXPECT_EQ(candidates, CandidatesOf(run, a));
    switch (proof.cause) {
      case ShortfallCause::AllowedBelowMinimum:
        EXPECT_LT(c.MaxBoutsAllowed, c.MinBoutsWanted);
        break;
      case ShortfallCause::FewCandidates:
        EXPECT_LT(static_cast<int>(candidates.size()), c.MinBoutsWanted);
        EXPECT_EQ(proof.named, candidates);
        break;
      case ShortfallCause::CandidatesTaken: {
        std::vector<int> others;
        for (const int b : candidates) {
          if (std::find(opponents.begin(), opponents.end(), b) == opponents.end())
            others.push_back(b);
        }
        EXPECT_EQ(proof.named, others);
        for (const int b : others) {
          EXPECT_GE(run.BoutCount[b], c.MaxBoutsAllowed);
          for (std::size_t i = 0; i < run.BoutList.size(); ++i) {
            if (run.BoutList[i].SelectionIndex != b) continue;
            EXPECT_LE(run.BoutCount[run.BoutList[i ^ 1].SelectionIndex], c.MinBoutsWanted);
          }
        }
        break;
      }
      case ShortfallCause::Unproven:
        ADD_FAILURE() << "a wrestler left short without a reason";
        break;
    }
    ASSERT_LT(static_cast<std::size_t>(a), run.ShortfallReasons.size());
    EXPECT_EQ(run.ShortfallReasons[static_cast<std::size_t>(a)], DescribeShortfall(run, proof));
  }
}

int Short(const PairingRun& run) {
  return static_cast<int>(std::count_if(run.BoutCount.begin(), run.BoutCount.end(),
                                        [&](int n) { return n < run.Control.MinBoutsWanted; }));
}

TEST(TandrelOptimal, SmallRostersMatchASearchOverEveryBoutSet) {
  std::mt19937 rng(4242);
  int searched = 0, rich = 0, short_left = 0, relaxed_used = 0;
  for (int trial = 0; searched < 200 && trial < 20000; ++trial) {
    const roster::Roster roster = RandomRoster(rng, 6 + static_cast<int>(rng() % 12));
    PairingControl control = RandomControl(rng);
    control.MaxBoutsAllowed = std::min(control.MaxBoutsAllowed, 4);
    // Wide enough tolerances for a dozen wrestlers to have choices.
    control.MaxAllowedDiffWeight = std::max(control.MaxAllowedDiffWeight, 10.0f);
    control.MaxAllowedDiffAge = std::max(control.MaxAllowedDiffAge, 1.0f);
    PairingRun run;
    ASSERT_TRUE(PairBoutsOptimal(roster, control, nullptr, &run).ok());
    if (run.SelectionSize > 12) continue;
    Search search(run);
    if (search.pairs() < 8 || search.pairs() > 20) continue;
    SCOPED_TRACE("trial " + std::to_string(trial));
    ++searched;
    rich += search.pairs() >= 12;
    EXPECT_EQ(search.Best(), ScoreOfRun(run));
    ExpectSoundSchedule(run);
    ExpectProvedShortfalls(run);
    if (::testing::Test::HasFailure()) break;
    short_left += Short(run);
    for (const BoutEntry& e : run.BoutList) relaxed_used += e.BoutNumber < 0;
  }
  EXPECT_EQ(searched, 200);
  EXPECT_GT(rich, 60);
  EXPECT_GT(short_left, 50);
  EXPECT_GT(relaxed_used, 50);
}

TEST(TandrelOptimal, NeverWorseThanTheGreedyRunOnPeerRosters) {
  std::mt19937 rng(20261208);
  int fewer_short = 0, proofs = 0;
  for (int trial = 0; trial < 300; ++trial) {
    SCOPED_TRACE("trial " + std::to_string(trial));
    const roster::Roster roster = RandomRoster(rng, 1 + static_cast<int>(rng() % 60));
    PairingControl control = RandomControl(rng);
    control.MaxBoutsAllowed = std::min(control.MaxBoutsAllowed, 12);
    control.MaxBoutsWanted = std::min(control.MaxBoutsWanted, 12);
    PairingRun greedy, optimal;
    ASSERT_TRUE(PairBouts(roster, control, nullptr, &greedy).ok());
    ASSERT_TRUE(PairBoutsOptimal(roster, control, nullptr, &optimal).ok());
    // The greedy bouts are one of the sets the optimum is chosen from.
    EXPECT_LE(ScoreOfRun(optimal), ScoreOfRun(greedy));
    EXPECT_LE(Short(optimal), Short(greedy));
    ExpectSoundSchedule(optimal);
    ExpectProvedShortfalls(optimal);
    if (::testing::Test::HasFailure()) break;
    fewer_short += Short(optimal) < Short(greedy);
    proofs += Short(optimal);
  }
  EXPECT_GT(fewer_short, 20);
  EXPECT_GT(proofs, 100);
}

TEST(TandrelOptimal, SameRosterSameBouts) {
  std::mt19937 rng(5);
  const roster::Roster roster = RandomRoster(rng, 80);
  PairingControl control;
  control.MinBoutsWanted = 3;
  control.MaxBoutsWanted = 3;
  PairingRun first, second;
  ASSERT_TRUE(PairBoutsOptimal(roster, control, nullptr, &first).ok());
  ASSERT_TRUE(PairBoutsOptimal(roster, control, nullptr, &second).ok());
  ASSERT_EQ(first.BoutList.size(), second.BoutList.size());
  for (std::size_t i = 0; i < first.BoutList.size(); ++i) {
    EXPECT_EQ(first.BoutList[i].SelectionIndex, second.BoutList[i].SelectionIndex);
    EXPECT_EQ(first.BoutList[i].BoutNumber, second.BoutList[i].BoutNumber);
  }
  EXPECT_EQ(first.RoundTable, second.RoundTable);
  EXPECT_EQ(first.ShortfallReasons, second.ShortfallReasons);
}

}  // namespace
}  // namespace kestrio::pairing
