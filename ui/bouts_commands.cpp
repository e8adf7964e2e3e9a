// The Bouts tab: the board's bouts for the wrestlers highlighted in the roster list (all
// of them when none is), sorted by the column the organiser clicked, and the wrestlers
// still short of the minimum wanted with the partners worth a call.

#include <algorithm>
#include <optional>

#include "board/short_of_minimum.h"
#include "ui/bouts_view.h"
#include "ui/command_ids.h"
#include "ui/selection.h"
#include "ui/session.h"
#include "ui/session_impl.h"

namespace kestrio::ui {

void Session::AttachBoutsPane(BoutsPane* pane) {
  impl_->bouts = pane;
  ShowBoard();
}

std::vector<int> Session::HighlightedBoardWrestlers() const {
  const board::BoutBoard& b = impl_->day.board;
  if (b.empty()) return {};
  const std::vector<int> rows = ports_.list.HighlightedRows();
  if (rows.empty()) return {};
  // Every entry a row shows has the row's names, club and numbers, and so one key: the
  // entry the last refill put in the row gives it, and only a row that no longer shows
  // that entry looks its entries up by their cells. This runs at every change of the
  // highlight.
  const std::vector<std::int32_t>& row_entries = view_.RowEntries;
  const bool rows_known = ports_.list.RowCount() == static_cast<int>(row_entries.size());
  std::optional<EntryIndex> index;
  std::vector<board::WrestlerKey> keys;
  keys.reserve(rows.size());
  for (const int row : rows) {
    const ListRow cells = ports_.list.Row(row);
    const std::int32_t shown =
        rows_known && row >= 0 ? row_entries[static_cast<std::size_t>(row)] : -1;
    if (shown >= 0 && static_cast<std::size_t>(shown) < roster_.Entries.size() &&
        RowShowsEntry(cells, roster_.Entries[static_cast<std::size_t>(shown)])) {
      keys.push_back(board::KeyOf(roster_.Entries[static_cast<std::size_t>(shown)]));
      continue;
    }
    if (!index) index.emplace(roster_);
    for (const int e : index->Find(cells)) {
      keys.push_back(board::KeyOf(roster_.Entries[static_cast<std::size_t>(e)]));
    }
  }
  return BoardPlacesOf(b, keys);
}

void Session::ShowBouts() {
  if (impl_->bouts == nullptr) return;
  const board::BoutBoard& b = impl_->day.board;
  std::vector<std::int32_t> places = BoutsOf(b, HighlightedBoardWrestlers());
  // The schedule only while it is the board's: a command that changed the bouts has it
  // made again at its end, and a message on the way must not draw the old one.
  const reports::MatDay* day = mat_day_ && b.Bouts == impl_->scheduled_bouts ? &*mat_day_ : nullptr;
  SortBouts(b, impl_->bout_sort_column, places, day);
  impl_->bouts->ShowBouts(b, places, impl_->bout_sort_column, day);
}

void Session::ShowBoard() {
  if (impl_->bouts == nullptr) return;
  ShowBouts();
  const board::BoutBoard& b = impl_->day.board;
  impl_->bouts->ShowShortOfMinimum(
      b, b.empty() ? std::vector<board::ShortWrestler>() : board::ShortOfMinimum(b));
}

void Session::OnListHighlightChanged() { ShowBouts(); }

void Session::OnBoutColumnClicked(int column) {
  if (column < 1 || column > static_cast<int>(kBoutColumns.size())) return;
  const int current = impl_->bout_sort_column;
  impl_->bout_sort_column = (current == column) ? -column : column;
  ShowBouts();
}

void Session::AddBoutFromView(int a, int b) {
  const int n = static_cast<int>(impl_->day.board.Wrestlers.size());
  if (a < 0 || b < 0 || a >= n || b >= n || a == b) return;
  PendingStep pending = BeginStep(kCmdAddBout);
  BoardContext context{fs_, roster_, ports_.list, *impl_->board_messages, impl_->day};
  context.changes = &pending.step.board;
  context.label = &pending.board_label;
  context.dialogs = &ports_.dialogs;
  AddBoutBetween(context, a, b);
  RefreshViews();
  CommitStep(pending);
}

}  // namespace kestrio::ui
