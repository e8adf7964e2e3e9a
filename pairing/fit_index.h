#pragma once

// Partner searches over the selected wrestlers without a table of every pair's fit.
//
// A pair whose weights differ by the weight tolerance or more has fit 0, and 0 is never
// good enough for a bout, so only wrestlers of nearby weight matter. The index keeps
// the wrestlers sorted by weight; a search walks outward from the chooser's weight and
// stops once the weight factor alone can no longer reach the fit it must beat. When no
// such bound holds (a tolerance of 0 or below, a club factor above 1, a weight of 0 or
// below) every search scans all wrestlers instead; the answers are the same.

#include <cstdint>
#include <vector>

#include "pairing/goodness_of_fit.h"

namespace kestrio::pairing {

class FitIndex {
 public:
  // fits is indexed by SelectionIndex and must outlive the index.
  FitIndex(const std::vector<FitInputs>& fits, const FitTolerances& tolerances);

  // The wrestler b with the highest fit to c among those with eligible(b) and not
  // already_met(b) whose fit is above 0 and strictly above min_fit; among equal fits
  // the lowest SelectionIndex. -1 when there is none. c itself is never considered.
  // eligible is asked first and should be cheap; already_met only for a winning fit.
  template <typename Eligible, typename AlreadyMet>
  int BestPartner(int c, float min_fit, Eligible eligible, AlreadyMet already_met) const;

  // Calls visit(j, fit) for every wrestler j != k whose fit to k is above 0, in no
  // particular order.
  template <typename Visit>
  void ForEachPositiveFit(int k, Visit visit) const;

  float Fit(int a, int b) const { return GoodnessOfFit((*fits_)[a], (*fits_)[b], tolerances_); }
  bool bounded() const { return bounded_; }

 private:
  // A fit can exceed the weight bound by rounding only (six decimals, a 32-bit real):
  // far less than this. Walks stop only when the bound is below the target by more.
  static constexpr long double kMargin = 1.0e-5L;

  // False when an age or rating difference alone makes the fit 0.
  bool MayFit(int a, int b) const;
  long double Bound(int c, int b) const {
    return WeightFactorBound((*fits_)[c].Weight, (*fits_)[b].Weight, tolerances_.Weight);
  }

  const std::vector<FitInputs>* fits_;
  FitTolerances tolerances_;
  bool bounded_ = false;
  std::vector<std::int32_t> by_weight_;  // SelectionIndex values by weight, then index
  std::vector<std::int32_t> position_;   // position of each SelectionIndex in by_weight_
};

template <typename Eligible, typename AlreadyMet>
int FitIndex::BestPartner(int c, float min_fit, Eligible eligible,
                          AlreadyMet already_met) const {
  // The best starts at 0 and must be beaten strictly: a fit of 0 never makes a bout.
  float best = 0.0f;
  int partner = -1;
  auto consider = [&](int b) {
    if (!eligible(b) || !MayFit(c, b)) return;
    const float fit = Fit(c, b);
    if (!(fit > min_fit)) return;
    if (fit > best || (fit == best && b < partner)) {
      if (already_met(b)) return;
      best = fit;
      partner = b;
    }
  };
  const int n = static_cast<int>(fits_->size());
  if (!bounded_) {
    for (int b = 0; b < n; ++b) {
      if (b != c) consider(b);
    }
    return partner;
  }
  auto target = [&] {
    return static_cast<long double>(min_fit > best ? min_fit : best) - kMargin;
  };
  const int home = position_[c];
  for (int pos = home - 1; pos >= 0; --pos) {
    const int b = by_weight_[pos];
    if (Bound(c, b) < target()) break;
    consider(b);
  }
  for (int pos = home + 1; pos < n; ++pos) {
    const int b = by_weight_[pos];
    if (Bound(c, b) < target()) break;
    consider(b);
  }
  return partner;
}

template <typename Visit>
void FitIndex::ForEachPositiveFit(int k, Visit visit) const {
  auto consider = [&](int j) {
    if (!MayFit(k, j)) return;
    const float fit = Fit(k, j);
    if (fit > 0) visit(j, fit);
  };
  const int n = static_cast<int>(fits_->size());
  if (!bounded_) {
    for (int j = 0; j < n; ++j) {
      if (j != k) consider(j);
    }
    return;
  }
  const int home = position_[k];
  for (int pos = home - 1; pos >= 0 && Bound(k, by_weight_[pos]) >= -kMargin; --pos) {
    consider(by_weight_[pos]);
  }
  for (int pos = home + 1; pos < n && Bound(k, by_weight_[pos]) >= -kMargin; ++pos) {
    consider(by_weight_[pos]);
  }
}

}  // namespace kestrio::pairing
