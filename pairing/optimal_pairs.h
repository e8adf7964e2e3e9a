#pragma once

// The bouts Tandrel Optimal may choose from: every pair whose fit under the organiser's
// tolerances is above MinGoodnessOfFitAllowed (the optimum bouts), and, for wrestlers
// who need them, the pairs that only the doubled tolerances allow (non-optimum bouts).
// Found with the fit index's searches, never from a table of every pair.

#include <cstdint>
#include <vector>

#include "pairing/fit_index.h"

namespace kestrio::pairing {

// A fit in millionths: the six-decimal fit the engine compares, as a whole number.
std::int32_t FitMicros(float fit);

struct Partner {
  std::int32_t who = 0;
  std::int32_t fit = 0;  // millionths
};

// The optimum bouts of every wrestler, partners in ascending SelectionIndex.
class PairGraph {
 public:
  PairGraph() = default;
  // Searches index for the partners of every wrestler 0..size-1 whose fit is above
  // min_fit. step, when given, is called once per wrestler searched.
  template <typename Step>
  PairGraph(const FitIndex& index, int size, float min_fit, Step step);

  int size() const { return static_cast<int>(start_.size()) - 1; }
  const Partner* begin(int a) const { return partners_.data() + start_[a]; }
  const Partner* end(int a) const { return partners_.data() + start_[a + 1]; }
  int Degree(int a) const { return start_[a + 1] - start_[a]; }
  // The fit of a and b in millionths, 0 when they are no optimum bout.
  std::int32_t Fit(int a, int b) const;

 private:
  void Add(int a, const FitIndex& index, float min_fit);

  std::vector<std::int32_t> start_{0};
  std::vector<Partner> partners_;
};

// The partners of a under relaxed that are no optimum bout for it, with their relaxed
// fits, in ascending SelectionIndex.
std::vector<Partner> RelaxedOnlyPartners(const FitIndex& relaxed, const PairGraph& optimum, int a,
                                         float min_fit);

template <typename Step>
PairGraph::PairGraph(const FitIndex& index, int size, float min_fit, Step step) {
  start_.reserve(static_cast<std::size_t>(size) + 1);
  for (int a = 0; a < size; ++a) {
    Add(a, index, min_fit);
    step();
  }
}

}  // namespace kestrio::pairing
