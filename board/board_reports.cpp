#include "board/board_reports.h"

namespace kestrio::board {

reports::PairingOutcome WriteBoardReports(FileSystem& fs, const BoutBoard& board,
                                          reports::BlockMemo* memo) {
  if (memo != nullptr) {
    // The blocks are kept by board place and bout id, which no edit changes.
    std::vector<std::int32_t> wrestlers;
    wrestlers.reserve(board.Wrestlers.size());
    for (std::size_t w = 0; w < board.Wrestlers.size(); ++w) {
      if (!board.Wrestlers[w].Scratched) wrestlers.push_back(static_cast<std::int32_t>(w));
    }
    std::vector<std::int32_t> bouts;
    bouts.reserve(board.Bouts.size());
    for (const Bout& bout : board.Bouts) bouts.push_back(bout.Id);
    memo->Name(std::move(wrestlers), std::move(bouts));
  }
  return reports::WriteRunReports(fs, BoardRun(board), memo);
}

}  // namespace kestrio::board
