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
  by_weight_.resize(fits.size());
  std::iota(by_weight_.begin(), by_weight_.end(), 0);
  if (bounded_) {
    inverse_weight_.reserve(fits.size());
    for (const FitInputs& f : fits) inverse_weight_.push_back(1.0 / f.Weight);
    inverse_tolerance_[0] = 100.0 / static_cast<double>(tolerances.Weight);
    inverse_tolerance_[1] = 1.0 / static_cast<double>(tolerances.Age);
    inverse_tolerance_[2] = 1.0 / static_cast<double>(tolerances.Rating);
    std::sort(by_weight_.begin(), by_weight_.end(), [&fits](std::int32_t a, std::int32_t b) {
      return fits[a].Weight < fits[b].Weight || (fits[a].Weight == fits[b].Weight && a < b);
    });
  }
  position_.resize(fits.size());
  for (std::size_t pos = 0; pos < by_weight_.size(); ++pos) {
    position_[by_weight_[pos]] = static_cast<std::int32_t>(pos);
  }
}

double FitIndex::Estimate(int a, int b) const {
  const FitInputs& x = (*fits_)[a];
  const FitInputs& y = (*fits_)[b];
  const double inverse_heavier = x.Weight < y.Weight ? inverse_weight_[b] : inverse_weight_[a];
  const double pw = std::min(1.0, std::fabs(x.Weight - y.Weight) * inverse_heavier * inverse_tolerance_[0]);
  const double pa = std::min(1.0, std::fabs(x.Age - y.Age) * inverse_tolerance_[1]);
  const double pr = std::min(1.0, std::fabs(x.Rating - y.Rating) * inverse_tolerance_[2]);
  double fit = (1.0 - pw) * (1.0 - pa) * (1.0 - pr);
  if (x.ClubId == y.ClubId) fit *= tolerances_.SameClub;
  return fit;
}

}  // namespace kestrio::pairing
