#pragma once

// The rows of the participant list: eight cells per displayed entry, in display order.
//
// The list is refilled from scratch after every change (tens of thousands of rows take a
// few milliseconds), so the model keeps the cells as the roster's bytes and turns them
// into screen text only for the rows the view actually paints.

#include <QAbstractTableModel>

#include <array>
#include <string>
#include <vector>

#include "ui/list_pane.h"

namespace kestrio::platform {

inline constexpr int kListColumns = 8;

// One list row: last name, first name, weight, age, rating, club, status, weight class,
// each without leading or trailing blanks, as roster bytes.
using ListRow = ui::ListRow;

class RosterTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit RosterTableModel(QObject* parent = nullptr);

  // Empties the list at once; rows appended afterwards are collected and shown together
  // by the next Flush, so that a refill is one reset and not one insertion per row.
  void Clear();
  void Append(ListRow row);
  void Flush();
  // New cells for one row, shown or waiting; only that row is painted again.
  void Replace(int row, ListRow cells);
  // Rows shown and rows waiting for the next Flush.
  int TotalRows() const { return static_cast<int>(rows_.size() + pending_.size()); }
  const ListRow& Row(int row) const;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::vector<ListRow> rows_;
  std::vector<ListRow> pending_;
};

}  // namespace kestrio::platform
