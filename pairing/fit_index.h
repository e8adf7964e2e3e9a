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

#include "pairing/free_list.h"
#include "pairing/goodness_of_fit.h"

namespace kestrio::pairing {

class FitIndex {
 public:
  // fits is indexed by SelectionIndex and must outlive the index.
  FitIndex(const std::vector<FitInputs>& fits, const FitTolerances& tolerances);

  // The wrestler b with the highest fit to c among those free in `free` (positions of
  // the weight order, see PositionOf) and not already_met(b) whose fit is above 0 and
  // strictly above min_fit; among equal fits the lowest SelectionIndex. -1 when there
  // is none. c itself is never considered. already_met is asked only for a winning fit.
  template <typename AlreadyMet>
  int BestPartner(int c, float min_fit, FreeList& free, AlreadyMet already_met) const;

  // Calls visit(j, fit) for every wrestler j != k whose fit to k is above 0, in no
  // particular order.
  template <typename Visit>
  void ForEachPositiveFit(int k, Visit visit) const;

  float Fit(int a, int b) const { return GoodnessOfFit((*fits_)[a], (*fits_)[b], tolerances_); }
  bool bounded() const { return bounded_; }
  int size() const { return static_cast<int>(by_weight_.size()); }
  // Where SelectionIndex a stands in the weight order (the selection order when the
  // searches are not bounded).
  int PositionOf(int a) const { return position_[a]; }

 private:
  // A fit can exceed the weight bound by rounding only (six decimals, a 32-bit real):
  // far less than this. Walks stop only when the bound is below the target by more.
  static constexpr long double kMargin = 1.0e-5L;

  // An estimate of the fit before rounding, in plain double arithmetic with reciprocals
  // computed once: within far less than kMargin of the exact fit when bounded. Only
  // fits whose estimate comes near the target are computed exactly.
  double Estimate(int a, int b) const;
  long double Bound(int c, int b) const {
    return WeightFactorBound((*fits_)[c].Weight, (*fits_)[b].Weight, tolerances_.Weight);
  }

  const std::vector<FitInputs>* fits_;
  FitTolerances tolerances_;
  bool bounded_ = false;
  std::vector<std::int32_t> by_weight_;  // SelectionIndex values by weight, then index
  std::vector<std::int32_t> position_;   // position of each SelectionIndex in by_weight_
  std::vector<double> inverse_weight_;   // 1 / Weight by SelectionIndex, when bounded
  double inverse_tolerance_[3] = {0, 0, 0};  // 100 / weight, 1 / age, 1 / rating tolerance
};

template <typename AlreadyMet>
int FitIndex::BestPartner(int c, float min_fit, FreeList& free, AlreadyMet already_met) const {
  // The best starts at 0 and must be beaten strictly: a fit of 0 never makes a bout.
  float best = 0.0f;
  int partner = -1;
  auto target = [&] {
    return static_cast<double>(min_fit > best ? min_fit : best) - static_cast<double>(kMargin);
  };
  auto consider = [&](int b) {
    if (bounded_ && Estimate(c, b) < target()) return;
    const float fit = Fit(c, b);
    if (!(fit > min_fit)) return;
    if (fit > best || (fit == best && b < partner)) {
      if (already_met(b)) return;
      best = fit;
      partner = b;
    }
  };
  const int n = size();
  const int home = position_[c];
  if (!bounded_) {
    // The plain scan in selection order (positions are SelectionIndex values here).
    for (int b = free.FreeAtOrAfter(0); b < n; b = free.FreeAtOrAfter(b + 1)) {
      if (b != home) consider(b);
    }
    return partner;
  }
  for (int pos = free.FreeAtOrBefore(home - 1); pos >= 0; pos = free.FreeAtOrBefore(pos - 1)) {
    const int b = by_weight_[pos];
    if (Bound(c, b) < static_cast<long double>(target())) break;
    consider(b);
  }
  for (int pos = free.FreeAtOrAfter(home + 1); pos < n; pos = free.FreeAtOrAfter(pos + 1)) {
    const int b = by_weight_[pos];
    if (Bound(c, b) < static_cast<long double>(target())) break;
    consider(b);
  }
  return partner;
}

template <typename Visit>
void FitIndex::ForEachPositiveFit(int k, Visit visit) const {
  auto consider = [&](int j) {
    if (bounded_ && Estimate(k, j) < -static_cast<double>(kMargin)) return;
    const float fit = Fit(k, j);
    if (fit > 0) visit(j, fit);
  };
  const int n = size();
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
