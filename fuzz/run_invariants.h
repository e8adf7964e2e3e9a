#pragma once

// The invariants of a finished pairing run that every report relies on, checked from
// the per-run state alone. Shared by the pipeline fuzz target and the soak test.

#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "fuzz/property_check.h"
#include "pairing/pairing_control.h"
#include "pairing/pairing_run.h"

namespace kestrio::fuzz {

namespace run_detail {

inline bool TablesHaveTheirSizes(const pairing::PairingRun& run) {
  const auto n = static_cast<std::size_t>(run.SelectionSize);
  return run.SelectionSize >= 0 && run.SelectedList.size() == n && run.BoutCount.size() == n &&
         run.RoundCapacity >= 0 &&
         run.RoundTable.size() == n * static_cast<std::size_t>(run.RoundCapacity) &&
         run.BoutList.size() == 2 * static_cast<std::size_t>(run.TotalBouts) &&
         run.BoutOrder.size() == static_cast<std::size_t>(run.TotalBouts) && run.RoundsUsed >= 0 &&
         run.RoundsUsed <= run.RoundCapacity;
}

}  // namespace run_detail

inline void CheckRunInvariants(const pairing::PairingRun& run,
                               const pairing::PairingControl& control, Violations& v) {
  v.Expect(run_detail::TablesHaveTheirSizes(run), "the run's tables do not have their sizes");
  if (v.any()) return;
  const int n = run.SelectionSize;
  const int total = run.TotalBouts;

  // Where each bout number sits in the round table: exactly two rows of one round.
  std::vector<int> seen(static_cast<std::size_t>(total) + 1, 0);
  std::vector<int> round_of(static_cast<std::size_t>(total) + 1, -1);
  std::vector<std::vector<int>> sides(static_cast<std::size_t>(total) + 1);
  std::vector<int> bouts_in_table(static_cast<std::size_t>(n), 0);
  for (int r = 0; r < run.RoundCapacity; ++r) {
    for (int a = 0; a < n; ++a) {
      const std::int32_t x = run.RoundEntry(a, r);
      if (x == 0) continue;
      v.Expect(r < run.RoundsUsed, "a bout sits in a round past RoundsUsed");
      const int b = std::abs(x);
      v.Expect(b >= 1 && b <= total, "the round table holds a number outside 1..TotalBouts");
      if (v.any()) return;
      ++seen[b];
      ++bouts_in_table[a];
      sides[b].push_back(a);
      v.Expect(round_of[b] == -1 || round_of[b] == r, "a bout is spread over two rounds");
      round_of[b] = r;
    }
  }
  for (int b = 1; b <= total; ++b) {
    v.Expect(seen[b] == 2, "bout " + std::to_string(b) + " is not in exactly two rows");
    v.Expect(b == 1 || round_of[b] >= round_of[b - 1], "bouts are not numbered in round order");
  }
  if (v.any()) return;
  if (run.RoundsUsed > 0) {
    bool last_round_used = false;
    for (int a = 0; a < n; ++a) last_round_used |= run.RoundEntry(a, run.RoundsUsed - 1) != 0;
    v.Expect(last_round_used, "RoundsUsed counts an empty last round");
  }

  // Bout counts: as in the table, as in the bout list, never above the hard limit.
  std::vector<int> bouts_in_list(static_cast<std::size_t>(n), 0);
  std::set<std::pair<int, int>> pairs;
  for (int k = 0; k < total; ++k) {
    const pairing::BoutEntry& first = run.BoutList[2 * static_cast<std::size_t>(k)];
    const pairing::BoutEntry& second = run.BoutList[2 * static_cast<std::size_t>(k) + 1];
    v.Expect(first.BoutNumber == second.BoutNumber, "the two sides of a bout differ in number");
    v.Expect(first.WeightClass == second.WeightClass, "the two sides of a bout differ in class");
    const int a = first.SelectionIndex;
    const int b = second.SelectionIndex;
    v.Expect(a >= 0 && a < n && b >= 0 && b < n, "a bout side is outside the selection");
    if (v.any()) return;
    v.Expect(a != b, "a wrestler wrestles itself");
    v.Expect(pairs.insert({std::min(a, b), std::max(a, b)}).second, "a pair meets twice");
    ++bouts_in_list[a];
    ++bouts_in_list[b];
    const int number = std::abs(first.BoutNumber);
    v.Expect(number >= 1 && number <= total, "a bout list number is outside 1..TotalBouts");
    if (v.any()) return;
    const std::vector<int>& table_sides = sides[number];
    v.Expect((table_sides[0] == a && table_sides[1] == b) ||
                 (table_sides[0] == b && table_sides[1] == a),
             "the bout list and the round table disagree on who wrestles bout " +
                 std::to_string(number));
    v.Expect(run.RoundEntry(a, round_of[number]) == first.BoutNumber,
             "the bout list and the round table disagree on the sign of a bout");
    v.Expect(run.BoutOrder[static_cast<std::size_t>(number) - 1] == k,
             "BoutOrder does not lead to the bout with its number");
  }
  for (int a = 0; a < n; ++a) {
    const std::int32_t count = run.BoutCount[static_cast<std::size_t>(a)];
    v.Expect(count == bouts_in_table[a] && count == bouts_in_list[a],
             "a wrestler's bout count disagrees with the tables");
    v.Expect(count <= std::max(control.MaxBoutsAllowed, 0),
             "a wrestler has more bouts than MaxBoutsAllowed");
  }
}

}  // namespace kestrio::fuzz
