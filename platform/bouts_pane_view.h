#pragma once

// The "Bouts" tab beside the roster list: the board's bouts in a table (drawn lazily, so
// that ten thousand bouts show at once) and, below it, the "Short of Minimum" view: the
// wrestlers still short of the minimum wanted, each with his candidates and their fits,
// and a button that adds the highlighted candidate's bout.

#include <QWidget>

#include <functional>
#include <vector>

#include "ui/bouts_pane.h"

class QPushButton;
class QTableView;
class QTreeWidget;

namespace kestrio::platform {

class BoutsTableModel;

class BoutsPaneView : public QWidget, public ui::BoutsPane {
  Q_OBJECT

 public:
  explicit BoutsPaneView(QWidget* parent = nullptr);
  ~BoutsPaneView() override;

  void ShowBouts(const board::BoutBoard& board, const std::vector<std::int32_t>& places,
                 int sort_column, const reports::MatDay* day) override;
  std::vector<std::int32_t> HighlightedBouts() const override;
  void ShowShortOfMinimum(const board::BoutBoard& board,
                          const std::vector<board::ShortWrestler>& rows) override;
  std::pair<int, int> HighlightedCandidate() const override;

  QTableView* Table() const { return table_; }
  QTreeWidget* ShortView() const { return short_; }
  QPushButton* AddButton() const { return add_; }

 signals:
  // A column header was clicked; column 1..17 (as ui::kBoutColumns, from 1).
  void ColumnClicked(int column);
  // The organiser asked for the bout between a short wrestler and a candidate.
  void AddBoutRequested(int wrestler, int candidate);

 private:
  BoutsTableModel* model_ = nullptr;
  QTableView* table_ = nullptr;
  QTreeWidget* short_ = nullptr;
  QPushButton* add_ = nullptr;
};

}  // namespace kestrio::platform
