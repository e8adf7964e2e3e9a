#include "pairing/goodness_of_fit.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

namespace kestrio::pairing {
namespace {

// One measure's share of the misfit: the difference over the tolerance, at most 1.
long double Term(long double difference, long double tolerance) {
  if (difference == 0) return 0;  // equal values fit perfectly, whatever the tolerance
  long double p = difference / tolerance;
  if (p > 1) p = 1;
  return p;
}

}  // namespace

FitTolerances OptimumTolerances(const PairingControl& control) {
  return {control.MaxAllowedDiffWeight, control.MaxAllowedDiffAge, control.MaxAllowedDiffRating,
          control.SameClubPairingWeight};
}

FitTolerances RelaxedTolerances(const PairingControl& control) {
  FitTolerances t{2.0f * control.MaxAllowedDiffWeight, 2.0f * control.MaxAllowedDiffAge,
                  2.0f * control.MaxAllowedDiffRating, control.SameClubPairingWeight};
  if (t.SameClub < 0.25f) t.SameClub = 0.25f;
  return t;
}

double ComputeFit(const FitInputs& a, const FitInputs& b, const FitTolerances& t) {
  const long double wa = a.Weight;
  const long double wb = b.Weight;
  const long double dw = std::fabs(wa - wb);
  long double heavier = wa;
  if (wa < wb) heavier = wb;
  long double pw = 0;
  if (dw != 0) {
    pw = dw / heavier / static_cast<long double>(t.Weight) * 100.0L;
    if (pw > 1) pw = 1;
  }
  const long double pa = Term(std::fabs(static_cast<long double>(a.Age) - b.Age), t.Age);
  const long double pr = Term(std::fabs(static_cast<long double>(a.Rating) - b.Rating), t.Rating);
  // The two factors of 1.0L are the weight of the weight measure and the scale of the
  // whole fit. Neither can be set by the organiser, and a product with 1 is exact in
  // extended precision, so they change no fit; they mark where a weighting of the
  // measures would enter.
  long double fit = ((1.0L - pw) * 1.0L) * (1.0L - pa) * (1.0L - pr);
  if (a.ClubId == b.ClubId) fit *= static_cast<long double>(t.SameClub);
  fit *= 1.0L;
  return static_cast<double>(fit);
}

float RoundTripFitByText(double fit) {
  // std::to_chars rounds the exact binary value as printf does, and neither it nor
  // std::from_chars depends on the process locale (a desktop toolkit may set one).
  char buffer[400];
  const auto written =
      std::to_chars(buffer, buffer + sizeof buffer, fit, std::chars_format::fixed, 6);
  if (written.ec != std::errc()) return 0.0f;
  float value = 0.0f;
  const auto read = std::from_chars(buffer, written.ptr, value);
  if (read.ec == std::errc::result_out_of_range) {
    return std::signbit(fit) ? -HUGE_VALF : HUGE_VALF;
  }
  return value;
}

namespace {

// True when value lies exactly halfway between two neighbouring floats. A nonzero double
// of a float's normal range is such a midpoint when its bits below a float's precision
// are a one and then zeros; smaller ones are checked against their neighbours.
bool HalfwayBetweenFloats(double value) {
  if (value == 0) return false;
  const auto bits = std::bit_cast<std::uint64_t>(value);
  constexpr std::uint64_t kSmallestNormalFloat = 1023 - 126;  // as a double's exponent
  if (((bits >> 52) & 0x7ff) >= kSmallestNormalFloat) {
    constexpr std::uint64_t kBelowFloat = (std::uint64_t{1} << 29) - 1;
    return (bits & kBelowFloat) == std::uint64_t{1} << 28;
  }
  const float narrowed = static_cast<float>(value);
  const double below = std::nextafter(narrowed, -HUGE_VALF);
  const double above = std::nextafter(narrowed, HUGE_VALF);
  return value == (narrowed + below) / 2 || value == (narrowed + above) / 2;
}

}  // namespace

float RoundTripFit(double fit) {
  // Fast path for the fits a pairing sees: scale to millionths, round, scale back. It
  // is exact unless the scaled value lies near a half (the six-decimal rounding could
  // go either way) or the quotient lands on a point halfway between two floats (the
  // second rounding could differ from a single one); those go through the text.
  if (!(std::fabs(fit) < 1.0e6)) return RoundTripFitByText(fit);
  const double scaled = fit * 1.0e6;
  const double millionths = std::nearbyint(scaled);
  if (std::fabs(std::fabs(scaled - millionths) - 0.5) < 1.0e-3) {
    return RoundTripFitByText(fit);
  }
  const double value = millionths / 1.0e6;
  if (HalfwayBetweenFloats(value)) return RoundTripFitByText(fit);
  return static_cast<float>(value);
}

long double WeightFactorBound(double a, double b, float weight_tolerance) {
  const long double wa = a;
  const long double wb = b;
  const long double heavier = wa < wb ? wb : wa;
  return 1.0L - std::fabs(wa - wb) / heavier / static_cast<long double>(weight_tolerance) * 100.0L;
}

}  // namespace kestrio::pairing
