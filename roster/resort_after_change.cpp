#include "roster/resort_after_change.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "roster/sort_display_order.h"
#include "roster/sort_key.h"

namespace kestrio::roster {
namespace {

// Moves the items at [first, last) of v by shift places (later when positive).
template <typename T>
void Shift(std::vector<T>& v, std::size_t first, std::size_t last, std::ptrdiff_t shift) {
  if (first >= last || shift == 0) return;
  std::memmove(v.data() + static_cast<std::ptrdiff_t>(first) + shift, v.data() + first,
               (last - first) * sizeof(T));
}

// The first position in [first, last) where pred is false; pred must be true before it
// and false from it on.
template <typename Pred>
std::size_t FirstFailing(std::size_t first, std::size_t last, Pred pred) {
  while (first < last) {
    const std::size_t mid = first + (last - first) / 2;
    if (pred(mid)) {
      first = mid + 1;
    } else {
      last = mid;
    }
  }
  return first;
}

}  // namespace

ResortAfterChange::ResortAfterChange(Roster& roster) : roster_(roster) {
  column_ = roster.SortColumn;
  const int column = std::abs(column_);
  in_range_ = column >= 1 && column <= kSortKeyColumns;
  if (!in_range_) return;
  is_changing_.assign(roster.Entries.size(), 0);
  // An order that does not cover the entries exactly is sorted afresh by the first change.
  sorted_ = roster.DisplayOrder.size() == roster.Entries.size();
  if (sorted_) RefreshAll();
}

int ResortAfterChange::Compare(const Participant& a, const Participant& b) const {
  const int c = CompareSortKeys(std::abs(column_), a, b);
  return column_ < 0 ? -c : c;
}

const Participant& ResortAfterChange::At(std::size_t pos) const {
  return roster_.Entries[static_cast<std::size_t>(roster_.DisplayOrder[pos])];
}

void ResortAfterChange::Refresh(std::ptrdiff_t pos) {
  const auto n = static_cast<std::ptrdiff_t>(equal_next_.size());
  if (pos < 0 || pos >= n) return;
  const auto p = static_cast<std::size_t>(pos);
  equal_next_[p] = pos + 1 < n && Compare(At(p), At(p + 1)) == 0;
}

void ResortAfterChange::RefreshAll() {
  const std::size_t n = roster_.DisplayOrder.size();
  equal_next_.assign(n, 0);
  for (std::size_t pos = 0; pos + 1 < n; ++pos) {
    const int c = Compare(At(pos), At(pos + 1));
    if (c > 0) {
      sorted_ = false;
      return;
    }
    equal_next_[pos] = c == 0;
  }
}

void ResortAfterChange::BeforeChange(const std::vector<int>& entries) {
  changing_ = entries;
  positions_.clear();
  in_full_ = false;
  if (!in_range_ || !sorted_ || entries.empty()) return;
  old_key_ = roster_.Entries[static_cast<std::size_t>(entries.front())];
  for (int e : entries) {
    if (Compare(roster_.Entries[static_cast<std::size_t>(e)], old_key_) != 0) {
      in_full_ = true;
      return;
    }
  }
  const std::size_t n = roster_.DisplayOrder.size();
  class_begin_ =
      FirstFailing(0, n, [&](std::size_t pos) { return Compare(At(pos), old_key_) < 0; });
  class_end_ = FirstFailing(class_begin_, n,
                            [&](std::size_t pos) { return Compare(At(pos), old_key_) == 0; });
  for (int e : entries) is_changing_[static_cast<std::size_t>(e)] = 1;
  for (std::size_t pos = class_begin_; pos < class_end_; ++pos) {
    if (is_changing_[static_cast<std::size_t>(roster_.DisplayOrder[pos])])
      positions_.push_back(pos);
  }
  for (int e : entries) is_changing_[static_cast<std::size_t>(e)] = 0;
  in_full_ = positions_.size() != entries.size();
}

void ResortAfterChange::AfterChange() {
  if (!in_range_) return;
  if (!sorted_) {
    SortDisplayOrder(roster_);
    sorted_ = true;
    RefreshAll();
    return;
  }
  if (changing_.empty()) return;
  const Participant& now = roster_.Entries[static_cast<std::size_t>(changing_.front())];
  for (int e : changing_) {
    if (Compare(roster_.Entries[static_cast<std::size_t>(e)], now) != 0) in_full_ = true;
  }
  if (in_full_) {
    SortChangedInFull();
  } else if (const int c = Compare(now, old_key_); c > 0) {
    MoveLater();
  } else if (c < 0) {
    MoveEarlier();
  }
  changing_.clear();
}

void ResortAfterChange::SortChangedInFull() {
  SortDisplayOrderAfterChanges(roster_, changing_);
  RefreshAll();
}

// The changed entries go before the entries of their new key; the entries they passed
// keep their order. Among themselves they turn as the exchange sort turns a class: after
// the first A of them, a run of b smaller entries rotates those A left by b.
void ResortAfterChange::MoveLater() {
  std::vector<std::int32_t>& order = roster_.DisplayOrder;
  const std::vector<std::size_t>& p = positions_;
  const std::size_t s = p.size();
  const Participant& now = roster_.Entries[static_cast<std::size_t>(changing_.front())];
  const std::size_t q = FirstFailing(class_end_, order.size(),
                                     [&](std::size_t pos) { return Compare(At(pos), now) < 0; });
  std::vector<std::int32_t> ring;
  ring.reserve(s);
  for (std::size_t i = 0; i < s; ++i) {
    ring.push_back(order[p[i]]);
    const std::size_t next = i + 1 < s ? p[i + 1] : q;
    const std::size_t r = (next - p[i] - 1) % ring.size();
    std::rotate(ring.begin(), ring.begin() + static_cast<std::ptrdiff_t>(r), ring.end());
  }
  for (std::size_t i = 0; i < s; ++i) {
    const std::size_t last = i + 1 < s ? p[i + 1] : q;
    const auto shift = -static_cast<std::ptrdiff_t>(i + 1);
    Shift(order, p[i] + 1, last, shift);
    Shift(equal_next_, p[i] + 1, last, shift);
  }
  std::copy(ring.begin(), ring.end(), order.begin() + static_cast<std::ptrdiff_t>(q - s));
  std::fill(equal_next_.begin() + static_cast<std::ptrdiff_t>(q - s),
            equal_next_.begin() + static_cast<std::ptrdiff_t>(q - 1), 1);
  const auto begin = static_cast<std::ptrdiff_t>(class_begin_);
  const auto rest_end = static_cast<std::ptrdiff_t>(class_end_ - s);
  if (rest_end - 1 > begin) {
    std::fill(equal_next_.begin() + begin, equal_next_.begin() + rest_end - 1, 1);
  }
  const auto qs = static_cast<std::ptrdiff_t>(q - s);
  for (std::ptrdiff_t pos : {begin - 1, rest_end - 1, qs - 1, static_cast<std::ptrdiff_t>(q) - 1}) {
    Refresh(pos);
  }
}

// The changed entries go after the entries of their new key, in the order they stood.
// Every class of equal keys they pass turns left by their number; their old class turns
// as the runs of them among its members say.
void ResortAfterChange::MoveEarlier() {
  std::vector<std::int32_t>& order = roster_.DisplayOrder;
  const std::vector<std::size_t>& p = positions_;
  const std::size_t s = p.size();
  const Participant& now = roster_.Entries[static_cast<std::size_t>(changing_.front())];
  const std::size_t first =
      FirstFailing(0, class_begin_, [&](std::size_t pos) { return Compare(At(pos), now) <= 0; });
  std::vector<std::int32_t> moved;
  moved.reserve(s);
  for (std::size_t pos : p) moved.push_back(order[pos]);
  for (std::size_t i = s; i-- > 0;) {
    const std::size_t from = i > 0 ? p[i - 1] + 1 : first;
    const auto shift = static_cast<std::ptrdiff_t>(s - i);
    Shift(order, from, p[i], shift);
    Shift(equal_next_, from, p[i], shift);
  }
  std::copy(moved.begin(), moved.end(), order.begin() + static_cast<std::ptrdiff_t>(first));
  // The classes passed, now at [first + s, class_begin_ + s): most hold one entry and
  // are skipped by looking for the next "equal to the next" mark.
  const std::size_t passed_end = class_begin_ + s;
  for (std::size_t pos = first + s; pos < passed_end;) {
    const void* hit = std::memchr(equal_next_.data() + pos, 1, passed_end - pos);
    if (hit == nullptr) break;
    const std::size_t a =
        static_cast<std::size_t>(static_cast<const std::uint8_t*>(hit) - equal_next_.data());
    std::size_t b = a;
    while (b + 1 < passed_end && equal_next_[b]) ++b;
    const std::size_t r = s % (b - a + 1);
    std::rotate(order.begin() + static_cast<std::ptrdiff_t>(a),
                order.begin() + static_cast<std::ptrdiff_t>(a + r),
                order.begin() + static_cast<std::ptrdiff_t>(b + 1));
    pos = b + 1;
  }
  // The old class: after its first j members, a run of b changed entries rotates those j.
  const auto base = order.begin() + static_cast<std::ptrdiff_t>(passed_end);
  for (std::size_t i = 0; i < s;) {
    std::size_t k = i;
    while (k + 1 < s && p[k + 1] == p[k] + 1) ++k;
    const std::size_t j = p[i] - class_begin_ - i;
    if (j > 0) {
      const std::size_t r = (k - i + 1) % j;
      std::rotate(base, base + static_cast<std::ptrdiff_t>(r),
                  base + static_cast<std::ptrdiff_t>(j));
    }
    i = k + 1;
  }
  const auto f = static_cast<std::ptrdiff_t>(first);
  const auto si = static_cast<std::ptrdiff_t>(s);
  std::fill(equal_next_.begin() + f, equal_next_.begin() + f + si - 1, 1);
  const auto rest = static_cast<std::ptrdiff_t>(passed_end);
  const auto end = static_cast<std::ptrdiff_t>(class_end_);
  if (end - 1 > rest) std::fill(equal_next_.begin() + rest, equal_next_.begin() + end - 1, 1);
  for (std::ptrdiff_t pos : {f - 1, f + si - 1, rest - 1, end - 1}) Refresh(pos);
}

}  // namespace kestrio::roster
