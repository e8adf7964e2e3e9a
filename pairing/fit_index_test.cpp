#include "pairing/fit_index.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include <gtest/gtest.h>

namespace kestrio::pairing {
namespace {

// The index's fits, and GoodnessOfFit's, come from double estimates where those decide
// the rounding; they must be the extended-precision fits to the bit, for every pair and
// every tolerance.
void ExpectLiteralFits(const std::vector<FitInputs>& fits, const FitTolerances& t) {
  const FitIndex index(fits, t);
  const int n = static_cast<int>(fits.size());
  for (int a = 0; a < n; ++a) {
    int positive = 0;
    for (int b = 0; b < n; ++b) {
      const float want = RoundTripFit(ComputeFit(fits[a], fits[b], t));
      ASSERT_EQ(std::bit_cast<std::uint32_t>(want),
                std::bit_cast<std::uint32_t>(GoodnessOfFit(fits[a], fits[b], t)));
      ASSERT_EQ(std::bit_cast<std::uint32_t>(want), std::bit_cast<std::uint32_t>(index.Fit(a, b)))
          << std::hexfloat << "weights " << fits[a].Weight << " " << fits[b].Weight << " ages "
          << fits[a].Age << " " << fits[b].Age << " ratings " << fits[a].Rating << " "
          << fits[b].Rating << " club factor " << t.SameClub;
      if (b != a && want > 0) ++positive;
    }
    index.ForEachPositiveFit(a, [&](int b, float fit) {
      EXPECT_EQ(fit, GoodnessOfFit(fits[a], fits[b], t));
      --positive;
    });
    EXPECT_EQ(positive, 0) << "wrestler " << a;
  }
}

TEST(FitIndex, FitsAreTheLiteralFitsOnRosterNumbersAndEdgeNumbers) {
  std::mt19937_64 rng(15);
  auto pick = [&](std::initializer_list<double> values) {
    return values.begin()[rng() % values.size()];
  };
  const std::vector<FitTolerances> tolerances = {{10, 1.5f, 1.5f, 0},
                                                 {20, 3, 3, 0.25f},
                                                 {10, 1.5f, 1.5f, 1},
                                                 {7.3f, 0.7f, 2.9f, 0.6f},
                                                 {1e-45f, 1e-45f, 1e-45f, 0.5f},
                                                 {3e38f, 3e38f, 3e38f, 1},
                                                 {100, 128, 128, 0.5f},
                                                 {0, 1.5f, 1.5f, 1},
                                                 {10, 1.5f, 1.5f, -0.5f},
                                                 {10, 1.5f, 1.5f, 1.5f}};
  for (int trial = 0; trial < 24; ++trial) {
    std::vector<FitInputs> fits;
    for (int i = 0; i < 120; ++i) {
      FitInputs f;
      switch (trial % 4) {
        case 0:  // as rosters have them: two decimals
          f = {25 + static_cast<double>(rng() % 7500) / 100,
               8 + static_cast<double>(rng() % 90) / 10, static_cast<double>(rng() % 50) / 10,
               static_cast<std::int32_t>(rng() % 5)};
          break;
        case 1:  // few values, so that equal measures and differences at the tolerance abound
          f = {pick({40, 44, 36, 40.4, 50, 45}), pick({10, 11.5, 8.5, 10.75, 13}),
               pick({0, 1.5, 3, 0.75, 2.25}), static_cast<std::int32_t>(rng() % 3)};
          break;
        case 2:  // dyadic differences: fits of an odd number of 128ths, exact halves of a millionth
          f = {64, static_cast<double>(rng() % 129), static_cast<double>(rng() % 129),
               static_cast<std::int32_t>(rng() % 2)};
          break;
        default:  // tiny, huge and extreme numbers
          f = {pick({1e-300, std::numeric_limits<double>::min(), 1e300, 1.7e308, 1, 1.0000001}),
               pick({-1e308, 1e308, 0, 5e-324, 7}), pick({1e-300, -3, 3, 1.5e308}),
               static_cast<std::int32_t>(rng() % 2)};
      }
      fits.push_back(f);
    }
    for (const FitTolerances& t : tolerances) {
      SCOPED_TRACE("trial " + std::to_string(trial));
      ExpectLiteralFits(fits, t);
      if (::testing::Test::HasFatalFailure()) return;
    }
  }
}

// Groups are split halfway through a measure's range where that divides them well and
// at the median where it does not: tight clusters far apart, numbers repeated many times,
// one far outlier and huge ranges give both, nested. Every search must still find the
// partner a plain scan finds, ties to the earliest wrestler included.
TEST(FitIndex, SearchesOverClusteredAndRepeatedNumbersFindThePlainScansPartner) {
  std::mt19937_64 rng(31);
  for (int trial = 0; trial < 12; ++trial) {
    std::vector<FitInputs> fits;
    for (int i = 0; i < 400; ++i) {
      const double centre = trial % 3 == 2 ? 1e300 * static_cast<double>(rng() % 3)
                                           : static_cast<double>(rng() % 4) * 500;
      fits.push_back({30 + centre + static_cast<double>(rng() % (trial % 2 == 0 ? 3 : 300)) / 100,
                      10 + static_cast<double>(rng() % 3) / 2, static_cast<double>(rng() % 4) / 2,
                      static_cast<std::int32_t>(rng() % 3)});
    }
    fits[rng() % fits.size()].Weight = 1e9;
    for (const FitTolerances& t :
         {FitTolerances{10, 1.5f, 1.5f, 0.5f}, FitTolerances{20, 3, 3, 1}}) {
      FitIndex index(fits, t);
      ASSERT_TRUE(index.bounded());
      std::vector<char> free(fits.size());
      index.BeginRound([&](int a) { return free[a] = rng() % 4 != 0; });
      const int n = static_cast<int>(fits.size());
      for (int c = 0; c < n; c += 3) {
        const float min_fit = c % 2 == 0 ? 0.0f : 0.3f;
        auto met = [&](int b) { return (b + c) % 7 == 0; };
        int want = -1;
        float best = min_fit;
        for (int b = 0; b < n; ++b) {
          const float fit = GoodnessOfFit(fits[c], fits[b], t);
          if (b != c && free[b] && fit > 0 && fit > best && !met(b)) want = b, best = fit;
        }
        ASSERT_EQ(index.BestPartner(c, min_fit, met), want)
            << "trial " << trial << " chooser " << c;
        if (c % 9 == 0 && want >= 0) {
          index.Take(want);
          free[want] = 0;
        }
      }
    }
  }
}

TEST(FitIndex, WeightsTooSmallForTheirInverseStillGiveTheLiteralFits) {
  // The inverse of 1e-310 is infinite: the index must not estimate with it.
  std::vector<FitInputs> fits;
  for (const double weight : {1e-310, 1e-310, 2e-310, 40.0, 5e-324})
    fits.push_back({weight, 10, 2, 1});
  for (const float club : {0.0f, 1.0f}) ExpectLiteralFits(fits, {200, 1.5f, 1.5f, club});
  EXPECT_FALSE(FitIndex(fits, {200, 1.5f, 1.5f, 1}).bounded());
}

// An estimate within 1e-12 of the fit either gives RoundTripFit's value or declines.
TEST(RoundTripEstimate, DecidesOnlyWhatTheFitItselfRoundsTo) {
  std::mt19937_64 rng(12);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  std::uniform_real_distribution<double> error(-1e-12, 1e-12);
  int decided = 0, declined = 0;
  auto check = [&](double fit) {
    for (const double estimate : {fit, fit + error(rng), fit + 1e-12, fit - 1e-12}) {
      float rounded = -1.0f;
      if (RoundTripEstimate(estimate, &rounded)) {
        ++decided;
        ASSERT_EQ(rounded, RoundTripFit(fit)) << std::hexfloat << fit << " " << estimate;
      } else {
        ++declined;
      }
    }
  };
  for (int i = 0; i < 200000; ++i) check(unit(rng));
  // Nearly every fit is decided at once.
  EXPECT_GT(decided, 100 * declined);
  // Odd numbers of 128ths are exact halves of a millionth; then near halves, and
  // six-decimal values near a point halfway between two floats (around 1/64).
  for (int m = 1; m < 128; m += 2) check(m / 128.0);
  for (int k = 0; k < 1000000; k += 7) check((k + 0.5) / 1e6);
  for (int k = 15600; k < 15650; ++k) {
    for (double v = k / 1e6, n = 0; n < 50; v = std::nextafter(v, 1.0), ++n) check(v);
  }
  for (const double fit : {0.0, 1.0, 5e-7, 4.99999e-7, 0.9999995, 0.99999949}) check(fit);
  // Outside [0, 1] the estimate never decides.
  for (const double outside : {-1e-9, -0.5, 2.0, 1e7, std::nan("")}) {
    float rounded = 0;
    EXPECT_FALSE(RoundTripEstimate(outside, &rounded)) << outside;
  }
}

}  // namespace
}  // namespace kestrio::pairing
