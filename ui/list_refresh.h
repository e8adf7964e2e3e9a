#pragma once

// Refilling the list pane from the roster, and the six counters the status bar shows.

#include <vector>

#include "roster/roster.h"
#include "ui/list_pane.h"
#include "ui/view_state.h"

namespace kestrio::ui {

// The eight cells of an entry's row, each without blanks.
ListRow RowFor(const roster::Participant& entry);

// The cells of the highlighted rows, in row order, as the pane shows them.
std::vector<ListRow> HighlightedCells(const ListPane& pane);

// Deletes every row, appends one row per displayed entry in display order, recounts
// view.RosterCounters and scrolls back to where the pane was as far as the new rows
// allow. Row r is the (r+1)-th displayed entry.
void RefillList(const roster::Roster& roster, ViewState& view, ListPane& pane);

}  // namespace kestrio::ui
