#include "ui/list_refresh.h"

#include <algorithm>

#include "ui/tree_view.h"

namespace kestrio::ui {

namespace {

// An entry counts in the first of these that holds, or in none ("UnSelected" and any
// other status count only as entries). Neighbouring entries mostly share a status, so
// the last status's bytes and where they counted are kept: most entries cost one
// comparison of their status field.
class StatusCounter {
 public:
  void Count(const roster::Participant& entry, roster::RosterCounters& counters) {
    if (!known_ || !(entry.Status == last_)) {
      last_ = entry.Status;
      known_ = true;
      counter_ = CounterFor(entry);
    }
    if (counter_ != nullptr) ++(counters.*counter_);
  }

 private:
  static int roster::RosterCounters::*CounterFor(const roster::Participant& entry) {
    if (roster::IsSelected(entry)) return &roster::RosterCounters::SelectedCount;
    if (roster::IsDeleted(entry)) return &roster::RosterCounters::DeletedCount;
    if (roster::IsUnassigned(entry)) return &roster::RosterCounters::UnassignedCount;
    if (roster::IsDuplicated(entry)) return &roster::RosterCounters::DuplicateCount;
    return nullptr;
  }

  bool known_ = false;
  text::FixedText<15> last_;
  int roster::RosterCounters::*counter_ = nullptr;
};

template <typename OnDisplayed>
roster::RosterCounters Walk(const roster::Roster& roster, const ViewState& view,
                            OnDisplayed on_displayed) {
  roster::RosterCounters counters;
  counters.EntryTotal = roster.EntryCount();
  const TreeFilter filter(view);
  StatusCounter by_status;
  for (std::size_t k = 0; k < roster.DisplayOrder.size(); ++k) {
    const roster::Participant& entry = roster.Displayed(k);
    by_status.Count(entry, counters);
    if (filter.Matches(entry)) {
      ++counters.DisplayedCount;
      on_displayed(entry, roster.DisplayOrder[k]);
    }
  }
  return counters;
}

// Where the organiser was in the list, by entry (storage index; -1 for none).
struct ListPlace {
  std::int32_t current = -1;
  std::int32_t top = -1;
  std::vector<std::int32_t> highlighted;
};

ListPlace RememberPlace(const ViewState& view, const ListPane& pane) {
  ListPlace place;
  const std::vector<std::int32_t>& entries = view.RowEntries;
  // Rows shown by anything but the last refill say nothing about entries.
  if (pane.RowCount() != static_cast<int>(entries.size())) return place;
  const auto entry_at = [&](int row) {
    return row >= 0 && row < static_cast<int>(entries.size())
               ? entries[static_cast<std::size_t>(row)]
               : -1;
  };
  place.current = entry_at(pane.CurrentRow());
  place.top = pane.RowCount() > 0 ? entry_at(pane.TopIndex()) : -1;
  for (int row : pane.HighlightedRows()) {
    if (const std::int32_t e = entry_at(row); e >= 0) place.highlighted.push_back(e);
  }
  return place;
}

// Puts the place back; false when the top row's entry is no longer displayed.
bool RestorePlace(const ListPlace& place, const roster::Roster& roster, const ViewState& view,
                  ListPane& pane) {
  std::vector<int> row_of(roster.Entries.size(), -1);
  for (std::size_t r = 0; r < view.RowEntries.size(); ++r) {
    row_of[static_cast<std::size_t>(view.RowEntries[r])] = static_cast<int>(r);
  }
  const auto row_for = [&](std::int32_t entry) {
    return entry >= 0 && static_cast<std::size_t>(entry) < row_of.size()
               ? row_of[static_cast<std::size_t>(entry)]
               : -1;
  };
  std::vector<int> highlighted;
  for (std::int32_t entry : place.highlighted) {
    if (const int row = row_for(entry); row >= 0) highlighted.push_back(row);
  }
  std::sort(highlighted.begin(), highlighted.end());
  if (!highlighted.empty()) pane.SetHighlightedRows(highlighted);
  const int current = row_for(place.current);
  pane.SetCurrentRow(current);
  const int top = row_for(place.top);
  if (top < 0) return false;
  pane.ScrollToTop(top);
  if (current >= 0) pane.EnsureVisible(current);
  return true;
}

}  // namespace

ListRow RowFor(const roster::Participant& entry) {
  return {
      std::string(entry.LastName.WithoutBlanks()), std::string(entry.FirstName.WithoutBlanks()),
      std::string(entry.Weight.WithoutBlanks()),   std::string(entry.Age.WithoutBlanks()),
      std::string(entry.Rating.WithoutBlanks()),   std::string(entry.Club.WithoutBlanks()),
      std::string(entry.Status.WithoutBlanks()),   std::string(entry.WeightClass.WithoutBlanks())};
}

std::vector<ListRow> HighlightedCells(const ListPane& pane) {
  std::vector<ListRow> cells;
  for (int r : pane.HighlightedRows()) cells.push_back(pane.Row(r));
  return cells;
}

void RefillList(const roster::Roster& roster, ViewState& view, ListPane& pane) {
  const ListPlace place = RememberPlace(view, pane);
  const int old_top = pane.TopIndex();
  const int old_count = pane.RowCount();
  pane.Clear();
  view.RowEntries.clear();
  view.RosterCounters =
      Walk(roster, view, [&](const roster::Participant& entry, std::int32_t index) {
        pane.AppendRow(RowFor(entry));
        view.RowEntries.push_back(index);
      });
  if (RestorePlace(place, roster, view, pane)) return;
  // First the old last row, then the old top row: the view keeps its place when the
  // list is as long as before and comes as close as it can when it is shorter.
  if (old_count > 0) pane.EnsureVisible(old_count - 1);
  pane.EnsureVisible(old_top);
}

bool UpdateListRows(const roster::Roster& roster, ViewState& view, ListPane& pane,
                    const std::vector<std::int32_t>& entries) {
  const std::vector<std::int32_t>& rows = view.RowEntries;
  if (pane.RowCount() != static_cast<int>(rows.size())) return false;
  // The list holds the entries it would hold after a refill, in the same order.
  std::size_t next = 0;
  bool same = true;
  const roster::RosterCounters counters =
      Walk(roster, view, [&](const roster::Participant&, std::int32_t index) {
        same = same && next < rows.size() && rows[next] == index;
        ++next;
      });
  if (!same || next != rows.size()) return false;
  view.RosterCounters = counters;
  std::vector<int> row_of(roster.Entries.size(), -1);
  for (std::size_t r = 0; r < rows.size(); ++r) {
    row_of[static_cast<std::size_t>(rows[r])] = static_cast<int>(r);
  }
  for (const std::int32_t entry : entries) {
    if (entry < 0 || static_cast<std::size_t>(entry) >= row_of.size()) continue;
    if (const int row = row_of[static_cast<std::size_t>(entry)]; row >= 0) {
      pane.ReplaceRow(row, RowFor(roster.Entries[static_cast<std::size_t>(entry)]));
    }
  }
  // As a refill does: the cursor's row is brought into view.
  if (const int current = pane.CurrentRow(); current >= 0) pane.EnsureVisible(current);
  return true;
}

void RemapRowEntries(ViewState& view, const std::vector<std::int32_t>& new_index) {
  for (std::int32_t& entry : view.RowEntries) {
    entry = entry >= 0 && static_cast<std::size_t>(entry) < new_index.size()
                ? new_index[static_cast<std::size_t>(entry)]
                : -1;
  }
}

}  // namespace kestrio::ui
