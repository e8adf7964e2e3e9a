#pragma once

// The participant list as the keyboard moves through it: the arrows move row by row,
// Home and End go to the first and last row, and Tab leaves the list for the next pane
// instead of walking cell by cell.

#include <QTableView>

namespace kestrio::platform {

class RosterListView : public QTableView {
  Q_OBJECT

 public:
  explicit RosterListView(QWidget* parent = nullptr);

 protected:
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
};

}  // namespace kestrio::platform
