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

namespace kestrio::platform {

inline constexpr int kListColumns = 8;

// One list row: last name, first name, weight, age, rating, club, status, weight class,
// each without leading or trailing blanks.
using ListRow = std::array<std::string, kListColumns>;

class RosterTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit RosterTableModel(QObject* parent = nullptr);

  // Replaces every row (a model reset: the view drops its highlight).
  void SetRows(std::vector<ListRow> rows);
  const std::vector<ListRow>& Rows() const { return rows_; }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::vector<ListRow> rows_;
};

}  // namespace kestrio::platform
