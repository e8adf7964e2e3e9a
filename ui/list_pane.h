#pragma once

// The list pane: one row of eight cells per displayed roster entry.
//
// Abstract so that tests can highlight rows and read back what was shown. The pane
// only shows rows; which rows exist and what they say is decided by the core
// (list_refresh.h). Rows are numbered from 0 in the order they were appended.

#include <array>
#include <string>
#include <vector>

namespace kestrio::ui {

// Last name, first name, weight, age, rating, club, status, weight class; each without
// leading and trailing blanks.
using ListRow = std::array<std::string, 8>;

class ListPane {
 public:
  virtual ~ListPane() = default;

  virtual int RowCount() const = 0;
  // The first row visible at the top of the pane (0 when empty).
  virtual int TopIndex() const = 0;
  // Deletes every row; the highlight goes with them.
  virtual void Clear() = 0;
  virtual void AppendRow(ListRow row) = 0;
  // Puts new cells into one row, which stays where it is: the highlight, the cursor and
  // the scroll position are left alone. Out-of-range rows are ignored.
  virtual void ReplaceRow(int row, const ListRow& cells) = 0;
  // Scrolls as little as possible so that the row is visible; out-of-range rows are ignored.
  virtual void EnsureVisible(int row) = 0;

  // The highlighted rows in ascending row order.
  virtual std::vector<int> HighlightedRows() const = 0;
  // Highlights exactly these rows (ascending; out-of-range rows are ignored).
  virtual void SetHighlightedRows(const std::vector<int>& rows) = 0;
  // The row with the keyboard cursor, -1 when none.
  virtual int CurrentRow() const = 0;
  // Puts the keyboard cursor on the row without touching the highlight; -1 for none.
  virtual void SetCurrentRow(int row) = 0;
  // Scrolls so that the row is the first one visible, as far as the rows below allow.
  virtual void ScrollToTop(int row) = 0;
  // The cells of a row as shown; row must be below RowCount().
  virtual ListRow Row(int row) const = 0;
};

}  // namespace kestrio::ui
