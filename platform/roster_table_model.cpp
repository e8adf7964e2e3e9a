#include "platform/roster_table_model.h"

#include "platform/text_codec.h"

namespace kestrio::platform {
namespace {

constexpr std::array<const char*, kListColumns> kCaptions = {
    "Last Name", "First Name", "Weight", "Age", "Rating", "Club", "Status", "Weight Class"};

// Names read from the left edge; numbers, clubs and statuses stand centred.
Qt::Alignment ColumnAlignment(int column) {
  return (column < 2 ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignVCenter;
}

}  // namespace

RosterTableModel::RosterTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void RosterTableModel::SetRows(std::vector<ListRow> rows) {
  beginResetModel();
  rows_ = std::move(rows);
  endResetModel();
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
  if (role == Qt::DisplayRole) return QString::fromLatin1(kCaptions[section]);
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(ColumnAlignment(section));
  return {};
}

}  // namespace kestrio::platform
