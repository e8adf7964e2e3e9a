#include "testing/literal_repair.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <utility>

#include "pairing/goodness_of_fit.h"
#include "pairing/pairing_run.h"

namespace kestrio::testing {

using board::Bout;
using board::BoutBoard;
namespace {

float FitByText(const BoutBoard& board, int a, int b, bool relaxed) {
  const pairing::FitTolerances t = relaxed ? pairing::RelaxedTolerances(board.Control)
                                           : pairing::OptimumTolerances(board.Control);
  const double fit = pairing::ComputeFit(board.Wrestlers[a].Fit, board.Wrestlers[b].Fit, t);
  char text[400];
  std::snprintf(text, sizeof text, "%8.6f", fit);
  return std::strtof(text, nullptr);
}

int Count(const BoutBoard& board, int w) {
  int n = 0;
  for (const Bout& b : board.Bouts) n += b.Has(w) ? 1 : 0;
  return n;
}

bool Met(const BoutBoard& board, int a, int b) {
  for (const Bout& bout : board.Bouts) {
    if (bout.Has(a) && bout.Has(b)) return true;
  }
  return false;
}

int FreeRound(const BoutBoard& board, int a, int b) {
  for (int r = 1;; ++r) {
    bool busy = false;
    for (const Bout& bout : board.Bouts)
      busy = busy || (bout.Round == r && (bout.Has(a) || bout.Has(b)));
    if (!busy) return r;
  }
}

void Pass(BoutBoard& board, const std::vector<int>& wanting, int target, bool relaxed) {
  const pairing::PairingControl& c = board.Control;
  for (;;) {
    // Choosers: fewest bouts first, then board place; the order is fixed for the round.
    std::vector<int> order;
    for (int w : wanting) {
      if (Count(board, w) < target && Count(board, w) < c.MaxBoutsAllowed) order.push_back(w);
    }
    if (order.empty()) return;
    std::stable_sort(order.begin(), order.end(), [&](int x, int y) {
      return std::make_pair(Count(board, x), x) < std::make_pair(Count(board, y), y);
    });
    std::set<int> taken;
    int made = 0;
    for (int chooser : order) {
      if (taken.count(chooser)) continue;
      float best = 0;
      int partner = -1;
      for (int b = 0; b < static_cast<int>(board.Wrestlers.size()); ++b) {
        if (b == chooser || board.Wrestlers[b].Scratched || taken.count(b)) continue;
        if (Count(board, b) >= c.MaxBoutsAllowed || Met(board, chooser, b)) continue;
        const float fit = FitByText(board, chooser, b, relaxed);
        if (fit > best && fit > c.MinGoodnessOfFitAllowed) {
          best = fit;
          partner = b;
        }
      }
      taken.insert(chooser);
      if (partner < 0) continue;
      taken.insert(partner);
      Bout bout;
      bout.Id = board.NextId++;
      bout.Number = relaxed ? -(board.HighestNumber + 1) : board.HighestNumber + 1;
      ++board.HighestNumber;
      bout.Round = FreeRound(board, chooser, partner);
      bout.WeightClass = pairing::BoutWeightClass(board.Wrestlers[chooser].Shown.Weight,
                                                  board.Wrestlers[partner].Shown.Weight);
      bout.First = chooser;
      bout.Second = partner;
      bout.Fit = best;
      board.Bouts.push_back(bout);
      ++made;
    }
    if (made == 0) return;
  }
}

}  // namespace

void PairWantingLiterally(BoutBoard& board, const std::vector<int>& wanting, int target) {
  Pass(board, wanting, target, false);
  Pass(board, wanting, target, true);
}

void ScratchLiterally(BoutBoard& board, int wrestler) {
  std::set<int> opponents;
  std::vector<Bout> kept;
  for (const Bout& b : board.Bouts) {
    if (b.Has(wrestler)) {
      opponents.insert(b.Opponent(wrestler));
    } else {
      kept.push_back(b);
    }
  }
  board.Bouts = kept;
  board.Wrestlers[wrestler].Scratched = true;
  std::vector<int> wanting;
  for (int o : opponents) {
    if (Count(board, o) < board.Control.MinBoutsWanted) wanting.push_back(o);
  }
  PairWantingLiterally(board, wanting, board.Control.MinBoutsWanted);
}

}  // namespace kestrio::testing
