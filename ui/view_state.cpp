#include "ui/view_state.h"

namespace kestrio::ui {

void ResetViewState(ViewState& view, roster::Roster& roster) {
  ViewState fresh;
  // The window owns these; a Clear All does not move the splitter, hide the bar or empty
  // the find box.
  fresh.StatusBarVisible = view.StatusBarVisible;
  fresh.SplitterX = view.SplitterX;
  fresh.FindText = std::move(view.FindText);
  view = std::move(fresh);
  roster.SortColumn = static_cast<int>(roster::ColumnId::Weight);
}

}  // namespace kestrio::ui
