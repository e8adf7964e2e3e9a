#pragma once

// The Bouts tab beside the roster list, and the Short of Minimum view.
//
// Abstract so that tests can see what was shown and highlight bouts; the desktop front
// end shows tables. Which bouts are shown, in which order, and what each cell says is
// decided by the core (bouts_view.h); the pane only draws it.

#include <cstdint>
#include <utility>
#include <vector>

#include "board/bout_board.h"
#include "board/short_of_minimum.h"
#include "reports/schedule_reports.h"

namespace kestrio::ui {

class BoutsPane {
 public:
  virtual ~BoutsPane() = default;

  // Shows the bouts at these places of board.Bouts, in this order; sort_column is the
  // column the order follows (1-based, negative when descending; 0 for the board's own
  // order), for the header's mark. day is the board's mat schedule, or null: the Mat
  // and Time columns show only with one. The pane reads the board and the day whenever it
  // draws: both must stay alive and unchanged until the next ShowBouts.
  virtual void ShowBouts(const board::BoutBoard& board, const std::vector<std::int32_t>& places,
                         int sort_column, const reports::MatDay* day) = 0;
  // Places (in board.Bouts) of the highlighted bouts, in row order.
  virtual std::vector<std::int32_t> HighlightedBouts() const = 0;

  // The Short of Minimum view: each wrestler with his candidates. board as above.
  virtual void ShowShortOfMinimum(const board::BoutBoard& board,
                                  const std::vector<board::ShortWrestler>& rows) = 0;
  // The highlighted candidate: the short wrestler and the candidate, board places;
  // {-1, -1} when no candidate is highlighted.
  virtual std::pair<int, int> HighlightedCandidate() const = 0;
};

}  // namespace kestrio::ui
