#include "base/exchange_order.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <memory>
#include <numeric>

namespace kestrio {
namespace {

// Counts marked positions in a prefix; positions are 0-based.
class FenwickTree {
 public:
  explicit FenwickTree(std::size_t n) : tree_(n + 1, 0) {}

  void Mark(std::size_t position) {
    for (std::size_t i = position + 1; i < tree_.size(); i += i & (~i + 1)) ++tree_[i];
  }

  // Marked positions in [0, end).
  int CountBefore(std::size_t end) const {
    int sum = 0;
    for (std::size_t i = end; i > 0; i -= i & (~i + 1)) sum += tree_[i];
    return sum;
  }

 private:
  std::vector<int> tree_;
};

// A circular doubly linked list over the members of one class of equal items, with a
// moving head: rotating by r costs min(r, size - r) steps and appending costs one.
class RotatingRing {
 public:
  explicit RotatingRing(std::size_t capacity) : next_(capacity), prev_(capacity) {}

  void Reset() { size_ = 0; }

  // Appends slot (0 .. capacity-1, each used once per class) at the end.
  void Append(std::size_t slot) {
    if (size_ == 0) {
      head_ = next_[slot] = prev_[slot] = slot;
    } else {
      const std::size_t tail = prev_[head_];
      next_[tail] = slot;
      prev_[slot] = tail;
      next_[slot] = head_;
      prev_[head_] = slot;
    }
    ++size_;
  }

  // The element at position k becomes the first, for k = shift mod size.
  void RotateLeft(std::size_t shift) {
    const std::size_t r = shift % size_;
    if (r <= size_ - r) {
      for (std::size_t i = 0; i < r; ++i) head_ = next_[head_];
    } else {
      for (std::size_t i = 0; i < size_ - r; ++i) head_ = prev_[head_];
    }
  }

  template <typename Visit>
  void ForEach(Visit visit) const {
    std::size_t slot = head_;
    for (std::size_t i = 0; i < size_; ++i, slot = next_[slot]) visit(slot);
  }

 private:
  std::vector<std::size_t> next_;
  std::vector<std::size_t> prev_;
  std::size_t head_ = 0;
  std::size_t size_ = 0;
};

// Merges the unchanged items (R, standing in order) with the changed ones (C, sorted by
// key then position) into the exchange order. The unchanged items keep their relative
// order, so the smaller items among them are a prefix of R that all come before R's
// members of a class; only changed items can come after a class's first member and
// rotate it.
class ChangeMerger {
 public:
  ChangeMerger(const std::vector<bool>& changed, PositionCompare compare)
      : compare_(compare), n_(changed.size()) {
    r_pos_.reserve(n_);
    for (std::size_t pos = 0; pos < n_; ++pos) (changed[pos] ? c_pos_ : r_pos_).push_back(pos);
    std::stable_sort(c_pos_.begin(), c_pos_.end(),
                     [&](std::size_t a, std::size_t b) { return compare_(a, b) < 0; });
    sorted_.reserve(n_);
  }

  std::vector<std::size_t> Run() {
    while (ri_ < r_pos_.size() || ci_ < c_pos_.size()) {
      EmitUndisturbed();
      if (ri_ < r_pos_.size() || ci_ < c_pos_.size()) EmitNextClass();
    }
    return std::move(sorted_);
  }

 private:
  // Unchanged items placed after every smaller changed item, with keys below the next
  // changed one: nothing can rotate their classes, so they go out as they stand.
  void EmitUndisturbed() {
    if (ri_ == r_pos_.size() || latest_lower_change_ > r_pos_[ri_]) return;
    auto end = r_pos_.end();
    if (ci_ < c_pos_.size()) {
      const std::size_t head = c_pos_[ci_];
      end = std::partition_point(r_pos_.begin() + static_cast<std::ptrdiff_t>(ri_), r_pos_.end(),
                                 [&](std::size_t pos) { return compare_(pos, head) < 0; });
    }
    for (; r_pos_.begin() + static_cast<std::ptrdiff_t>(ri_) != end; ++ri_) {
      sorted_.push_back(r_pos_[ri_]);
    }
  }

