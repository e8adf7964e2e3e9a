#include "pairing/fit_index.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace kestrio::pairing {

FitIndex::FitIndex(const std::vector<FitInputs>& fits, const FitTolerances& tolerances)
    : fits_(&fits), tolerances_(tolerances) {
  // The walk's bound needs every factor but the weight's to be at most 1 and the
  // weight factor to fall steadily with the distance in weight.
  bounded_ = tolerances.Weight > 0 && tolerances.Age > 0 && tolerances.Rating > 0 &&
             tolerances.SameClub <= 1 &&
             std::all_of(fits.begin(), fits.end(), [](const FitInputs& f) { return f.Weight > 0; });
  if (!bounded_) return;
  by_weight_.resize(fits.size());
  std::iota(by_weight_.begin(), by_weight_.end(), 0);
  std::sort(by_weight_.begin(), by_weight_.end(), [&fits](std::int32_t a, std::int32_t b) {
    return fits[a].Weight < fits[b].Weight || (fits[a].Weight == fits[b].Weight && a < b);
  });
  position_.resize(fits.size());
  for (std::size_t pos = 0; pos < by_weight_.size(); ++pos) {
    position_[by_weight_[pos]] = static_cast<std::int32_t>(pos);
  }
}

bool FitIndex::MayFit(int a, int b) const {
  if (!bounded_) return true;
  // With positive tolerances a difference at or beyond the tolerance makes its factor,
  // and so the fit, exactly 0 (or -0 with a negative club factor): no bout either way.
  const FitInputs& x = (*fits_)[a];
  const FitInputs& y = (*fits_)[b];
  const long double age = std::fabs(static_cast<long double>(x.Age) - y.Age);
  const long double rating = std::fabs(static_cast<long double>(x.Rating) - y.Rating);
  return age < tolerances_.Age && rating < tolerances_.Rating;
}

}  // namespace kestrio::pairing
