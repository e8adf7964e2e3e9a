#pragma once

// The bout board together with the roster it was paired from: what a scratch or a late
// arrival changes in both, and how a command line names a wrestler of the board.

#include <string>
#include <string_view>
#include <vector>

#include "board/board_change.h"
#include "board/bout_board.h"
#include "roster/roster.h"

namespace kestrio::board {

// Finds the wrestler named "LAST|FIRST|CLUB" (the club may be left out for a wrestler
// without one; blanks do not count), preferring one not scratched. kRefused naming the
// text when nobody on the board has that name.
Status FindWrestlerByName(const BoutBoard& board, std::string_view name, int* place);

// The roster entry behind a board wrestler: the first one in display order with his key
// whose status is `status` ("Selected" for a wrestler on the board); -1 when none.
int EntryOf(const roster::Roster& roster, const WrestlerKey& key, std::string_view status);

// What a scratch did, for the organiser: who, and the bouts taken off and added.
struct ScratchOutcome {
  std::string wrestler;
  int bouts_removed = 0;
  int bouts_added = 0;
  // The roster entry marked "Scratched", or -1 when none was "Selected".
  int entry = -1;
};

// Scratches the board wrestler at `place` and marks his roster entry "Scratched", so
// that no later run pairs him and he is no late arrival. Nothing changes when the
// board refuses.
Status ScratchOnDay(BoutBoard& board, roster::Roster& roster, int place, BoardChange* change,
                    ScratchOutcome* outcome = nullptr);

// Pairs every late arrival of the roster into the board (see LateArrivals);
// *added receives the number of wrestlers put on the board and *bouts the bouts made.
Status PairLateOnDay(BoutBoard& board, const roster::Roster& roster, BoardChange* change,
                     int* added = nullptr, int* bouts = nullptr);

// "3 bouts" / "1 bout".
std::string CountBouts(int n);

}  // namespace kestrio::board
