#include "ui/view_state.h"

namespace kestrio::ui {

void ResetViewState(ViewState& view, roster::Roster& roster) {
  ViewState fresh;
  // The window owns these two; a Clear All does not move the splitter or hide the bar.
  fresh.StatusBarVisible = view.StatusBarVisible;
  fresh.SplitterX = view.SplitterX;
  view = std::move(fresh);
  roster.SortColumn = static_cast<int>(roster::ColumnId::Weight);
}

}  // namespace kestrio::ui