  // The class of the smaller key at the heads of R and C.
  void EmitNextClass() {
    std::size_t lead;
    if (ci_ == c_pos_.size()) {
      lead = r_pos_[ri_];
    } else if (ri_ == r_pos_.size()) {
      lead = c_pos_[ci_];
    } else {
      lead = compare_(r_pos_[ri_], c_pos_[ci_]) <= 0 ? r_pos_[ri_] : c_pos_[ci_];
    }
    const std::size_t r_start = ri_, c_start = ci_;
    while (ri_ < r_pos_.size() && compare_(r_pos_[ri_], lead) == 0) ++ri_;
    while (ci_ < c_pos_.size() && compare_(c_pos_[ci_], lead) == 0) ++ci_;

    members_.clear();
    std::merge(r_pos_.begin() + static_cast<std::ptrdiff_t>(r_start),
               r_pos_.begin() + static_cast<std::ptrdiff_t>(ri_),
               c_pos_.begin() + static_cast<std::ptrdiff_t>(c_start),
               c_pos_.begin() + static_cast<std::ptrdiff_t>(ci_), std::back_inserter(members_));
    const bool quiet = latest_lower_change_ <= members_.front() &&
                       (r_start == 0 || r_pos_[r_start - 1] < members_.front());
    if (members_.size() == 1 || quiet) {
      sorted_.insert(sorted_.end(), members_.begin(), members_.end());
    } else {
      EmitRotated(r_start, c_start);
    }
    for (std::size_t i = c_start; i < ci_; ++i) {
      latest_lower_change_ = std::max(latest_lower_change_, c_pos_[i] + 1);
    }
  }

  // The members in the order the smaller items between and after them leave them.
  void EmitRotated(std::size_t r_lower, std::size_t c_lower) {
    ring_.clear();
    for (std::size_t j = 0; j < members_.size(); ++j) {
      ring_.push_back(members_[j]);
      const std::size_t end = j + 1 < members_.size() ? members_[j + 1] : n_;
      const std::size_t shift = LowerBetween(r_lower, c_lower, members_[j], end) % ring_.size();
      std::rotate(ring_.begin(), ring_.begin() + static_cast<std::ptrdiff_t>(shift), ring_.end());
    }
    sorted_.insert(sorted_.end(), ring_.begin(), ring_.end());
  }

  // Smaller items strictly between positions a and b: the first r_lower items of R and
  // the first c_lower items of C.
  std::size_t LowerBetween(std::size_t r_lower, std::size_t c_lower, std::size_t a,
                           std::size_t b) const {
    const auto first = r_pos_.begin();
    const auto last = first + static_cast<std::ptrdiff_t>(r_lower);
    auto count = static_cast<std::size_t>(std::lower_bound(first, last, b) -
                                          std::upper_bound(first, last, a));
    for (std::size_t i = 0; i < c_lower; ++i) count += c_pos_[i] > a && c_pos_[i] < b;
    return count;
  }

  const PositionCompare compare_;
  const std::size_t n_;
  std::vector<std::size_t> r_pos_;  // positions of the unchanged items, ascending
  std::vector<std::size_t> c_pos_;  // positions of the changed items, by key
  std::size_t ri_ = 0;
  std::size_t ci_ = 0;
  // 1 + the largest position of a changed item whose class has been emitted.
  std::size_t latest_lower_change_ = 0;
  std::vector<std::size_t> members_;
  std::vector<std::size_t> ring_;
  std::vector<std::size_t> sorted_;
};

}  // namespace

namespace exchange_order_internal {

struct TieReplay::Rings {
  explicit Rings(std::size_t n) : lower(n), ring(n) {}
  FenwickTree lower;
  RotatingRing ring;
};

TieReplay::TieReplay(std::size_t n) : n_(n), rings_(std::make_unique<Rings>(n)) {}

TieReplay::~TieReplay() = default;

// The exchange sort's result is the items in order; only the order inside a class of
// equal items needs care. In pass i the exchange sort moves only the left-to-right strict
// minima of the remaining items, so within the class of key v nothing but the items with
// smaller keys ("lower" items) matters. Reading the starting order restricted to the
// class and its lower items, lower items ahead of the class's first member have no
// effect; after that, each run of b lower items that follows the class's first A members
// rotates those A members left by b. Replaying those rotations on a ring gives the
// class's final order.
void TieReplay::AddClass(const std::size_t* members, std::size_t count,
                         std::vector<std::size_t>& out) {
  FenwickTree& lower = rings_->lower;
  RotatingRing& ring = rings_->ring;
  if (count == 1) {
    out.push_back(members[0]);
  } else {
    ring.Reset();
    for (std::size_t m = 0; m < count; ++m) {
      ring.Append(m);
      const std::size_t run_end = m + 1 < count ? members[m + 1] : n_;
      const int run = lower.CountBefore(run_end) - lower.CountBefore(members[m] + 1);
      if (run > 0) ring.RotateLeft(static_cast<std::size_t>(run));
    }
    ring.ForEach([&](std::size_t m) { out.push_back(members[m]); });
  }
  for (std::size_t m = 0; m < count; ++m) lower.Mark(members[m]);
}

}  // namespace exchange_order_internal

std::vector<std::size_t> ExchangeOrderAfterChanges(const std::vector<bool>& changed,
                                                   PositionCompare compare) {
  return ChangeMerger(changed, compare).Run();
}

bool InExchangeOrder(std::size_t n, PositionCompare compare) {
  for (std::size_t k = 1; k < n; ++k) {
    if (compare(k - 1, k) > 0) return false;
  }
  return true;
}

}  // namespace kestrio
