#pragma once

// Partner searches over the selected wrestlers without a table of every pair's fit.
//
// The fit is a product of three factors, one per measure, each falling from 1 to 0 as
// the difference grows to the tolerance; a club factor of at most 1 can only lower it.
// So a group of wrestlers whose weights, ages and ratings lie in known ranges has an
// upper bound on its fit to any chooser, and a search can skip every group whose bound
// is below the fit it must beat. The index is a k-d tree over (weight, age, rating)
// whose nodes also know the lowest SelectionIndex still free in the round under them
// (none once all are taken, so groups already taken are skipped too), and the club when
// all their wrestlers share one: a group can hold no fit above the
// club factor's share to a club mate, nor above 1 to anyone, so once a chooser has a
// partner with that fit, only a free wrestler earlier in the selection could still win
// the tie, and every other group is skipped (a roster where many wrestlers share weight,
// age and rating, listed club by club, would otherwise be searched a club at a time for
// every chooser). When no bound holds (a tolerance of 0 or below, a club
// factor above 1, a weight of 0 or below) every search scans all wrestlers instead.
// Either way the answers are those of a plain scan, ties included.

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

#include "pairing/goodness_of_fit.h"

namespace kestrio::pairing {

class FitIndex {
 public:
  // fits is indexed by SelectionIndex and must outlive the index.
  FitIndex(const std::vector<FitInputs>& fits, const FitTolerances& tolerances);

  // Starts a round: exactly the wrestlers a with eligible(a) are free to be partners.
  template <typename Eligible>
  void BeginRound(Eligible eligible);
  // Wrestler a is no longer free in this round (taking it twice is harmless).
  void Take(int a);

  // The free wrestler b with the highest fit to c, not already_met(b), whose fit is
  // above 0 and strictly above min_fit; among equal fits the lowest SelectionIndex.
  // -1 when there is none. c itself is never considered. already_met is asked only
  // for a fit that would win.
  template <typename AlreadyMet>
  int BestPartner(int c, float min_fit, AlreadyMet already_met) const;

  // Calls visit(j, fit) for every wrestler j != k whose fit to k is above 0, in no
  // particular order; free or not.
  template <typename Visit>
  void ForEachPositiveFit(int k, Visit visit) const;

  // Measures with other tolerances from here on; the tree is kept when the bounds
  // still hold (doubling the tolerances keeps them).
  void SetTolerances(const FitTolerances& tolerances);

  // GoodnessOfFit of a and b, to the bit.
  float Fit(int a, int b) const {
    return estimates_round_ ? FitFromEstimate(a, b, Estimate(points_[slot_[a]], points_[slot_[b]]))
                            : PairFit(a, b);
  }
  bool bounded() const { return bounded_; }

 private:
  // A fit can exceed the bounds below only by rounding (six decimals, a 32-bit real,
  // double arithmetic): far less than this. Searches skip a group only when its bound
  // is below the target by more.
  static constexpr double kMargin = 1.0e-5;
  static constexpr int kLeafSize = 16;
  // No fit exceeds this: three factors of at most 1 and a club factor of at most 1.
  static constexpr float kHighestFit = 1.0f;
  static constexpr std::int32_t kNoneFree = INT32_MAX;
  static constexpr std::int32_t kMixedClubs = -1;

  // One wrestler in tree order.
  struct Point {
    double Weight, Age, Rating, InverseWeight;
    std::int32_t ClubId, Index;
  };
  // What a search reads of a group, in one cache line: its points lie within [Low, High]
  // in every measure (weight, age, rating); Club is the ClubId all of them share, or
  // kMixedClubs. Node id's left child is id + 1, its right child Right; a leaf has no
  // children (Right < 0).
  struct alignas(64) Node {
    double Low[3], High[3];
    double InverseLowWeight;
    std::int32_t Right, Club;
  };
  // The points of a group, [Begin, End) in tree order, and its parent (-1 for the root).
  struct Span {
    std::int32_t Begin, End, Parent;
  };

  void Init();
  void SetScale();
  // Orders the points [begin, end) as the tree's groups under them, and gives each group
  // its span; children after their parents, a left child right after it.
  void Split(int begin, int end, int parent);
  // Gives every group its node from the points of its span (room for exactly as many).
  void Bound();
  // The lowest free SelectionIndex under a leaf: its first free point.
  std::int32_t LeafFirstFree(int leaf) const {
    const std::uint32_t bits = free_bits_[leaf];
    return bits == 0 ? kNoneFree : points_[spans_[leaf].Begin + std::countr_zero(bits)].Index;
  }
  // Upper bound of the fit of p to any point of node (the club factor only for a node
  // of p's club alone).
  double NodeBound(const Point& p, const Node& node) const;
  // The highest fit p can have to a wrestler of club, exactly as the fit is rounded.
  float HighestFit(const Point& p, std::int32_t club) const {
    return club == p.ClubId ? highest_club_mate_fit_ : kHighestFit;
  }
  // The fit of p and q in double arithmetic, within far less than kMargin of the exact
  // (within a few 1e-15 when every tolerance is positive and the club factor in [0, 1]).
  double Estimate(const Point& p, const Point& q) const;
  // GoodnessOfFit of a and b from the pair alone, where the index's own estimate cannot
  // decide (it estimates the pair itself where it can).
  float PairFit(int a, int b) const { return GoodnessOfFit((*fits_)[a], (*fits_)[b], tolerances_); }
  // Fit(a, b) given the estimate of a and b; only when estimates_round_.
  float FitFromEstimate(int a, int b, double estimate) const {
    float fit = 0.0f;
    return RoundTripEstimate(estimate, &fit) ? fit : PairFit(a, b);
  }

