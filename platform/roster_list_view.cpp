#include "platform/roster_list_view.h"

#include <QApplication>
#include <QHeaderView>

#include <iterator>

namespace kestrio::platform {

void SortArrowStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                   QPainter* painter, const QWidget* widget) const {
  // The header hands the style "sort down" for ascending, and styles disagree about
  // which way that points: the header's order says which arrow is meant.
  if (element == PE_IndicatorHeaderArrow) {
    if (const auto* header = qobject_cast<const QHeaderView*>(widget)) {
      element = header->sortIndicatorOrder() == Qt::AscendingOrder ? PE_IndicatorArrowUp
                                                                   : PE_IndicatorArrowDown;
    }
  }
  QProxyStyle::drawPrimitive(element, option, painter, widget);
}

QSize CellSizeMemory::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const int column = index.column();
  if (column < 0 || column >= static_cast<int>(std::size(sizes_))) {
    return QStyledItemDelegate::sizeHint(option, index);
  }
  if (!(option.font == font_)) {
    font_ = option.font;
    for (QHash<QString, QSize>& sizes : sizes_) sizes.clear();
  }
  const QString text = index.data(Qt::DisplayRole).toString();
  QHash<QString, QSize>& sizes = sizes_[column];
  if (const auto known = sizes.constFind(text); known != sizes.constEnd()) return *known;
  const QSize size = QStyledItemDelegate::sizeHint(option, index);
  // A day of rosters stays far below this; a bound all the same.
  if (sizes.size() >= 1 << 16) sizes.clear();
  sizes.insert(text, size);
  return size;
}

RosterListView::RosterListView(QWidget* parent) : QTableView(parent) {
  setItemDelegate(new CellSizeMemory(this));
  setTabKeyNavigation(false);
  // The application's own style underneath, made afresh: a proxy owns its base.
  auto* arrows = new SortArrowStyle(QApplication::style()->name());
  arrows->setParent(horizontalHeader());
  horizontalHeader()->setStyle(arrows);
}

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
