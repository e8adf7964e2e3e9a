#include "pairing/fit_index.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <utility>

namespace kestrio::pairing {
namespace {

// The bits of a measure as a key that orders as the numbers do (-0 before 0).
std::uint64_t OrderKey(double value) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  return bits >> 63 ? ~bits : bits | std::uint64_t{1} << 63;
}

// Moves the items of [first, last) for which before(item) holds to the front, keeping
// no order; returns where the others start. Without branches: while a group is split,
// which way an item goes is as good as random, and a mispredicted branch costs more
// than the move.
template <typename Item, typename Before>
Item* PartitionBy(Item* first, Item* last, Before before) {
  Item* split = first;
  for (Item* i = first; i != last; ++i) {
    const Item item = *i;
    const bool goes_first = before(item);
    *i = *split;
    *split = item;
    split += goes_first;
  }
  return split;
}

// std::nth_element for items of which no two are equal under less, mostly without
// branches.
template <typename Item, typename Less>
void SelectNth(Item* first, Item* nth, Item* last, Less less) {
  // Pivots that keep splitting off few items hand over to the library's selection.
  for (int rounds = 2 * std::bit_width(static_cast<std::size_t>(last - first));
       last - first > 16 && rounds > 0; --rounds) {
    // The middle of three different items: the smallest of them goes in front of it and
    // it behind, so both parts are smaller than the whole.
    Item a = *first, b = first[(last - first) / 2], c = last[-1];
    if (less(b, a)) std::swap(a, b);
    if (less(c, b)) b = less(c, a) ? a : c;
    Item* split = PartitionBy(first, last, [&](const Item& item) { return less(item, b); });
    if (nth < split) {
      last = split;
    } else {
      first = split;
    }
  }
  std::nth_element(first, nth, last, less);
}

}  // namespace

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
    // Room for the nodes before the spans grow, as many as leaves of ten points make
    // (Bound makes room for more where the leaves came out smaller).
    nodes_.reserve(fits.size() / 5 + 1);
    Split(0, n, -1);
    Bound();
    first_free_.assign(nodes_.size(), kNoneFree);
    free_bits_.assign(nodes_.size(), 0);
  }
  for (int s = 0; s < n; ++s) slot_[points_[s].Index] = s;
}

void FitIndex::Split(int begin, int end, int parent) {
  const int id = static_cast<int>(spans_.size());
  spans_.push_back({begin, end, parent});
  Point* const first = points_.data() + begin;
  Point* const last = points_.data() + end;
  if (end - begin <= kLeafSize) {
    // A leaf keeps its points in selection order: its first free point is its lowest
    // free SelectionIndex.
    std::sort(first, last, [](const Point& a, const Point& b) { return a.Index < b.Index; });
    return;
  }
  double low[3] = {HUGE_VAL, HUGE_VAL, HUGE_VAL};
  double high[3] = {-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
  for (const Point* p = first; p != last; ++p) {
    const double v[3] = {p->Weight, p->Age, p->Rating};
    for (int d = 0; d < 3; ++d) {
      low[d] = std::min(low[d], v[d]);
      high[d] = std::max(high[d], v[d]);
    }
  }
  // Split the measure whose spread is widest in units of its tolerance.
  const double spread[3] = {(high[0] - low[0]) / high[0] * scale_[0],
                            (high[1] - low[1]) * scale_[1], (high[2] - low[2]) * scale_[2]};
  const int d = static_cast<int>(std::max_element(spread, spread + 3) - spread);
  double Point::*const measure = d == 0 ? &Point::Weight : d == 1 ? &Point::Age : &Point::Rating;
  // Halfway through the measure's range, where that leaves at least a quarter of the
  // points on either side: one pass, and the groups follow where the wrestlers lie.
  const std::uint64_t halfway = OrderKey(low[d] + (high[d] - low[d]) / 2);
  int middle = static_cast<int>(
      PartitionBy(first, last, [&](const Point& p) { return OrderKey(p.*measure) < halfway; }) -
      points_.data());
  if (std::min(middle - begin, end - middle) < (end - begin) / 4) {
    // Else at the median, where equal measures are split by club, so that club mates
    // share groups: a group of one club is bounded by the club factor for its members.
    auto tie = [](const Point& p) {
      return std::uint64_t{static_cast<std::uint32_t>(p.ClubId)} << 32 |
             static_cast<std::uint32_t>(p.Index);
    };
    middle = begin + (end - begin) / 2;
    SelectNth(first, points_.data() + middle, last, [&](const Point& a, const Point& b) {
      const std::uint64_t ka = OrderKey(a.*measure), kb = OrderKey(b.*measure);
      return (ka < kb) | ((ka == kb) & (tie(a) < tie(b)));
    });
  }
  Split(begin, middle, id);  // id + 1
  Split(middle, end, id);
}

void FitIndex::Bound() {
  // Children come after their parents: from the last node back, a group's halves are
  // done before it.
  nodes_.assign(spans_.size(), {{0, 0, 0}, {0, 0, 0}, 0, -1, kMixedClubs});
  for (int id = static_cast<int>(spans_.size()) - 1; id >= 0; --id) {
    const Span& span = spans_[id];
    Node& node = nodes_[id];
    if (span.End - span.Begin <= kLeafSize) {
      std::fill_n(node.Low, 3, HUGE_VAL);
      std::fill_n(node.High, 3, -HUGE_VAL);
      const std::int32_t club = points_[span.Begin].ClubId;
      bool one_club = true;
      for (int s = span.Begin; s < span.End; ++s) {
        const Point& p = points_[s];
        const double v[3] = {p.Weight, p.Age, p.Rating};
        for (int d = 0; d < 3; ++d) {
          node.Low[d] = std::min(node.Low[d], v[d]);
          node.High[d] = std::max(node.High[d], v[d]);
        }
        one_club = one_club && p.ClubId == club;
        leaf_[s] = id;
      }
      node.Club = one_club ? club : kMixedClubs;
    } else {
      const Node& left = nodes_[id + 1];
      const Node& right = nodes_[node.Right];
      for (int d = 0; d < 3; ++d) {
        node.Low[d] = std::min(left.Low[d], right.Low[d]);
        node.High[d] = std::max(left.High[d], right.High[d]);
      }
      // Of one club when both halves are of that club.
      node.Club = left.Club == right.Club ? left.Club : kMixedClubs;
    }
    node.InverseLowWeight = 1.0 / node.Low[0];
    if (span.Parent >= 0 && id != span.Parent + 1) nodes_[span.Parent].Right = id;
  }
}

void FitIndex::Take(int a) {
  const int s = slot_[a];
  if (!free_[s]) return;
  free_[s] = 0;
  if (!bounded_) return;
  // Only the groups whose lowest free wrestler was a change, and they are a's leaf and
  // the ancestors up to the first that had an earlier one.
  const int leaf = leaf_[s];
  free_bits_[leaf] &= ~(std::uint32_t{1} << (s - spans_[leaf].Begin));
  if (first_free_[leaf] != a) return;
  first_free_[leaf] = LeafFirstFree(leaf);
  for (int n = spans_[leaf].Parent; n >= 0 && first_free_[n] == a; n = spans_[n].Parent) {
    first_free_[n] = std::min(first_free_[n + 1], first_free_[nodes_[n].Right]);
  }
}

}  // namespace kestrio::pairing
