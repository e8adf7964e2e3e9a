// The finishing steps of a pairing run: the bouts get their places and numbers.

#include <algorithm>
#include <cstdlib>

#include "pairing/pairing_phase.h"

namespace kestrio::pairing {
namespace {

// A non-optimum bout goes to the earliest round, up to its own, in which both of its
// wrestlers are free. Bouts are moved in creation order, so an earlier move can take a
// round a later bout would have used; optimum bouts never move.
void MoveNonOptimumBouts(PairingRun& run, int last_round) {
  for (int n = 0; n < run.TotalBouts; ++n) {
    const BoutEntry& first = run.BoutList[2 * static_cast<std::size_t>(n)];
    const std::int32_t x = first.BoutNumber;
    if (x >= 0) continue;
    const int a = first.SelectionIndex;
    const int b = run.BoutList[2 * static_cast<std::size_t>(n) + 1].SelectionIndex;
    bool placed = false;
    for (int r = 1; r <= last_round; ++r) {
      if (run.RoundEntry(a, r - 1) == x) {
        if (placed) run.RoundEntry(a, r - 1) = run.RoundEntry(b, r - 1) = 0;
        break;
      }
      if (!placed && run.RoundEntry(a, r - 1) == 0 && run.RoundEntry(b, r - 1) == 0) {
        run.RoundEntry(a, r - 1) = run.RoundEntry(b, r - 1) = x;
        placed = true;
      }
    }
  }
}

int CountRoundsUsed(PairingRun& run, int last_round) {
  for (int r = std::min(last_round, run.RoundCapacity); r >= 1; --r) {
    for (int a = 0; a < run.SelectionSize; ++a) {
      if (run.RoundEntry(a, r - 1) != 0) return r;
    }
  }
  return 0;
}

// Bouts are numbered round by round, within a round in the order of the lower
// SelectionIndex of the two wrestlers; a number keeps the sign of its bout.
void NumberBouts(PairingRun& run) {
  std::vector<std::int32_t> final_number(static_cast<std::size_t>(run.TotalBouts) + 1, 0);
  std::int32_t next = 0;
  for (int r = 1; r <= run.RoundsUsed; ++r) {
    for (int a = 0; a < run.SelectionSize; ++a) {
      const std::int32_t x = run.RoundEntry(a, r - 1);
      if (x == 0 || final_number[std::abs(x)] != 0) continue;
      final_number[std::abs(x)] = ++next;
    }
  }
  auto renumber = [&](std::int32_t x) {
    const std::int32_t t = final_number[std::abs(x)];
    return x < 0 ? -t : t;
  };
  for (std::int32_t& x : run.RoundTable) {
    if (x != 0) x = renumber(x);
  }
  run.BoutOrder.assign(static_cast<std::size_t>(run.TotalBouts), 0);
  for (std::size_t i = 0; i < run.BoutList.size(); ++i) {
    BoutEntry& entry = run.BoutList[i];
    const std::int32_t creation = std::abs(entry.BoutNumber);
    entry.BoutNumber = renumber(entry.BoutNumber);
    run.BoutOrder[std::abs(entry.BoutNumber) - 1] = creation - 1;
  }
}

// Drops the rounds past the last one used: readers of a finished run scan every round
// the table holds.
void NarrowToRoundsUsed(PairingRun& run) {
  const int width = run.RoundsUsed;
  if (width >= run.RoundCapacity) return;
  for (int a = 1; a < run.SelectionSize; ++a) {
    const auto from = run.RoundTable.begin() + static_cast<std::ptrdiff_t>(a) * run.RoundCapacity;
    std::copy_n(from, width, run.RoundTable.begin() + static_cast<std::ptrdiff_t>(a) * width);
  }
  run.RoundTable.resize(static_cast<std::size_t>(run.SelectionSize) * width);
  run.RoundCapacity = width;
}

}  // namespace

void FinishBouts(PairingRun& run, int last_round) {
  std::replace(run.RoundTable.begin(), run.RoundTable.end(), kNoPartnerMark, 0);
  MoveNonOptimumBouts(run, last_round);
  run.RoundsUsed = CountRoundsUsed(run, last_round);
  NarrowToRoundsUsed(run);
  NumberBouts(run);
}

}  // namespace kestrio::pairing
