#pragma once

// The participant list as the keyboard moves through it: the arrows move row by row,
// Home and End go to the first and last row, and Tab leaves the list for the next pane
// instead of walking cell by cell. The header's sort arrow points up for an ascending
// column and down for a descending one, as organisers read it, whatever the style's own
// habit (some styles point the other way).

#include <QFont>
#include <QHash>
#include <QProxyStyle>
#include <QStyledItemDelegate>
#include <QTableView>

namespace kestrio::platform {

// The arrow the header shows: PE_IndicatorHeaderArrow drawn as the plain up or down arrow
// for the header's own order, so that ascending points up in every style.
class SortArrowStyle : public QProxyStyle {
  Q_OBJECT

 public:
  using QProxyStyle::QProxyStyle;
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
};

// The list's cells drawn as usual, with the size each text needs kept once it is known:
// the columns widen to their contents after every refill, which measures a thousand
// rows of eight columns, and laying out the same weight, club or status text again each
// time cost most of a refill.
class CellSizeMemory : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  // The font the sizes were measured in; another font measures afresh.
  mutable QFont font_;
  mutable QHash<QString, QSize> sizes_[8];
};

class RosterListView : public QTableView {
  Q_OBJECT

 public:
  explicit RosterListView(QWidget* parent = nullptr);

 protected:
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
};

}  // namespace kestrio::platform
