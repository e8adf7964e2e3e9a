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

}  // namespace

// The historical exchange sort leaves the keys in order; inside a class of equal keys,
// read the starting order restricted to the class and the entries with smaller keys
// ("lower" entries): every lower entry after the class's first member rotates the
// members seen so far left by one. The unchanged entries (R) stand sorted, so the lower
// entries among them are a prefix of R and all come before R's members of the class;
// only changed entries (C) can come after a class's first member.
void ResortAfterKeyChanges(roster::Roster& roster, const std::vector<int>& changed) {
  const std::size_t n = roster.DisplayOrder.size();
  const KeyOrder order(roster);
  std::vector<char> is_changed(roster.Entries.size(), 0);
  for (int e : changed) is_changed[static_cast<std::size_t>(e)] = 1;
  std::vector<std::size_t> r_pos, c_pos;
  r_pos.reserve(n);
  for (std::size_t pos = 0; pos < n; ++pos) {
    (is_changed[static_cast<std::size_t>(roster.DisplayOrder[pos])] ? c_pos : r_pos).push_back(pos);
  }
  std::sort(c_pos.begin(), c_pos.end(), [&](std::size_t a, std::size_t b) {
    const int c = order(a, b);
    return c != 0 ? c < 0 : a < b;
  });

  // Lower entries strictly between two positions: R's lower prefix, then lower changed.
  const auto lower_between = [&](std::size_t r_lower, std::size_t c_lower, std::size_t a,
                                 std::size_t b) {
    const auto first = r_pos.begin();
    const auto last = first + static_cast<std::ptrdiff_t>(r_lower);
    std::size_t count = static_cast<std::size_t>(std::lower_bound(first, last, b) -
                                                 std::upper_bound(first, last, a));
    for (std::size_t i = 0; i < c_lower; ++i) count += c_pos[i] > a && c_pos[i] < b;
    return count;
  };

  std::vector<std::int32_t> sorted;
  sorted.reserve(n);
  std::vector<std::size_t> members, ring;
  std::size_t ri = 0, ci = 0;
  std::size_t latest_lower_change = 0;  // 1 + the largest position of a lower changed entry
  while (ri < r_pos.size() || ci < c_pos.size()) {
    // Unchanged entries placed after every lower changed entry, with keys below the next
    // changed one: nothing can rotate their classes, so they go out as they stand.
    if (ri < r_pos.size() && latest_lower_change <= r_pos[ri]) {
      std::size_t end = r_pos.size();
      if (ci < c_pos.size()) {
        const std::size_t head = c_pos[ci];
        end = static_cast<std::size_t>(
            std::partition_point(r_pos.begin() + static_cast<std::ptrdiff_t>(ri), r_pos.end(),
                                 [&](std::size_t pos) { return order(pos, head) < 0; }) -
            r_pos.begin());
      }
      for (; ri < end; ++ri) sorted.push_back(roster.DisplayOrder[r_pos[ri]]);
      if (ri == r_pos.size() && ci == c_pos.size()) break;
    }
    // The next class: the smaller key at the heads of R and C.
    std::size_t lead;
    if (ci == c_pos.size())
      lead = r_pos[ri];
    else if (ri == r_pos.size())
      lead = c_pos[ci];
    else
      lead = order(r_pos[ri], c_pos[ci]) <= 0 ? r_pos[ri] : c_pos[ci];
    const std::size_t r_start = ri, c_start = ci;
    while (ri < r_pos.size() && order(r_pos[ri], lead) == 0) ++ri;
    while (ci < c_pos.size() && order(c_pos[ci], lead) == 0) ++ci;

    members.clear();
    std::merge(r_pos.begin() + static_cast<std::ptrdiff_t>(r_start),
               r_pos.begin() + static_cast<std::ptrdiff_t>(ri),
               c_pos.begin() + static_cast<std::ptrdiff_t>(c_start),
               c_pos.begin() + static_cast<std::ptrdiff_t>(ci), std::back_inserter(members));
    const bool quiet = latest_lower_change <= members.front() &&
                       (r_start == 0 || r_pos[r_start - 1] < members.front());
    if (members.size() == 1 || quiet) {
      // No lower entry after the first member: the members keep their order.
      for (std::size_t pos : members) sorted.push_back(roster.DisplayOrder[pos]);
    } else {
      ring.clear();
      for (std::size_t j = 0; j < members.size(); ++j) {
        ring.push_back(members[j]);
        const std::size_t end = j + 1 < members.size() ? members[j + 1] : n;
        const std::size_t shift = lower_between(r_start, c_start, members[j], end) % ring.size();
        std::rotate(ring.begin(), ring.begin() + static_cast<std::ptrdiff_t>(shift), ring.end());
      }
      for (std::size_t pos : ring) sorted.push_back(roster.DisplayOrder[pos]);
    }
    for (std::size_t i = c_start; i < ci; ++i)
      latest_lower_change = std::max(latest_lower_change, c_pos[i] + 1);
  }
  roster.DisplayOrder = std::move(sorted);
}

}  // namespace kestrio::ui
