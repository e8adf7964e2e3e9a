#include "platform/roster_table_model.h"

#include <QTimer>

#include "platform/text_codec.h"
#include "roster/participant.h"

namespace kestrio::platform {
namespace {

// Names read from the left edge; numbers, clubs and statuses stand centred.
Qt::Alignment ColumnAlignment(int column) {
  return (column < 2 ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignVCenter;
}

}  // namespace

RosterTableModel::RosterTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void RosterTableModel::Clear() {
  beginResetModel();
  rows_.clear();
  pending_.clear();
  endResetModel();
}

void RosterTableModel::Append(ListRow row) {
  // Whoever appends last, the rows reach the screen once control is back in the event loop.
  if (pending_.empty()) QTimer::singleShot(0, this, &RosterTableModel::Flush);
  pending_.push_back(std::move(row));
}

void RosterTableModel::Flush() {
  if (pending_.empty()) return;
  beginResetModel();
  if (rows_.empty()) {
    rows_.swap(pending_);
  } else {
    rows_.insert(rows_.end(), std::make_move_iterator(pending_.begin()),
                 std::make_move_iterator(pending_.end()));
  }
  pending_.clear();
  endResetModel();
}

void RosterTableModel::Replace(int row, ListRow cells) {
  if (row < 0 || row >= TotalRows()) return;
  const auto r = static_cast<std::size_t>(row);
  if (r >= rows_.size()) {
    pending_[r - rows_.size()] = std::move(cells);
    return;
  }
  rows_[r] = std::move(cells);
  emit dataChanged(index(row, 0), index(row, kListColumns - 1), {Qt::DisplayRole});
}

const ListRow& RosterTableModel::Row(int row) const {
  const auto r = static_cast<std::size_t>(row);
  return r < rows_.size() ? rows_[r] : pending_[r - rows_.size()];
}

int RosterTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int RosterTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kListColumns;
}

QVariant RosterTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  if (role == Qt::DisplayRole) return BytesToDisplay(rows_[index.row()][index.column()]);
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(ColumnAlignment(index.column()));
  return {};
}

QVariant RosterTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= kListColumns) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  if (role == Qt::DisplayRole) {
    const std::string_view caption = roster::ColumnCaption(section + 1);
    return QString::fromLatin1(caption.data(), static_cast<qsizetype>(caption.size()));
  }
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(ColumnAlignment(section));
  return {};
}

}  // namespace kestrio::platform
