#include "platform/bouts_pane_view.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <iterator>

#include "base/number_text.h"
#include "platform/text_codec.h"
#include "ui/bouts_view.h"

namespace kestrio::platform {

// The bouts shown, as places in the board; cells are made only for the rows painted.
class BoutsTableModel : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  void Show(const board::BoutBoard& board, std::vector<std::int32_t> places, int sort_column,
            const reports::MatDay* day) {
    beginResetModel();
    board_ = &board;
    day_ = day;
    places_ = std::move(places);
    sort_column_ = sort_column;
    endResetModel();
  }
  std::int32_t Place(int row) const { return places_[static_cast<std::size_t>(row)]; }
  int SortColumn() const { return sort_column_; }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override {
    return parent.isValid() ? 0 : static_cast<int>(places_.size());
  }
  int columnCount(const QModelIndex& parent = QModelIndex()) const override {
    return parent.isValid() ? 0 : static_cast<int>(ui::kBoutColumns.size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (board_ == nullptr || !index.isValid()) return {};
    const board::Bout& bout = board_->Bouts[static_cast<std::size_t>(Place(index.row()))];
    if (role == Qt::DisplayRole) {
      return BytesToDisplay(ui::BoutCell(*board_, bout, index.column(), day_));
    }
    if (role == Qt::TextAlignmentRole) {
      const int c = index.column();
      const bool text = c == 3 || c == 4 || c == 8 || c == 9 || c == 14;
      return QVariant::fromValue(Qt::AlignVCenter | (text ? Qt::AlignLeft : Qt::AlignRight));
    }
    return {};
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= static_cast<int>(ui::kBoutColumns.size())) {
      return {};
    }
    const std::string_view caption = ui::kBoutColumns[static_cast<std::size_t>(section)];
    return QString::fromLatin1(caption.data(), static_cast<int>(caption.size()));
  }

 private:
  const board::BoutBoard* board_ = nullptr;
  const reports::MatDay* day_ = nullptr;
  std::vector<std::int32_t> places_;
  int sort_column_ = 0;
};

namespace {

QString Name(const board::BoutBoard& board, int place) {
  return BytesToDisplay(
      board::DescribeWrestler(board.Wrestlers[static_cast<std::size_t>(place)].Key));
}

QString Fit(float fit) {
  return BytesToDisplay(std::string(text::WithoutBlanks(text::FormatFixed(fit, 10, 4))));
}

}  // namespace

BoutsPaneView::BoutsPaneView(QWidget* parent) : QWidget(parent) {
  model_ = new BoutsTableModel(this);
  table_ = new QTableView;
  table_->setModel(model_);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setWordWrap(false);
  table_->verticalHeader()->hide();
  // Fixed row heights keep ten thousand bouts instant to scroll.
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
  table_->horizontalHeader()->setSectionsClickable(true);
  table_->horizontalHeader()->setStretchLastSection(true);
  // Widths for the texts the columns hold, set once: measuring ten thousand rows would not
  // be instant. Numbers narrow, names and clubs wide.
  const int digit = table_->fontMetrics().horizontalAdvance(QLatin1Char('0'));
  const int chars[] = {7, 6, 6, 22, 16, 7, 6, 7, 22, 16, 7, 6, 7, 7, 20, 4, 6};
  for (int c = 0; c < static_cast<int>(std::size(chars)); ++c) {
    table_->setColumnWidth(c, chars[c] * digit + 12);
  }
  // Mat and Time stand beside the bout number, where the table worker looks first; they
  // show once the mats are scheduled.
  table_->horizontalHeader()->moveSection(ui::kMatColumn, 1);
  table_->horizontalHeader()->moveSection(ui::kTimeColumn, 2);
  table_->setColumnHidden(ui::kMatColumn, true);
  table_->setColumnHidden(ui::kTimeColumn, true);
  connect(table_->horizontalHeader(), &QHeaderView::sectionClicked, this,
          [this](int logical) { emit ColumnClicked(logical + 1); });

  short_ = new QTreeWidget;
  short_->setColumnCount(3);
  short_->setHeaderLabels({QStringLiteral("Wrestler / candidate"), QStringLiteral("Bouts / fit"),
                           QStringLiteral("Note")});
  short_->setSelectionMode(QAbstractItemView::SingleSelection);
  add_ = new QPushButton(QStringLiteral("Add Bout"));
  add_->setEnabled(false);
  connect(short_, &QTreeWidget::itemSelectionChanged, this,
          [this] { add_->setEnabled(HighlightedCandidate().second >= 0); });
  const auto request = [this] {
    const auto [wrestler, candidate] = HighlightedCandidate();
    if (candidate >= 0) emit AddBoutRequested(wrestler, candidate);
  };
  connect(add_, &QPushButton::clicked, this, request);
  connect(short_, &QTreeWidget::itemDoubleClicked, this, request);

  auto* lower = new QWidget;
  auto* lower_layout = new QVBoxLayout(lower);
  lower_layout->setContentsMargins(0, 0, 0, 0);
  lower_layout->addWidget(new QLabel(QStringLiteral("Short of minimum")));
  lower_layout->addWidget(short_);
  lower_layout->addWidget(add_, 0, Qt::AlignRight);

  auto* split = new QSplitter(Qt::Vertical);
  split->addWidget(table_);
  split->addWidget(lower);
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(split);
}

