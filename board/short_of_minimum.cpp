#include "board/short_of_minimum.h"

#include <algorithm>

#include "pairing/fit_index.h"

namespace kestrio::board {

std::vector<ShortWrestler> ShortOfMinimum(const BoutBoard& board, std::size_t max_candidates) {
  std::vector<ShortWrestler> rows;
  const std::vector<std::int32_t> counts = BoutCounts(board);
  for (std::size_t w = 0; w < board.Wrestlers.size(); ++w) {
    if (!board.Wrestlers[w].Scratched && counts[w] < board.Control.MinBoutsWanted) {
      rows.push_back({static_cast<int>(w), counts[w], {}, 0});
    }
  }
  if (rows.empty()) return rows;
  // Who each wrestler already meets, found once rather than per short wrestler.
  std::vector<std::vector<std::int32_t>> met(board.Wrestlers.size());
  for (const Bout& bout : board.Bouts) {
    met[static_cast<std::size_t>(bout.First)].push_back(bout.Second);
    met[static_cast<std::size_t>(bout.Second)].push_back(bout.First);
  }
  std::vector<pairing::FitInputs> fits;
  fits.reserve(board.Wrestlers.size());
  for (const BoardWrestler& w : board.Wrestlers) fits.push_back(w.Fit);
  const pairing::FitIndex relaxed(fits, pairing::RelaxedTolerances(board.Control));
  for (ShortWrestler& row : rows) {
    const std::vector<std::int32_t>& his = met[static_cast<std::size_t>(row.wrestler)];
    std::vector<Candidate> all;
    relaxed.ForEachPositiveFit(row.wrestler, [&](int j, float fit) {
      if (board.Wrestlers[static_cast<std::size_t>(j)].Scratched) return;
      if (std::find(his.begin(), his.end(), j) != his.end()) return;
      all.push_back({j, fit, fit <= board.Control.MinGoodnessOfFitAllowed});
    });
    row.candidate_count = all.size();
    const auto better = [](const Candidate& a, const Candidate& b) {
      return a.fit != b.fit ? a.fit > b.fit : a.wrestler < b.wrestler;
    };
    const std::size_t keep = std::min(max_candidates, all.size());
    std::partial_sort(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(keep), all.end(),
                      better);
    all.resize(keep);
    row.candidates = std::move(all);
  }
  return rows;
}

}  // namespace kestrio::board
