#pragma once

// The reports of a bout board: every Tandrel report, written from the board with the
// run's own writers, in the run's formats and order.

#include "base/file_system.h"
#include "board/bout_board.h"
#include "reports/run_pairing.h"

namespace kestrio::board {

// Rewrites every report into fs's working directory from the board (see
// reports::WriteRunReports): each file whole or not at all, a failure naming the files
// that could not be written. The by-hand report lists whoever is still short of the
// minimum wanted, with candidates and fits. memo, when given, keeps the reports' blocks
// for the next rewrite of the same day's reports.
reports::PairingOutcome WriteBoardReports(FileSystem& fs, const BoutBoard& board,
                                          reports::BlockMemo* memo = nullptr);

}  // namespace kestrio::board
