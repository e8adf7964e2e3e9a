#include "board/short_of_minimum.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "testing/random_board.h"

namespace kestrio::board {
namespace {

// Everyone short, every candidate, found the plain way: each pair looked at once.
TEST(ShortOfMinimum, NamesTheShortAndTheirBestCandidatesAsAPlainSearchDoes) {
  std::mt19937 rng(11);
  int rows_seen = 0;
  for (int trial = 0; trial < 150; ++trial) {
    SCOPED_TRACE("trial " + std::to_string(trial));
    const roster::Roster roster = testing::RepairRoster(rng, 2 + static_cast<int>(rng() % 40));
    BoutBoard board = testing::BoardOf(roster, testing::RepairControl(rng));
    if (!board.Wrestlers.empty() && rng() % 2)
      board.Wrestlers[rng() % board.Wrestlers.size()].Scratched = true;
    const std::size_t keep = 1 + rng() % 4;
    const std::vector<ShortWrestler> rows = ShortOfMinimum(board, keep);
    const std::vector<std::int32_t> counts = BoutCounts(board);
    std::size_t r = 0;
    for (int w = 0; w < static_cast<int>(board.Wrestlers.size()); ++w) {
      if (board.Wrestlers[static_cast<std::size_t>(w)].Scratched ||
          counts[static_cast<std::size_t>(w)] >= board.Control.MinBoutsWanted) {
        continue;
      }
      ASSERT_LT(r, rows.size());
      const ShortWrestler& row = rows[r++];
      EXPECT_EQ(row.wrestler, w);
      EXPECT_EQ(row.bouts, counts[static_cast<std::size_t>(w)]);
      std::vector<Candidate> all;
      for (int j = 0; j < static_cast<int>(board.Wrestlers.size()); ++j) {
        if (j == w || board.Wrestlers[static_cast<std::size_t>(j)].Scratched ||
            BoutBetween(board, w, j) != 0) {
          continue;
        }
        const float fit = FitOf(board, w, j, /*relaxed=*/true);
        if (fit > 0) all.push_back({j, fit, fit <= board.Control.MinGoodnessOfFitAllowed});
      }
      std::sort(all.begin(), all.end(), [](const Candidate& a, const Candidate& b) {
        return a.fit != b.fit ? a.fit > b.fit : a.wrestler < b.wrestler;
      });
      EXPECT_EQ(row.candidate_count, all.size());
      ASSERT_EQ(row.candidates.size(), std::min(keep, all.size()));
      for (std::size_t k = 0; k < row.candidates.size(); ++k) {
        EXPECT_EQ(row.candidates[k].wrestler, all[k].wrestler);
        EXPECT_EQ(row.candidates[k].fit, all[k].fit);
        EXPECT_EQ(row.candidates[k].below_minimum, all[k].below_minimum);
      }
      ++rows_seen;
    }
    EXPECT_EQ(r, rows.size());
  }
  EXPECT_GT(rows_seen, 100);
}

}  // namespace
}  // namespace kestrio::board
