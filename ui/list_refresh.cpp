#include "ui/list_refresh.h"

#include "ui/tree_view.h"

namespace kestrio::ui {

namespace {

// An entry counts in the first of these that holds, or in none ("UnSelected" and any
// other status count only as entries).
void CountStatus(const roster::Participant& entry, roster::RosterCounters& counters) {
  if (roster::IsSelected(entry)) {
    ++counters.SelectedCount;
  } else if (roster::IsDeleted(entry)) {
    ++counters.DeletedCount;
  } else if (roster::IsUnassigned(entry)) {
    ++counters.UnassignedCount;
  } else if (roster::IsDuplicated(entry)) {
    ++counters.DuplicateCount;
  }
}

template <typename OnDisplayed>
roster::RosterCounters Walk(const roster::Roster& roster, const ViewState& view,
                            OnDisplayed on_displayed) {
  roster::RosterCounters counters;
  counters.EntryTotal = roster.EntryCount();
  const TreeFilter filter(view);
  for (std::size_t k = 0; k < roster.DisplayOrder.size(); ++k) {
    const roster::Participant& entry = roster.Displayed(k);
    CountStatus(entry, counters);
    if (filter.Matches(entry)) {
      ++counters.DisplayedCount;
      on_displayed(entry);
    }
  }
  return counters;
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
  const int old_top = pane.TopIndex();
  const int old_count = pane.RowCount();
  pane.Clear();
  view.RosterCounters =
      Walk(roster, view, [&](const roster::Participant& entry) { pane.AppendRow(RowFor(entry)); });
  // First the old last row, then the old top row: the view keeps its place when the
  // list is as long as before and comes as close as it can when it is shorter.
  if (old_count > 0) pane.EnsureVisible(old_count - 1);
  pane.EnsureVisible(old_top);
}

}  // namespace kestrio::ui
