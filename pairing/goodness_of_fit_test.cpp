#include "pairing/goodness_of_fit.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>

#include <gtest/gtest.h>

namespace kestrio::pairing {
namespace {

// The six-decimal text round trip done with printf and strtof, as the reference.
float ByPrintf(double fit) {
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%8.6f", fit);
  return std::strtof(buffer, nullptr);
}

void ExpectSameAsText(double fit) {
  const float expected = ByPrintf(fit);
  const float fast = RoundTripFit(fit);
  if (std::isnan(expected)) {
    EXPECT_TRUE(std::isnan(fast)) << fit;
  } else {
    EXPECT_EQ(expected, fast) << std::hexfloat << fit;
  }
  const float text = RoundTripFitByText(fit);
  if (!std::isnan(expected)) {
    EXPECT_EQ(expected, text) << std::hexfloat << fit;
  }
}

TEST(RoundTripFit, MatchesTheSixDecimalTextOnRandomAndBoundaryValues) {
  std::mt19937_64 rng(5);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  for (int i = 0; i < 200000; ++i) ExpectSameAsText(unit(rng));
  for (int i = 0; i < 20000; ++i)
    ExpectSameAsText(std::ldexp(unit(rng), -static_cast<int>(rng() % 40)));
  for (int i = 0; i < 20000; ++i) ExpectSameAsText((unit(rng) - 0.5) * 2e7);
  // Exact halves of a millionth (odd multiples of 1/128 and their neighbours): the
  // text rounds these to even.
  for (int m = 1; m < 2000; m += 2) {
    const double tie = m / 128.0;
    ExpectSameAsText(tie);
    ExpectSameAsText(-tie);
    ExpectSameAsText(std::nextafter(tie, 0.0));
    ExpectSameAsText(std::nextafter(tie, 2.0 * tie));
  }
  // Millionths that lie halfway between two floats (odd multiples of 1/64 where floats
  // are 1/32 apart), and their neighbours.
  for (int k = 1; k < 4000; k += 2) {
    const double midpoint = 262144.0 + k / 64.0;
    ExpectSameAsText(midpoint);
    ExpectSameAsText(-midpoint);
    ExpectSameAsText(std::nextafter(midpoint, 0.0));
  }
  // Fits near half a millionth and other near-halves that are not exact.
  for (int k = 0; k < 20000; ++k) {
    const double near_half = (k + 0.5) / 1e6;
    for (double v = std::nextafter(near_half, 0.0), n = 0; n < 3; v = std::nextafter(v, 1.0), ++n) {
      ExpectSameAsText(v);
    }
  }
  for (const double v : {0.0, -0.0, 5e-7, 4.9999999e-7, 1.0, 0.9999995, 0.99999949999, 1e6, 1e300,
                         -1e300, std::numeric_limits<double>::infinity(),
                         -std::numeric_limits<double>::infinity(), std::nan("")}) {
    ExpectSameAsText(v);
  }
}

FitInputs Inputs(double weight, double age, double rating, int club) {
  return {weight, age, rating, club};
}

TEST(GoodnessOfFit, EqualWrestlersFitOneExceptClubMatesWhoTakeTheClubFactor) {
  const FitTolerances optimum{10, 1.5f, 1.5f, 0.0f};
  const FitInputs a = Inputs(40, 10, 2, 1);
  EXPECT_EQ(GoodnessOfFit(a, Inputs(40, 10, 2, 2), optimum), 1.0f);
  EXPECT_EQ(GoodnessOfFit(a, Inputs(40, 10, 2, 1), optimum), 0.0f);
  PairingControl control;
  EXPECT_EQ(GoodnessOfFit(a, Inputs(40, 10, 2, 1), RelaxedTolerances(control)), 0.25f);
  control.SameClubPairingWeight = 0.6f;
  EXPECT_EQ(RelaxedTolerances(control).SameClub, 0.6f);
  EXPECT_EQ(RelaxedTolerances(control).Weight, 20.0f);
}

TEST(GoodnessOfFit, DifferenceOfExactlyTheToleranceGivesZeroThenHalfWhenRelaxed) {
  PairingControl control;
  const FitInputs heavy = Inputs(100, 10, 2, 1);
  const FitInputs light = Inputs(90, 10, 2, 2);  // 10 per cent of the heavier
  EXPECT_EQ(GoodnessOfFit(heavy, light, OptimumTolerances(control)), 0.0f);
  EXPECT_EQ(GoodnessOfFit(light, heavy, RelaxedTolerances(control)), 0.5f);
  // Age and rating: 1.5 years apart is the tolerance; 0.75 is half of it.
  EXPECT_EQ(GoodnessOfFit(Inputs(50, 10, 2, 1), Inputs(50, 11.5, 2, 2), OptimumTolerances(control)),
            0.0f);
  EXPECT_EQ(
      GoodnessOfFit(Inputs(50, 10, 2, 1), Inputs(50, 10.75, 2.75, 2), OptimumTolerances(control)),
      0.25f);
}

TEST(GoodnessOfFit, ZeroToleranceOrZeroWeightsNeedEqualValuesAndNeverGiveNaN) {
  const FitTolerances zero{0, 0, 0, 1};
  EXPECT_EQ(GoodnessOfFit(Inputs(40, 10, 2, 1), Inputs(40, 10, 2, 2), zero), 1.0f);
  EXPECT_EQ(GoodnessOfFit(Inputs(40, 10, 2, 1), Inputs(40, 10.5, 2, 2), zero), 0.0f);
  EXPECT_EQ(GoodnessOfFit(Inputs(0, 10, 2, 1), Inputs(0, 10, 2, 2), FitTolerances{10, 1, 1, 1}),
            1.0f);
}

// The partner search relies on it: a positive fit never exceeds the weight bound.
TEST(GoodnessOfFit, WeightBoundIsNeverBelowAPositiveFit) {
  std::mt19937 rng(3);
  const FitTolerances t{10, 1.5f, 1.5f, 1};
  for (int i = 0; i < 100000; ++i) {
    const FitInputs a = Inputs(20 + (rng() % 10000) / 100.0, 10, 1, 1);
    const FitInputs b = Inputs(20 + (rng() % 10000) / 100.0, 10 + (rng() % 3) * 0.5, 1, 2);
    const float fit = GoodnessOfFit(a, b, t);
    if (fit > 0) {
      EXPECT_LE(static_cast<long double>(fit),
                WeightFactorBound(a.Weight, b.Weight, t.Weight) + 1e-6L);
    }
  }
}

}  // namespace
}  // namespace kestrio::pairing
