#include "ui/selection.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "roster/resort_after_change.h"
#include "ui/list_refresh.h"

namespace kestrio::ui {

namespace {

using roster::Participant;
namespace status = roster::ParticipantStatus;

// Widths of the cells as a row is read back: last name, first name, weight, age,
// rating, club, status.
constexpr std::array<std::size_t, 7> kCellWidths = {40, 40, 10, 10, 10, 15, 15};

// The six cells a selection command leaves alone, as one number; equal cells give equal
// numbers, and unequal ones that collide are told apart by comparing the cells.
std::uint64_t SixCellHash(const std::array<std::string_view, 6>& cells) {
  std::uint64_t h = 0x9e3779b97f4a7c15ULL;
  for (std::string_view cell : cells) {
    h ^= std::hash<std::string_view>{}(cell) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
  }
  return h;
}

// Last name, first name, weight, age, rating, club: the row's first six cells.
std::array<std::string_view, 6> EntryCells(const Participant& entry) {
  return {entry.LastName.WithoutBlanks(), entry.FirstName.WithoutBlanks(),
          entry.Weight.WithoutBlanks(),   entry.Age.WithoutBlanks(),
          entry.Rating.WithoutBlanks(),   entry.Club.WithoutBlanks()};
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

// Gives every entry matching the row's cells the verb's status.
void ApplyToRow(SelectionVerb verb, const ListRow& row, roster::Roster& roster,
                const EntryIndex& index) {
  for (int e : index.Find(row)) {
    Participant& entry = roster.Entries[static_cast<std::size_t>(e)];
    if (const std::optional<std::string_view> next = NewStatus(verb, entry)) {
      roster::SetStatus(entry, *next);
    }
  }
}

// The Mark All verbs over the rows as they were shown before the command.
void MarkRows(SelectionVerb verb, const std::vector<ListRow>& rows, roster::Roster& roster) {
  EntryIndex index(roster);
  for (const ListRow& row : rows) ApplyToRow(verb, row, roster, index);
}

}  // namespace

EntryIndex::EntryIndex(const roster::Roster& roster) : roster_(roster) {
  const std::size_t n = roster.Entries.size();
  hash_of_.resize(n);
  by_hash_.resize(n);
  for (std::size_t e = 0; e < n; ++e) {
    hash_of_[e] = SixCellHash(EntryCells(roster.Entries[e]));
    by_hash_[e] = {hash_of_[e], static_cast<int>(e)};
  }
  std::sort(by_hash_.begin(), by_hash_.end());
}

std::vector<int> EntryIndex::Find(const ListRow& row) const {
  std::array<std::string_view, 6> cells;
  for (std::size_t i = 0; i < cells.size(); ++i) cells[i] = Cell(row, i);
  const std::string_view status = Cell(row, 6);
  const std::uint64_t h = SixCellHash(cells);
  std::vector<int> found;
  auto it =
      std::lower_bound(by_hash_.begin(), by_hash_.end(), std::pair<std::uint64_t, int>(h, -1));
  for (; it != by_hash_.end() && it->first == h; ++it) {
    const Participant& entry = roster_.Entries[static_cast<std::size_t>(it->second)];
    if (entry.Status.WithoutBlanks() == status && EntryCells(entry) == cells) {
      found.push_back(it->second);
    }
  }
  return found;
}

bool RowShowsEntry(const ListRow& row, const Participant& entry) {
  if (entry.Status.WithoutBlanks() != Cell(row, 6)) return false;
  const std::array<std::string_view, 6> cells = EntryCells(entry);
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (cells[i] != Cell(row, i)) return false;
  }
  return true;
}

void EntryIndex::Update(int entry) {
  const auto e = static_cast<std::size_t>(entry);
  const std::uint64_t now = SixCellHash(EntryCells(roster_.Entries[e]));
  if (now == hash_of_[e]) return;
  by_hash_.erase(std::lower_bound(by_hash_.begin(), by_hash_.end(),
                                  std::pair<std::uint64_t, int>(hash_of_[e], entry)));
  const std::pair<std::uint64_t, int> moved(now, entry);
  by_hash_.insert(std::lower_bound(by_hash_.begin(), by_hash_.end(), moved), moved);
  hash_of_[e] = now;
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
  // Each row is followed by its sort: the order of equal entries depends on where the
  // earlier rows' sorts left them, so one sort after the last row would not do.
  roster::ResortAfterChange resort(roster);
  std::vector<int> changing;
  std::vector<std::string_view> statuses;
  for (int r : pane.HighlightedRows()) {
    changing.clear();
    statuses.clear();
    for (int e : index.Find(pane.Row(r))) {
      const std::optional<std::string_view> next =
          NewStatus(verb, roster.Entries[static_cast<std::size_t>(e)]);
      if (!next) continue;
      changing.push_back(e);
      statuses.push_back(*next);
    }
    resort.BeforeChange(changing);
    for (std::size_t i = 0; i < changing.size(); ++i) {
      roster::SetStatus(roster.Entries[static_cast<std::size_t>(changing[i])], statuses[i]);
    }
    resort.AfterChange();
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
