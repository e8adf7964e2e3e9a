#include "board/board_reports.h"

namespace kestrio::board {

reports::PairingOutcome WriteBoardReports(FileSystem& fs, const BoutBoard& board) {
  return reports::WriteRunReports(fs, BoardRun(board));
}

}  // namespace kestrio::board
