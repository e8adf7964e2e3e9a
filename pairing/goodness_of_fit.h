#pragma once

// The goodness of fit of two wrestlers: 1 for equal weight, age and rating, falling
// linearly to 0 as any difference reaches its tolerance, scaled for club mates.
//
// The value the pairing compares is computed in extended precision, kept as a 64-bit
// real, written with six decimals ("%8.6f") and read back as a 32-bit real: the fits of
// a run are those six-decimal values. Two fits that agree to six decimals therefore tie,
// and which partner a wrestler gets among equal fits depends on it. RoundTripFit gives
// that value without going through text except near a rounding boundary.

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "pairing/pairing_control.h"

namespace kestrio::pairing {

// The numbers of one wrestler as the fit reads them from the roster's texts.
struct FitInputs {
  double Weight = 0;
  double Age = 0;
  double Rating = 0;
  // Wrestlers with equal ids are club mates (equal club texts without blanks).
  std::int32_t ClubId = 0;
};

// The tolerances and the club-mate factor one phase measures with.
struct FitTolerances {
  float Weight = 0;  // per cent of the heavier weight
  float Age = 0;     // years
  float Rating = 0;  // rating points
  float SameClub = 0;
};

// The organiser's tolerances, for the optimum phase.
FitTolerances OptimumTolerances(const PairingControl& control);

// Doubled tolerances and a club factor of at least 0.25, for the relaxed phase and the
// by-hand report; the minimum fit stays as it is.
FitTolerances RelaxedTolerances(const PairingControl& control);

// The fit before rounding to six decimals. A measure whose values are equal contributes
// a factor of 1 even with a tolerance of 0 or two weights of 0, where the plain formula
// would divide 0 by 0.
double ComputeFit(const FitInputs& a, const FitInputs& b, const FitTolerances& t);

// The 32-bit real that reading fit back from its six-decimal text gives.
float RoundTripFit(double fit);

// The same through the text itself; exact but slow, the reference for RoundTripFit.
float RoundTripFitByText(double fit);

// RoundTripFit(fit) without fit itself, from an estimate of it computed in double
// arithmetic: fit must lie in [0, 1] and the estimate within 1e-12 of it. False when the
// estimate lies too near half a millionth or the six-decimal value halfway between two
// 32-bit reals for it to decide; the fit must then be computed as ComputeFit does.
// A search computes each fit it keeps this way: the extended precision costs far more.
inline bool RoundTripEstimate(double estimate, float* rounded) {
  if (!(estimate >= 0 && estimate <= 1.5)) return false;
  const double scaled = estimate * 1.0e6;
  const auto whole = static_cast<std::int32_t>(scaled + 0.5);
  // The fit lies within 1e-6 millionths of the estimate, and RoundTripFit itself goes
  // through the text only within 1e-3 of a half: outside 2e-3 both take the same
  // millionths the same way.
  if (std::fabs(scaled - whole) > 0.498) return false;
  const double value = static_cast<double>(whole) / 1.0e6;
  // 0 or at least a millionth, far inside a float's normal range: the midpoint test is
  // the bits below a float's precision alone.
  constexpr std::uint64_t kBelowFloat = (std::uint64_t{1} << 29) - 1;
  if ((std::bit_cast<std::uint64_t>(value) & kBelowFloat) == std::uint64_t{1} << 28) {
    return false;
  }
  *rounded = static_cast<float>(value);
  return true;
}

// True when a fit in double arithmetic lies within a few 1e-15 of the extended
// precision's, so that RoundTripEstimate may decide it: every tolerance positive, a club
// factor in [0, 1] and both weights at least the smallest normal double (the inverse of a
// smaller one is not a number).
inline bool EstimatesDecide(const FitTolerances& t) {
  return t.Weight > 0 && t.Age > 0 && t.Rating > 0 && t.SameClub >= 0 && t.SameClub <= 1;
}
inline bool EstimatesDecide(double weight) { return weight >= std::numeric_limits<double>::min(); }

// RoundTripFit(ComputeFit(a, b, t)). Computed in double arithmetic first where that
// decides the rounding; the extended precision's fit is computed only near a boundary
// (the bout board computes the fit of every bout it makes).
inline float GoodnessOfFit(const FitInputs& a, const FitInputs& b, const FitTolerances& t) {
  if (EstimatesDecide(t) && EstimatesDecide(a.Weight) && EstimatesDecide(b.Weight)) {
    const double heavier = a.Weight < b.Weight ? b.Weight : a.Weight;
    const double pw = std::min(
        1.0, std::fabs(a.Weight - b.Weight) / heavier * (100.0 / static_cast<double>(t.Weight)));
    const double pa = std::min(1.0, std::fabs(a.Age - b.Age) / static_cast<double>(t.Age));
    const double pr = std::min(1.0, std::fabs(a.Rating - b.Rating) / static_cast<double>(t.Rating));
    double estimate = (1.0 - pw) * (1.0 - pa) * (1.0 - pr);
    if (a.ClubId == b.ClubId) estimate *= static_cast<double>(t.SameClub);
    float rounded = 0.0f;
    if (RoundTripEstimate(estimate, &rounded)) return rounded;
  }
  return RoundTripFit(ComputeFit(a, b, t));
}

// An upper bound of (1 - weight term) for weights a and b, computed as the fit computes
// it but without the clamp; the fit of a and b can exceed it only by rounding when
// every tolerance is positive, the club factor at most 1 and both weights positive.
long double WeightFactorBound(double a, double b, float weight_tolerance);

}  // namespace kestrio::pairing
