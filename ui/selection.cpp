#include "ui/selection.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "roster/sort_display_order.h"
#include "ui/list_refresh.h"

namespace kestrio::ui {

namespace {

using roster::Participant;
namespace status = roster::ParticipantStatus;

// Widths of the cells as a row is read back: last name, first name, weight, age,
// rating, club, status.
constexpr std::array<std::size_t, 7> kCellWidths = {40, 40, 10, 10, 10, 15, 15};

void AppendField(std::string& key, std::string_view field) {
  // Length-prefixed, so that no character inside a field can make two keys collide.
  key += std::to_string(field.size());
  key += ':';
  key += field;
}

std::string_view Cell(const ListRow& row, std::size_t i) {
  std::string_view cell = row[i];
  return text::WithoutBlanks(cell.substr(0, std::min(cell.size(), kCellWidths[i])));
}

// The status an entry gets, or nullopt to keep it. An empty view blanks the status.
std::optional<std::string_view> NewStatus(SelectionVerb verb, const Participant& entry) {
  switch (verb) {
    case SelectionVerb::Selected:
    case SelectionVerb::SelectAll:
      return status::Selected;
    case SelectionVerb::UnSelected:
    case SelectionVerb::UnSelectAll:
      return std::string_view();
    case SelectionVerb::Deleted:
      return status::Deleted;
    case SelectionVerb::Toggle:
      if (roster::IsSelected(entry)) return std::string_view();
      if (roster::IsUnassigned(entry)) return status::Selected;
      return std::nullopt;
    case SelectionVerb::DblClick:
      return roster::IsSelected(entry) ? std::string_view() : status::Selected;
  }
  return std::nullopt;
}

// Returns the entries whose status was written (each once).
std::vector<int> ApplyToRow(SelectionVerb verb, const ListRow& row, roster::Roster& roster,
                            EntryIndex& index) {
  // Copied: changing an entry's status moves it to another key.
  const std::vector<int> matches = index.Find(row);
  std::vector<int> changed;
  for (int e : matches) {
    Participant& entry = roster.Entries[static_cast<std::size_t>(e)];
    const std::optional<std::string_view> next = NewStatus(verb, entry);
    if (!next) continue;
    const std::string old_key = EntryIndex::EntryKey(entry);
    roster::SetStatus(entry, *next);
    index.Update(e, old_key);
    changed.push_back(e);
  }
  return changed;
}

// The Mark All verbs over the rows as they were shown before the command.
void MarkRows(SelectionVerb verb, const std::vector<ListRow>& rows, roster::Roster& roster) {
  EntryIndex index(roster);
  for (const ListRow& row : rows) ApplyToRow(verb, row, roster, index);
}

// Each entry's position in the display order; -1 for an entry the order leaves out.
std::vector<std::int32_t> DisplayPositions(const roster::Roster& roster) {
  std::vector<std::int32_t> position_of(roster.Entries.size(), -1);
  for (std::size_t pos = 0; pos < roster.DisplayOrder.size(); ++pos) {
    const std::int32_t e = roster.DisplayOrder[pos];
    if (e >= 0 && static_cast<std::size_t>(e) < position_of.size()) {
      position_of[static_cast<std::size_t>(e)] = static_cast<std::int32_t>(pos);
    }
  }
  return position_of;
}

// True when the sorted order stays sorted with the changed entries' new keys.
bool StillInOrder(const roster::Roster& roster, const std::vector<int>& changed,
                  const std::vector<std::int32_t>& position_of) {
  std::vector<std::size_t> positions;
  positions.reserve(changed.size());
  for (int e : changed) {
    const std::int32_t pos = position_of[static_cast<std::size_t>(e)];
    if (pos >= 0) positions.push_back(static_cast<std::size_t>(pos));
  }
  return roster::IsDisplayOrderSortedAround(roster, positions);
}

}  // namespace

EntryIndex::EntryIndex(const roster::Roster& roster) : roster_(roster) {
  for (int e = 0; e < roster.EntryCount(); ++e) {
    entries_[EntryKey(roster.Entries[static_cast<std::size_t>(e)])].push_back(e);
  }
}

const std::vector<int>& EntryIndex::Find(const ListRow& row) const {
  static const std::vector<int> kNone;
  const auto it = entries_.find(RowKey(row));
  return it == entries_.end() ? kNone : it->second;
}

void EntryIndex::Update(int entry, const std::string& old_key) {
  if (auto it = entries_.find(old_key); it != entries_.end()) {
    std::erase(it->second, entry);
    if (it->second.empty()) entries_.erase(it);
  }
  std::vector<int>& now = entries_[EntryKey(roster_.Entries[static_cast<std::size_t>(entry)])];
  now.insert(std::lower_bound(now.begin(), now.end(), entry), entry);
}

std::string EntryIndex::EntryKey(const Participant& entry) {
  std::string key;
  AppendField(key, entry.Weight.WithoutBlanks());
  AppendField(key, entry.Age.WithoutBlanks());
  AppendField(key, entry.Rating.WithoutBlanks());
  AppendField(key, entry.LastName.WithoutBlanks());
  AppendField(key, entry.FirstName.WithoutBlanks());
  AppendField(key, entry.Club.WithoutBlanks());
  AppendField(key, entry.Status.WithoutBlanks());
  return key;
}

std::string EntryIndex::RowKey(const ListRow& row) {
  std::string key;
  for (std::size_t cell : {2u, 3u, 4u, 0u, 1u, 5u, 6u}) AppendField(key, Cell(row, cell));
  return key;
}

void ApplySelectionVerb(SelectionVerb verb, roster::Roster& roster, const ListPane& pane) {
  if (verb == SelectionVerb::SelectAll || verb == SelectionVerb::UnSelectAll) {
    std::vector<ListRow> rows;
    rows.reserve(static_cast<std::size_t>(pane.RowCount()));
    for (int r = 0; r < pane.RowCount(); ++r) rows.push_back(pane.Row(r));
    MarkRows(verb, rows, roster);
    return;
  }
  EntryIndex index(roster);
  // Sorting an order that is already sorted leaves it unchanged, so after every row only
  // the entries the row changed can need a new place, and when they still stand in order
  // beside their neighbours, none does. Sorting once after the last row instead would
  // not do: the order of equal entries depends on where each row's sort left them.
  bool sorted = roster::IsDisplayOrderSorted(roster);
  std::vector<std::int32_t> position_of;
  if (sorted) position_of = DisplayPositions(roster);
  for (int r : pane.HighlightedRows()) {
    const std::vector<int> changed = ApplyToRow(verb, pane.Row(r), roster, index);
    if (sorted && (changed.empty() || StillInOrder(roster, changed, position_of))) continue;
    if (!sorted) {
      roster::SortDisplayOrder(roster);
      sorted = true;
    } else {
      roster::SortDisplayOrderAfterChanges(roster, changed);
    }
    position_of = DisplayPositions(roster);
  }
}

void MarkEveryEntry(SelectionVerb verb, roster::Roster& roster) {
  // An entry's row matches the entry itself until the entry is changed, and a Mark All
  // verb gives every matched entry the same status; so when the order shows every entry,
  // every entry ends with that status, and no row needs matching.
  std::vector<char> shown(roster.Entries.size(), 0);
  std::size_t shown_count = 0;
  for (const std::int32_t e : roster.DisplayOrder) {
    if (e >= 0 && static_cast<std::size_t>(e) < shown.size() && !shown[e]) {
      shown[e] = 1;
      ++shown_count;
    }
  }
  const bool mark_all = verb == SelectionVerb::SelectAll || verb == SelectionVerb::UnSelectAll;
  if (mark_all && shown_count == roster.Entries.size()) {
    const std::string_view marked =
        verb == SelectionVerb::SelectAll ? status::Selected : std::string_view();
    for (Participant& entry : roster.Entries) roster::SetStatus(entry, marked);
    return;
  }
  std::vector<ListRow> rows;
  rows.reserve(roster.DisplayOrder.size());
  for (std::size_t k = 0; k < roster.DisplayOrder.size(); ++k) {
    rows.push_back(RowFor(roster.Displayed(k)));
  }
  MarkRows(verb, rows, roster);
}

}  // namespace kestrio::ui
