#include "ui/roster_change.h"

#include <algorithm>

#include "roster/sort_display_order.h"

namespace kestrio::ui {
namespace {

bool SameButStatus(const roster::Participant& a, const roster::Participant& b) {
  return a.FirstName == b.FirstName && a.LastName == b.LastName && a.Age == b.Age &&
         a.Weight == b.Weight && a.Rating == b.Rating && a.Club == b.Club &&
         a.AgeYears == b.AgeYears && a.WeightClass == b.WeightClass;
}

bool SameEntry(const roster::Participant& a, const roster::Participant& b) {
  return SameButStatus(a, b) && a.Status == b.Status;
}

// Puts `with` in place of the stretch `was` at `from` when the order still holds it;
// otherwise the list was sorted since, and the order is made afresh in the list's order.
void ReplaceStretch(roster::Roster& roster, std::size_t from, std::size_t size_now,
                    const std::vector<std::int32_t>& was, const std::vector<std::int32_t>& with,
                    int sort_column_then, int sort_column_wanted) {
  std::vector<std::int32_t>& order = roster.DisplayOrder;
  const bool holds =
      order.size() == size_now && roster.SortColumn == sort_column_then &&
      from + was.size() <= order.size() &&
      std::equal(was.begin(), was.end(), order.begin() + static_cast<std::ptrdiff_t>(from));
  if (holds) {
    order.erase(order.begin() + static_cast<std::ptrdiff_t>(from),
                order.begin() + static_cast<std::ptrdiff_t>(from + was.size()));
    order.insert(order.begin() + static_cast<std::ptrdiff_t>(from), with.begin(), with.end());
    roster.SortColumn = sort_column_wanted;
    if (order.size() == roster.Entries.size()) return;
  }
  roster::ResetDisplayOrder(roster);
  roster::SortDisplayOrder(roster);
}

}  // namespace

RosterSnapshot TakeSnapshot(const roster::Roster& roster) {
  return {roster.Entries, roster.DisplayOrder, roster.SortColumn, roster.KeyCount};
}

std::uint16_t RosterChange::StatusNumber(const text::FixedText<15>& status) {
  const auto it = std::find(statuses_.begin(), statuses_.end(), status);
  if (it != statuses_.end()) return static_cast<std::uint16_t>(it - statuses_.begin());
  statuses_.push_back(status);
  return static_cast<std::uint16_t>(statuses_.size() - 1);
}

RosterChange RosterChange::Between(const RosterSnapshot& before, const roster::Roster& after) {
  RosterChange c;
  const std::size_t n = before.entries.size();
  const std::size_t m = after.Entries.size();
  if (m >= n) {
    // Edits in place, then entries appended (Open, Add).
    for (std::size_t i = 0; i < n; ++i) {
      const roster::Participant& now = after.Entries[i];
      const roster::Participant& was = before.entries[i];
      if (SameEntry(now, was)) continue;
      // Statuses go by number; past 65,535 distinct ones (never in practice) an entry
      // is kept whole.
      if (SameButStatus(now, was) && c.statuses_.size() < 65534) {
        c.status_edits_.push_back(
            {static_cast<std::int32_t>(i), c.StatusNumber(was.Status), c.StatusNumber(now.Status)});
      } else {
        c.field_edits_.push_back({static_cast<std::int32_t>(i), was, now});
      }
    }
    c.appended_.assign(after.Entries.begin() + static_cast<std::ptrdiff_t>(n), after.Entries.end());
  } else {
    // Entries removed, the others kept in their order (Empty Trash, Clear All).
    std::size_t j = 0;
    for (std::size_t i = 0; i < n; ++i) {
      if (j < m && SameEntry(after.Entries[j], before.entries[i])) {
        ++j;
      } else {
        c.removed_.emplace_back(static_cast<std::int32_t>(i), before.entries[i]);
      }
    }
    if (j != m) {
      // Not a plain removal: every entry removed and the new ones appended.
      c.removed_.clear();
      for (std::size_t i = 0; i < n; ++i) {
        c.removed_.emplace_back(static_cast<std::int32_t>(i), before.entries[i]);
      }
      c.appended_ = after.Entries;
    }
  }
  const std::vector<std::int32_t>& a = before.order;
  const std::vector<std::int32_t>& b = after.DisplayOrder;
  std::size_t from = 0;
  while (from < a.size() && from < b.size() && a[from] == b[from]) ++from;
  std::size_t tail = 0;
  if (a.size() == b.size()) {
    while (tail < a.size() - from && a[a.size() - 1 - tail] == b[b.size() - 1 - tail]) ++tail;
  }
  c.order_from_ = from;
  c.order_size_before_ = a.size();
  c.order_size_after_ = b.size();
  c.order_before_.assign(a.begin() + static_cast<std::ptrdiff_t>(from),
                         a.end() - static_cast<std::ptrdiff_t>(tail));
  c.order_after_.assign(b.begin() + static_cast<std::ptrdiff_t>(from),
                        b.end() - static_cast<std::ptrdiff_t>(tail));
  c.sort_before_ = before.sort_column;
  c.sort_after_ = after.SortColumn;
  c.keys_before_ = before.key_count;
  c.keys_after_ = after.KeyCount;
  return c;
}

bool RosterChange::empty() const {
  return status_edits_.empty() && field_edits_.empty() && removed_.empty() && appended_.empty() &&
         order_before_ == order_after_ && sort_before_ == sort_after_ &&
         keys_before_ == keys_after_;
}

void RosterChange::Revert(roster::Roster& roster) const {
  roster.Entries.resize(roster.Entries.size() - appended_.size());
  if (!removed_.empty()) {
    std::vector<roster::Participant> entries;
    entries.reserve(roster.Entries.size() + removed_.size());
    std::size_t kept = 0;
    for (const auto& [place, entry] : removed_) {
      while (entries.size() < static_cast<std::size_t>(place)) {
        entries.push_back(roster.Entries[kept++]);
      }
      entries.push_back(entry);
    }
    while (kept < roster.Entries.size()) entries.push_back(roster.Entries[kept++]);
    roster.Entries = std::move(entries);
  }
  for (const FieldEdit& e : field_edits_) roster.Entries[e.entry] = e.before;
  for (const StatusEdit& e : status_edits_) roster.Entries[e.entry].Status = statuses_[e.before];
  roster.KeyCount = keys_before_;
  ReplaceStretch(roster, order_from_, order_size_after_, order_after_, order_before_, sort_after_,
                 sort_before_);
}

void RosterChange::Reapply(roster::Roster& roster) const {
  for (const FieldEdit& e : field_edits_) roster.Entries[e.entry] = e.after;
  for (const StatusEdit& e : status_edits_) roster.Entries[e.entry].Status = statuses_[e.after];
  if (!removed_.empty()) {
    std::vector<roster::Participant> entries;
    entries.reserve(roster.Entries.size() - removed_.size());
    std::size_t next = 0;
    for (std::size_t i = 0; i < roster.Entries.size(); ++i) {
      if (next < removed_.size() && static_cast<std::size_t>(removed_[next].first) == i) {
        ++next;
        continue;
      }
      entries.push_back(roster.Entries[i]);
    }
    roster.Entries = std::move(entries);
  }
  roster.Entries.insert(roster.Entries.end(), appended_.begin(), appended_.end());
  roster.KeyCount = keys_after_;
  ReplaceStretch(roster, order_from_, order_size_before_, order_before_, order_after_, sort_before_,
                 sort_after_);
}

std::vector<std::int32_t> RosterChange::EditedEntries() const {
  std::vector<std::int32_t> entries;
  entries.reserve(status_edits_.size() + field_edits_.size());
  for (const StatusEdit& e : status_edits_) entries.push_back(e.entry);
  for (const FieldEdit& e : field_edits_) entries.push_back(e.entry);
  return entries;
}

std::size_t RosterChange::Bytes() const {
  return sizeof(RosterChange) + statuses_.capacity() * sizeof(text::FixedText<15>) +
         status_edits_.capacity() * sizeof(StatusEdit) +
         field_edits_.capacity() * sizeof(FieldEdit) +
         removed_.capacity() * sizeof(std::pair<std::int32_t, roster::Participant>) +
         appended_.capacity() * sizeof(roster::Participant) +
         (order_before_.capacity() + order_after_.capacity()) * sizeof(std::int32_t);
}

}  // namespace kestrio::ui
