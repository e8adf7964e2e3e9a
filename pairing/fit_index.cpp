#include "pairing/fit_index.h"

#include <algorithm>
#include <cmath>

namespace kestrio::pairing {

FitIndex::FitIndex(const std::vector<FitInputs>& fits, const FitTolerances& tolerances)
    : fits_(&fits), tolerances_(tolerances) {
  Init();
}

void FitIndex::SetTolerances(const FitTolerances& tolerances) {
  const bool was_bounded = bounded_;
  tolerances_ = tolerances;
  SetScale();
  if (bounded_ != was_bounded) Init();
}

void FitIndex::SetScale() {
  const FitTolerances& t = tolerances_;
  const std::vector<FitInputs>& fits = *fits_;
  // The bounds need every factor to lie in [0, 1], a club factor of at most 1, and
  // the weight factor to fall steadily with the distance in weight. They multiply by
  // the inverse weight, and a weight too small for its inverse to be a number ("1e-310")
  // would make them nonsense: then every search scans.
  bounded_ = !fits.empty() && t.Weight > 0 && t.Age > 0 && t.Rating > 0 && t.SameClub <= 1 &&
             std::all_of(fits.begin(), fits.end(),
                         [](const FitInputs& f) { return EstimatesDecide(f.Weight); });
  estimates_round_ = bounded_ && EstimatesDecide(t);
  scale_[0] = 100.0 / static_cast<double>(t.Weight);
  scale_[1] = 1.0 / static_cast<double>(t.Age);
  scale_[2] = 1.0 / static_cast<double>(t.Rating);
  // Three factors of at most 1 times the club factor: at most the club factor, rounded
  // as a fit is (rounding never turns a smaller number into a larger one); at most 0 when
  // the factor is 0 or below.
  highest_club_mate_fit_ = t.SameClub > 0 ? RoundTripFit(static_cast<double>(t.SameClub)) : 0.0f;
}

void FitIndex::Init() {
  SetScale();
  const std::vector<FitInputs>& fits = *fits_;
  points_.clear();
  nodes_.clear();
  spans_.clear();
  const int n = static_cast<int>(fits.size());
  points_.reserve(fits.size());
  for (int a = 0; a < n; ++a) {
    const FitInputs& f = fits[a];
    points_.push_back({f.Weight, f.Age, f.Rating, 1.0 / f.Weight, f.ClubId, a});
  }
  free_.assign(fits.size(), 0);
  slot_.resize(fits.size());
  if (bounded_ && n > 0) {
    leaf_.resize(fits.size());
    Build(0, n, -1);
    first_free_.assign(nodes_.size(), kNoneFree);
  }
  for (int s = 0; s < n; ++s) slot_[points_[s].Index] = s;
}

int FitIndex::Build(int begin, int end, int parent) {
  const int id = static_cast<int>(nodes_.size());
  nodes_.push_back({{0, 0, 0}, {0, 0, 0}, 0, -1, kMixedClubs});
  spans_.push_back({begin, end, parent});
  double low[3] = {HUGE_VAL, HUGE_VAL, HUGE_VAL};
  double high[3] = {-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
  for (int s = begin; s < end; ++s) {
    const double v[3] = {points_[s].Weight, points_[s].Age, points_[s].Rating};
    for (int d = 0; d < 3; ++d) {
      low[d] = std::min(low[d], v[d]);
      high[d] = std::max(high[d], v[d]);
    }
  }
  std::copy_n(low, 3, nodes_[id].Low);
  std::copy_n(high, 3, nodes_[id].High);
  nodes_[id].InverseLowWeight = 1.0 / low[0];
  const std::int32_t club = points_[begin].ClubId;
  const bool one_club = std::all_of(points_.begin() + begin, points_.begin() + end,
                                    [club](const Point& p) { return p.ClubId == club; });
  nodes_[id].Club = one_club ? club : kMixedClubs;
  if (end - begin <= kLeafSize) {
    // A leaf keeps its points in selection order: its first free point is its lowest
    // free SelectionIndex.
    std::sort(points_.begin() + begin, points_.begin() + end,
              [](const Point& a, const Point& b) { return a.Index < b.Index; });
    for (int s = begin; s < end; ++s) leaf_[s] = id;
    return id;
  }
  // Split the measure whose spread is widest in units of its tolerance.
  const double spread[3] = {(high[0] - low[0]) / high[0] * scale_[0],
                            (high[1] - low[1]) * scale_[1], (high[2] - low[2]) * scale_[2]};
  const int d = static_cast<int>(std::max_element(spread, spread + 3) - spread);
  const int middle = begin + (end - begin) / 2;
  // Equal measures are split by club, so that club mates share groups: a group of one
  // club is bounded by the club factor for its members.
  auto split_by = [&](double Point::*measure) {
    std::nth_element(points_.begin() + begin, points_.begin() + middle, points_.begin() + end,
                     [measure](const Point& a, const Point& b) {
                       return a.*measure < b.*measure ||
                              (a.*measure == b.*measure && a.ClubId < b.ClubId);
                     });
  };
  split_by(d == 0 ? &Point::Weight : d == 1 ? &Point::Age : &Point::Rating);
  Build(begin, middle, id);  // id + 1
  const int right = Build(middle, end, id);
  nodes_[id].Right = right;
  return id;
}

void FitIndex::Take(int a) {
  const int s = slot_[a];
  if (!free_[s]) return;
  free_[s] = 0;
  if (!bounded_) return;
  // Only the groups whose lowest free wrestler was a change, and they are a's leaf and
  // the ancestors up to the first that had an earlier one.
  const int leaf = leaf_[s];
  if (first_free_[leaf] != a) return;
  first_free_[leaf] = LeafFirstFree(leaf);
  for (int n = spans_[leaf].Parent; n >= 0 && first_free_[n] == a; n = spans_[n].Parent) {
    first_free_[n] = std::min(first_free_[n + 1], first_free_[nodes_[n].Right]);
  }
}

std::int32_t FitIndex::LeafFirstFree(int leaf) const {
  for (int s = spans_[leaf].Begin; s < spans_[leaf].End; ++s) {
    if (free_[s]) return points_[s].Index;
  }
  return kNoneFree;
}

}  // namespace kestrio::pairing
