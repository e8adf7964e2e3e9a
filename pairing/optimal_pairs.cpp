#include "pairing/optimal_pairs.h"

#include <algorithm>
#include <cmath>

namespace kestrio::pairing {
namespace {

bool ByWho(const Partner& x, const Partner& y) { return x.who < y.who; }

}  // namespace

std::int32_t FitMicros(float fit) {
  return static_cast<std::int32_t>(std::lround(static_cast<double>(fit) * 1e6));
}

void PairGraph::Add(int a, const FitIndex& index, float min_fit) {
  const std::size_t first = partners_.size();
  index.ForEachPositiveFit(a, [&](int b, float fit) {
    if (fit > min_fit) partners_.push_back({b, FitMicros(fit)});
  });
  std::sort(partners_.begin() + static_cast<std::ptrdiff_t>(first), partners_.end(), ByWho);
  start_.push_back(static_cast<std::int32_t>(partners_.size()));
}

std::int32_t PairGraph::Fit(int a, int b) const {
  const Partner* found = std::lower_bound(begin(a), end(a), Partner{b, 0}, ByWho);
  return found != end(a) && found->who == b ? found->fit : 0;
}

std::vector<Partner> RelaxedOnlyPartners(const FitIndex& relaxed, const PairGraph& optimum, int a,
                                         float min_fit) {
  std::vector<Partner> partners;
  relaxed.ForEachPositiveFit(a, [&](int b, float fit) {
    if (fit > min_fit && optimum.Fit(a, b) == 0) partners.push_back({b, FitMicros(fit)});
  });
  std::sort(partners.begin(), partners.end(), ByWho);
  return partners;
}

}  // namespace kestrio::pairing