  const std::vector<FitInputs>* fits_;
  FitTolerances tolerances_;
  bool bounded_ = false;
  // Bounded, and EstimatesDecide the tolerances: every fit lies in [0, 1] and its
  // estimate decides its rounding but near a boundary.
  bool estimates_round_ = false;
  float highest_club_mate_fit_ = kHighestFit;  // of two club mates, rounded as a fit
  double scale_[3] = {0, 0, 0};                // 100 / weight, 1 / age, 1 / rating tolerance
  std::vector<Point> points_;                  // tree order; selection order when not bounded
  std::vector<std::int32_t> slot_;             // where each SelectionIndex sits in points_
  std::vector<Node> nodes_;                    // node 0 is the root; children after parents
  std::vector<Span> spans_;                    // by node
  std::vector<std::int32_t> leaf_;             // the leaf node of each slot
  std::vector<char> free_;                     // by slot
  // By node: the free points of a leaf, bit i for its point Begin + i. A search visits
  // only those, and a leaf's first free point is its lowest bit.
  std::vector<std::uint32_t> free_bits_;
  static_assert(kLeafSize <= 32);
  // The lowest free SelectionIndex under each node; kNoneFree when none is free.
  std::vector<std::int32_t> first_free_;
};

// Both run for every group and candidate a search looks at: inline.
inline double FitIndex::NodeBound(const Point& p, const Node& node) const {
  // The nearest weight of the node: relative to the heavier of the two, as the fit has it.
  double pw = 0;
  if (p.Weight < node.Low[0]) {
    pw = (node.Low[0] - p.Weight) * node.InverseLowWeight * scale_[0];
  } else if (p.Weight > node.High[0]) {
    pw = (p.Weight - node.High[0]) * p.InverseWeight * scale_[0];
  }
  // The distance to the node's range: below it, above it, or 0 inside it.
  const double da = std::max(std::max(node.Low[1] - p.Age, p.Age - node.High[1]), 0.0);
  const double dr = std::max(std::max(node.Low[2] - p.Rating, p.Rating - node.High[2]), 0.0);
  const double bound = (1.0 - std::min(1.0, pw)) * (1.0 - std::min(1.0, da * scale_[1])) *
                       (1.0 - std::min(1.0, dr * scale_[2]));
  return node.Club == p.ClubId ? bound * std::max(0.0, static_cast<double>(tolerances_.SameClub))
                               : bound;
}

inline double FitIndex::Estimate(const Point& p, const Point& q) const {
  const double inverse_heavier = p.Weight < q.Weight ? q.InverseWeight : p.InverseWeight;
  const double pw = std::min(1.0, std::fabs(p.Weight - q.Weight) * inverse_heavier * scale_[0]);
  const double pa = std::min(1.0, std::fabs(p.Age - q.Age) * scale_[1]);
  const double pr = std::min(1.0, std::fabs(p.Rating - q.Rating) * scale_[2]);
  double fit = (1.0 - pw) * (1.0 - pa) * (1.0 - pr);
  if (p.ClubId == q.ClubId) fit *= tolerances_.SameClub;
  return fit;
}

template <typename Eligible>
void FitIndex::BeginRound(Eligible eligible) {
  // In selection order: eligible reads the run's tables, which are kept in that order.
  const int n = static_cast<int>(points_.size());
  for (int a = 0; a < n; ++a) free_[slot_[a]] = eligible(a) ? 1 : 0;
  if (!bounded_) return;
  for (std::size_t id = nodes_.size(); id-- > 0;) {
    const Node& node = nodes_[id];
    if (node.Right < 0) {
      std::uint32_t bits = 0;
      for (int s = spans_[id].End; s-- > spans_[id].Begin;) bits = bits << 1 | (free_[s] ? 1u : 0u);
      free_bits_[id] = bits;
    }
    first_free_[id] = node.Right < 0 ? LeafFirstFree(static_cast<int>(id))
                                     : std::min(first_free_[id + 1], first_free_[node.Right]);
  }
}

template <typename AlreadyMet>
int FitIndex::BestPartner(int c, float min_fit, AlreadyMet already_met) const {
  // The best starts at 0 and must be beaten strictly: a fit of 0 never makes a bout.
  float best = 0.0f;
  int partner = -1;
  const Point& chooser = points_[slot_[c]];
  auto target = [&] { return static_cast<double>(min_fit > best ? min_fit : best) - kMargin; };
  // A fit must be above min_fit and above 0. With the highest fit a group can hold in hand
  // only a tie can still win, and only earlier wrestlers win ties: a group whose free
  // wrestlers all come later holds no better partner.
  const float floor = min_fit > 0.0f ? min_fit : 0.0f;
  auto beaten = [&](float highest, std::int32_t first_free) {
    return highest <= floor || (highest <= best && first_free > partner);
  };
  auto consider = [&](const Point& q) {
    const int b = q.Index;
    float fit;
    if (bounded_) {
      if (beaten(HighestFit(chooser, q.ClubId), b)) return;
      const double estimate = Estimate(chooser, q);
      if (estimate < target()) return;
      fit = estimates_round_ ? FitFromEstimate(c, b, estimate) : PairFit(c, b);
    } else {
      fit = PairFit(c, b);
    }
    if (!(fit > min_fit)) return;
    if (fit > best || (fit == best && b < partner)) {
      if (already_met(b)) return;
      best = fit;
      partner = b;
    }
  };
  if (!bounded_) {
    for (std::size_t s = 0; s < points_.size(); ++s) {
      if (free_[s] && points_[s].Index != c) consider(points_[s]);
    }
    return partner;
  }
  // Depth first, the more promising child first. A node's bound is checked again when
  // it is taken from the stack, so that a better fit found meanwhile prunes it.
  struct Pending {
    std::int32_t node;
    double bound;
  };
  Pending stack[128];
  int depth = 0;
  auto search = [&](std::int32_t from) {
    stack[depth++] = {from, NodeBound(chooser, nodes_[from])};
    while (depth > 0) {
      // The more promising child is searched at once, the other kept for later.
      for (Pending top = stack[--depth];;) {
        const Node& node = nodes_[top.node];
        if (top.bound < target() || first_free_[top.node] == kNoneFree ||
            beaten(HighestFit(chooser, node.Club), first_free_[top.node]))
          break;
        if (node.Right < 0) {
          const Point* const leaf = points_.data() + spans_[top.node].Begin;
          for (std::uint32_t bits = free_bits_[top.node]; bits != 0; bits &= bits - 1) {
            const Point& q = leaf[std::countr_zero(bits)];
            if (q.Index != c) consider(q);
          }
          break;
        }
        const Pending left{top.node + 1, NodeBound(chooser, nodes_[top.node + 1])};
        const Pending right{node.Right, NodeBound(chooser, nodes_[node.Right])};
        // Of two equally promising groups the one holding the earlier free wrestler first:
        // where fits tie, that wrestler wins, and the other group may then be skipped.
        const bool left_first =
            left.bound > right.bound ||
            (left.bound == right.bound && first_free_[left.node] <= first_free_[right.node]);
        stack[depth++] = left_first ? right : left;
        top = left_first ? left : right;
      }
    }
  };
  // The chooser's own group first, where its closest partners most likely are, then the
  // other side of every group above it: the best fit is then in hand before most
  // bounds are computed, and the way down from the root costs none.
  const std::int32_t home = leaf_[slot_[c]];
  search(home);
  for (std::int32_t child = home, n = spans_[home].Parent; n >= 0;
       child = n, n = spans_[n].Parent) {
    search(child == n + 1 ? nodes_[n].Right : n + 1);
  }
  return partner;
}

template <typename Visit>
void FitIndex::ForEachPositiveFit(int k, Visit visit) const {
  const Point& home = points_[slot_[k]];
  auto consider = [&](const Point& q) {
    if (q.Index == k) return;
    const float fit =
        estimates_round_ ? FitFromEstimate(k, q.Index, Estimate(home, q)) : PairFit(k, q.Index);
    if (fit > 0) visit(q.Index, fit);
  };
  if (!bounded_) {
    for (const Point& q : points_) consider(q);
    return;
  }
  // A positive six-decimal fit is at least 0.000001, so its exact fit is above this.
  constexpr double kPositive = 4.0e-7;
  std::int32_t stack[128];
  int depth = 0;
  stack[depth++] = 0;
  while (depth > 0) {
    const std::int32_t id = stack[--depth];
    const Node& node = nodes_[id];
    if (NodeBound(home, node) < kPositive) continue;
    if (node.Right < 0) {
      for (int s = spans_[id].Begin; s < spans_[id].End; ++s) consider(points_[s]);
    } else {
      stack[depth++] = id + 1;
      stack[depth++] = node.Right;
    }
  }
}

}  // namespace kestrio::pairing
