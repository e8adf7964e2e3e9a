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

// Deletes every row, appends one row per displayed entry in display order and recounts
// view.RosterCounters. Row r is the (r+1)-th displayed entry; view.RowEntries records
// which. The pane then keeps its place by wrestler, not by row number (a re-sort moves
// rows): the cursor, the highlight and the top row go back to the same entries as far as
// they are still displayed, and the cursor stays in view. When the top row's entry is
// gone, the pane scrolls back to where it was as far as the new rows allow.
void RefillList(const roster::Roster& roster, ViewState& view, ListPane& pane);

// After a change that edited entries in place (none appended or removed): gives the
// rows of these entries (storage indices) their new cells where they stand and recounts
// view.RosterCounters, leaving the highlight, the cursor and the scroll position alone.
// The list then shows what RefillList would show. False, with nothing changed, when the
// displayed entries or their order are no longer those of the rows (an edit moved an
// entry in a sorted list, or out of the filter): RefillList then.
bool UpdateListRows(const roster::Roster& roster, ViewState& view, ListPane& pane,
                    const std::vector<std::int32_t>& entries);

// After entries were removed from storage: new_index[i] is the new storage index of the
// entry that was at i, or -1 when it is gone. Keeps view.RowEntries pointing at the same
// wrestlers for the next refill.
void RemapRowEntries(ViewState& view, const std::vector<std::int32_t>& new_index);

}  // namespace kestrio::ui
