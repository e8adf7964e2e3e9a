#include "ui/resort.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace kestrio::ui {

namespace {

class KeyOrder {
 public:
  explicit KeyOrder(const roster::Roster& roster)
      : roster_(roster),
        cell_(static_cast<std::size_t>(std::abs(roster.SortColumn) - 1)),
        descending_(roster.SortColumn < 0) {}

  // Three-way comparison, in the sort's direction, of the entries at two positions.
  int operator()(std::size_t a, std::size_t b) const {
    const int c = std::memcmp(Key(a), Key(b), roster::kSortKeyWidth);
    return descending_ ? -c : c;
  }

 private:
  const char* Key(std::size_t pos) const {
    return roster_.Entries[static_cast<std::size_t>(roster_.DisplayOrder[pos])]
        .SortKeys[cell_]
        .data();
  }
  const roster::Roster& roster_;
  std::size_t cell_;
  bool descending_;
};

// The historical exchange sort leaves the keys in order; inside a class of equal keys,
// read the starting order restricted to the class and the entries with smaller keys
// ("lower" entries): every lower entry after the class's first member rotates the
// members seen so far left by one. The unchanged entries (R) stand sorted, so the lower
// entries among them are a prefix of R and all come before R's members of the class;
// only changed entries (C) can come after a class's first member.
class Resorter {
 public:
  Resorter(const roster::Roster& roster, const std::vector<int>& changed)
      : roster_(roster), order_(roster) {
    const std::size_t n = roster.DisplayOrder.size();
    std::vector<char> is_changed(roster.Entries.size(), 0);
    for (int e : changed) is_changed[static_cast<std::size_t>(e)] = 1;
    r_pos_.reserve(n);
    for (std::size_t pos = 0; pos < n; ++pos) {
      const auto entry = static_cast<std::size_t>(roster.DisplayOrder[pos]);
      (is_changed[entry] ? c_pos_ : r_pos_).push_back(pos);
    }
    std::sort(c_pos_.begin(), c_pos_.end(), [&](std::size_t a, std::size_t b) {
      const int c = order_(a, b);
      return c != 0 ? c < 0 : a < b;
    });
    sorted_.reserve(n);
  }

  std::vector<std::int32_t> Run() {
    while (ri_ < r_pos_.size() || ci_ < c_pos_.size()) {
      EmitUndisturbed();
      if (ri_ < r_pos_.size() || ci_ < c_pos_.size()) EmitNextClass();
    }
    return std::move(sorted_);
  }

 private:
  // Unchanged entries placed after every lower changed entry, with keys below the next
  // changed one: nothing can rotate their classes, so they go out as they stand.
  void EmitUndisturbed() {
    if (ri_ == r_pos_.size() || latest_lower_change_ > r_pos_[ri_]) return;
    auto end = r_pos_.end();
    if (ci_ < c_pos_.size()) {
      const std::size_t head = c_pos_[ci_];
      end = std::partition_point(r_pos_.begin() + static_cast<std::ptrdiff_t>(ri_), r_pos_.end(),
                                 [&](std::size_t pos) { return order_(pos, head) < 0; });
    }
    for (; r_pos_.begin() + static_cast<std::ptrdiff_t>(ri_) != end; ++ri_) Emit(r_pos_[ri_]);
  }

  // The class of the smaller key at the heads of R and C.
  void EmitNextClass() {
    std::size_t lead;
    if (ci_ == c_pos_.size()) {
      lead = r_pos_[ri_];
    } else if (ri_ == r_pos_.size()) {
      lead = c_pos_[ci_];
    } else {
      lead = order_(r_pos_[ri_], c_pos_[ci_]) <= 0 ? r_pos_[ri_] : c_pos_[ci_];
    }
    const std::size_t r_start = ri_, c_start = ci_;
    while (ri_ < r_pos_.size() && order_(r_pos_[ri_], lead) == 0) ++ri_;
    while (ci_ < c_pos_.size() && order_(c_pos_[ci_], lead) == 0) ++ci_;

    members_.clear();
    std::merge(r_pos_.begin() + static_cast<std::ptrdiff_t>(r_start),
               r_pos_.begin() + static_cast<std::ptrdiff_t>(ri_),
               c_pos_.begin() + static_cast<std::ptrdiff_t>(c_start),
               c_pos_.begin() + static_cast<std::ptrdiff_t>(ci_), std::back_inserter(members_));
    const bool quiet = latest_lower_change_ <= members_.front() &&
                       (r_start == 0 || r_pos_[r_start - 1] < members_.front());
    if (members_.size() == 1 || quiet) {
      for (std::size_t pos : members_) Emit(pos);
    } else {
      EmitRotated(r_start, c_start);
    }
    for (std::size_t i = c_start; i < ci_; ++i) {
      latest_lower_change_ = std::max(latest_lower_change_, c_pos_[i] + 1);
    }
  }

  // The members in the order the lower entries between and after them leave them.
  void EmitRotated(std::size_t r_lower, std::size_t c_lower) {
    ring_.clear();
    const std::size_t n = roster_.DisplayOrder.size();
    for (std::size_t j = 0; j < members_.size(); ++j) {
      ring_.push_back(members_[j]);
      const std::size_t end = j + 1 < members_.size() ? members_[j + 1] : n;
      const std::size_t shift = LowerBetween(r_lower, c_lower, members_[j], end) % ring_.size();
      std::rotate(ring_.begin(), ring_.begin() + static_cast<std::ptrdiff_t>(shift), ring_.end());
    }
    for (std::size_t pos : ring_) Emit(pos);
  }

  // Lower entries strictly between positions a and b: the first r_lower entries of R
  // and the first c_lower entries of C.
  std::size_t LowerBetween(std::size_t r_lower, std::size_t c_lower, std::size_t a,
                           std::size_t b) const {
    const auto first = r_pos_.begin();
    const auto last = first + static_cast<std::ptrdiff_t>(r_lower);
    auto count = static_cast<std::size_t>(std::lower_bound(first, last, b) -
                                          std::upper_bound(first, last, a));
    for (std::size_t i = 0; i < c_lower; ++i) count += c_pos_[i] > a && c_pos_[i] < b;
    return count;
  }

  void Emit(std::size_t pos) { sorted_.push_back(roster_.DisplayOrder[pos]); }

  const roster::Roster& roster_;
  const KeyOrder order_;
  std::vector<std::size_t> r_pos_;  // positions of the unchanged entries, ascending
  std::vector<std::size_t> c_pos_;  // positions of the changed entries, by key
  std::size_t ri_ = 0;
  std::size_t ci_ = 0;
  // 1 + the largest position of a changed entry whose class has been emitted.
  std::size_t latest_lower_change_ = 0;
  std::vector<std::size_t> members_;
  std::vector<std::size_t> ring_;
  std::vector<std::int32_t> sorted_;
};

}  // namespace

void ResortAfterKeyChanges(roster::Roster& roster, const std::vector<int>& changed) {
  roster.DisplayOrder = Resorter(roster, changed).Run();
}

}  // namespace kestrio::ui
