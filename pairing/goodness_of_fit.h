#pragma once

// The goodness of fit of two wrestlers: 1 for equal weight, age and rating, falling
// linearly to 0 as any difference reaches its tolerance, scaled for club mates.
//
// The value the pairing compares is computed in extended precision, kept as a 64-bit
// real, written with six decimals ("%8.6f") and read back as a 32-bit real: the fits of
// a run are those six-decimal values. Two fits that agree to six decimals therefore tie,
// and which partner a wrestler gets among equal fits depends on it. RoundTripFit gives
// that value without going through text except near a rounding boundary.

#include <cstdint>

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

// RoundTripFit(ComputeFit(a, b, t)).
inline float GoodnessOfFit(const FitInputs& a, const FitInputs& b, const FitTolerances& t) {
  return RoundTripFit(ComputeFit(a, b, t));
}

// An upper bound of (1 - weight term) for weights a and b, computed as the fit computes
// it but without the clamp; the fit of a and b can exceed it only by rounding when
// every tolerance is positive, the club factor at most 1 and both weights positive.
long double WeightFactorBound(double a, double b, float weight_tolerance);

}  // namespace kestrio::pairing
