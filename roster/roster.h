#pragma once

// The roster: the organiser's list of participants, the order it is shown in, and the
// small shared operations on it.
//
// Lists are 0-based: DisplayOrder holds storage indices 0..N-1. SortColumn is a 1-based
// ColumnId, as the list's columns are numbered, with the sign as direction.

#include <cstdint>
#include <vector>

#include "base/prefetch.h"
#include "roster/participant.h"

namespace kestrio::roster {

struct Roster {
  // The records in storage order: loaded or added order, minus removed ones.
  std::vector<Participant> Entries;
  // Ordering-key columns of the entries: 8 once any entry was loaded or added, 0 in a
  // fresh empty roster.
  int KeyCount = 0;
  // A permutation of 0..N-1: the order of every listing, save, export and pairing run.
  std::vector<std::int32_t> DisplayOrder;
  // |SortColumn| is the ColumnId ordering DisplayOrder; negative means descending.
  int SortColumn = 3;

  int EntryCount() const { return static_cast<int>(Entries.size()); }
  // The k-th entry in display order (k is 0-based).
  const Participant& Displayed(std::size_t k) const { return Entries[DisplayOrder[k]]; }
  Participant& Displayed(std::size_t k) { return Entries[DisplayOrder[k]]; }
};

// Calls visit(entry) for the entries in display order until it returns false. Display
// order visits the entries at random, and at tens of thousands of wrestlers each visit
// would miss the cache: the entries a few places ahead are asked for early.
template <typename Visit>
void ForEachDisplayed(const Roster& roster, Visit visit) {
  constexpr std::size_t kAhead = 16;
  const std::size_t count = roster.DisplayOrder.size();
  for (std::size_t k = 0; k < count; ++k) {
    if (k + kAhead < count) {
      const char* ahead = reinterpret_cast<const char*>(&roster.Displayed(k + kAhead));
      for (std::size_t line = 0; line < sizeof(Participant); line += 64) Prefetch(ahead + line);
    }
    if (!visit(roster.Displayed(k))) return;
  }
}

// The six counts shown in the status bar.
struct RosterCounters {
  int EntryTotal = 0;
  int DisplayedCount = 0;
  int SelectedCount = 0;
  int UnassignedCount = 0;
  int DeletedCount = 0;
  int DuplicateCount = 0;
  friend bool operator==(const RosterCounters&, const RosterCounters&) = default;
};

// Empties the roster: its entries, key count and DisplayOrder (an order over entries
// that no longer exist must not be walked). SortColumn is the view's business and is
// left as it is; the caller resets the view.
void ClearRoster(Roster& roster);

// DisplayOrder becomes 0, 1, ..., N-1.
void ResetDisplayOrder(Roster& roster);

// Appends copies of source's entries after target's; source is left intact.
// An empty source leaves target untouched (its KeyCount included).
void AppendRoster(Roster& target, const Roster& source);

}  // namespace kestrio::roster
