#include "platform/roster_list_view.h"

namespace kestrio::platform {

RosterListView::RosterListView(QWidget* parent) : QTableView(parent) { setTabKeyNavigation(false); }

QModelIndex RosterListView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  // Rows are what the organiser works on: Home and End mean the first and the last
  // wrestler, not the first and last cell of the row.
  const int rows = model() != nullptr ? model()->rowCount(rootIndex()) : 0;
  if ((action == MoveHome || action == MoveEnd) && rows > 0) {
    const int column = currentIndex().isValid() ? currentIndex().column() : 0;
    return model()->index(action == MoveHome ? 0 : rows - 1, column, rootIndex());
  }
  return QTableView::moveCursor(action, modifiers);
}

}  // namespace kestrio::platform