BoutsPaneView::~BoutsPaneView() = default;

void BoutsPaneView::ShowBouts(const board::BoutBoard& board,
                              const std::vector<std::int32_t>& places, int sort_column,
                              const reports::MatDay* day) {
  model_->Show(board, places, sort_column, day);
  table_->setColumnHidden(ui::kMatColumn, day == nullptr);
  table_->setColumnHidden(ui::kTimeColumn, day == nullptr);
  const int column = sort_column < 0 ? -sort_column : sort_column;
  if (column == 0) {
    table_->horizontalHeader()->setSortIndicatorShown(false);
  } else {
    table_->horizontalHeader()->setSortIndicatorShown(true);
    table_->horizontalHeader()->setSortIndicator(
        column - 1, sort_column < 0 ? Qt::DescendingOrder : Qt::AscendingOrder);
  }
}

std::vector<std::int32_t> BoutsPaneView::HighlightedBouts() const {
  std::vector<std::int32_t> places;
  for (const QModelIndex& index : table_->selectionModel()->selectedRows()) {
    places.push_back(model_->Place(index.row()));
  }
  return places;
}

void BoutsPaneView::ShowShortOfMinimum(const board::BoutBoard& board,
                                       const std::vector<board::ShortWrestler>& rows) {
  short_->clear();
  for (const board::ShortWrestler& row : rows) {
    auto* item = new QTreeWidgetItem(
        short_,
        {Name(board, row.wrestler), QString::number(row.bouts),
         row.candidates.empty() ? QStringLiteral("No match within the limits") : QString()});
    item->setData(0, Qt::UserRole, row.wrestler);
    item->setData(1, Qt::UserRole, -1);
    for (const board::Candidate& c : row.candidates) {
      auto* child = new QTreeWidgetItem(
          item, {Name(board, c.wrestler), Fit(c.fit),
                 c.below_minimum ? QStringLiteral("below the minimum fit") : QString()});
      child->setData(0, Qt::UserRole, row.wrestler);
      child->setData(1, Qt::UserRole, c.wrestler);
    }
    if (row.candidate_count > row.candidates.size()) {
      auto* more =
          new QTreeWidgetItem(item, {QStringLiteral("%1 more in the by-hand report")
                                         .arg(row.candidate_count - row.candidates.size())});
      more->setData(0, Qt::UserRole, row.wrestler);
      more->setData(1, Qt::UserRole, -1);
    }
  }
  short_->expandAll();
  short_->resizeColumnToContents(0);
  add_->setEnabled(false);
}

std::pair<int, int> BoutsPaneView::HighlightedCandidate() const {
  const QList<QTreeWidgetItem*> items = short_->selectedItems();
  if (items.isEmpty()) return {-1, -1};
  return {items[0]->data(0, Qt::UserRole).toInt(), items[0]->data(1, Qt::UserRole).toInt()};
}

}  // namespace kestrio::platform
