#pragma once

// The selection commands: Select, UnSelect, Toggle, Delete, double-click, Mark All
// Selected and Mark All UnSelected, which change the statuses of the entries behind the
// highlighted or displayed list rows.

#include <cstdint>
#include <utility>
#include <vector>

#include "roster/roster.h"
#include "ui/list_pane.h"

namespace kestrio::ui {

enum class SelectionVerb {
  Selected,
  UnSelected,
  Toggle,
  Deleted,
  DblClick,
  SelectAll,
  UnSelectAll
};

// The entries behind list rows, found by the seven cells a row shares with its entry
// (names, weight, age, rating, club, status; not the weight class), each compared
// without blanks. Built once per command so that a command over many rows does not scan
// the roster for every row: the entries are kept in order of a hash of the six cells a
// selection command leaves alone, so that a status change needs no update, and no text
// is built per entry. The roster must not gain or lose entries while it is used.
class EntryIndex {
 public:
  explicit EntryIndex(const roster::Roster& roster);

  // The entries matching the row's cells now, in ascending storage order.
  std::vector<int> Find(const ListRow& row) const;
  // Call after any of an entry's names, weight, age, rating or club changed (a status
  // change needs no call).
  void Update(int entry);

 private:
  const roster::Roster& roster_;
  // Hash of the six cells of each entry as last indexed.
  std::vector<std::uint64_t> hash_of_;
  // (hash, entry), ascending: the entries of one hash are a run, in storage order.
  std::vector<std::pair<std::uint64_t, int>> by_hash_;
};

// Whether the row shows the entry as EntryIndex::Find matches them: the same seven cells.
bool RowShowsEntry(const ListRow& row, const roster::Participant& entry);

// Applies the verb to the highlighted rows (or, for the two Mark All verbs, to every row
// of the pane) as they were shown before the command: every entry matching a row's cells
// gets the verb's status, so identical entries change together.
// After each highlighted row the display order is sorted; the Mark All verbs leave it.
// The pane is not refilled: the caller refreshes the views.
void ApplySelectionVerb(SelectionVerb verb, roster::Roster& roster, const ListPane& pane);

// Mark All Selected or Mark All UnSelected (verb SelectAll or UnSelectAll) with nothing
// filtered out, so that every entry's row is shown: the command as kestrio-batch gives
// it. Every entry gets the verb's status; the display order stays as it is.
void MarkEveryEntry(SelectionVerb verb, roster::Roster& roster);

}  // namespace kestrio::ui
