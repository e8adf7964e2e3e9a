#pragma once

// Random boards for the tests of the bout board: tie-heavy rosters, controls that leave
// room to re-pair (at least one bout allowed and wanted), and the board a run leaves.

#include <algorithm>
#include <random>
#include <string>

#include "board/bout_board.h"
#include "pairing/pairing_run.h"
#include "roster/roster_reader.h"
#include "testing/roster_loader.h"

namespace kestrio::testing {

// Few distinct weights, ages, ratings and clubs, so that equal fits abound; a mix of
// statuses; the display order shuffled.
inline roster::Roster RepairRoster(std::mt19937& rng, int size) {
  const double weights[] = {30, 30, 31.5, 33, 35, 36.3, 40, 44, 44, 50, 55, 60, 72.4};
  const char* clubs[] = {"Ajax", "  Ajax", "Bears", "Cobra", "Dingo Wrestling"};
  const char* statuses[] = {"Selected", "Selected", "Selected", " Selected", "", "UnSelected"};
  std::string text;
  for (int i = 0; i < size; ++i) {
    const double w =
        weights[rng() % std::size(weights)] + (rng() % 4 == 0 ? (rng() % 300) / 100.0 : 0);
    char line[200];
    std::snprintf(line, sizeof line, "Last%d\tFirst%d\t%.2f\t%.1f\t%.1f\t%s\t%s\n", i,
                  static_cast<int>(rng() % 5), w, 8 + (rng() % 9) * 0.5, (rng() % 6) * 0.5,
                  clubs[rng() % std::size(clubs)], statuses[rng() % std::size(statuses)]);
    text += line;
  }
  roster::Roster roster = Loaded(text);
  std::shuffle(roster.DisplayOrder.begin(), roster.DisplayOrder.end(), rng);
  return roster;
}

inline pairing::PairingControl RepairControl(std::mt19937& rng) {
  pairing::PairingControl c;
  const float weight_tolerances[] = {10, 5, 20, 0.5f};
  const float other_tolerances[] = {1.5f, 1, 3, 0.5f};
  const float min_fits[] = {0.01f, 0.0f, 0.125f, 0.5f};
  const float same_club[] = {0, 0.25f, 1, 0.6f};
  c.MaxAllowedDiffWeight = weight_tolerances[rng() % 4];
  c.MaxAllowedDiffAge = other_tolerances[rng() % 4];
  c.MaxAllowedDiffRating = other_tolerances[rng() % 4];
  c.MinGoodnessOfFitAllowed = min_fits[rng() % 4];
  c.SameClubPairingWeight = same_club[rng() % 4];
  c.MaxBoutsAllowed = static_cast<std::int32_t>(1 + rng() % 5);
  c.MaxBoutsWanted = static_cast<std::int32_t>(1 + rng() % 4);
  c.MinBoutsWanted = static_cast<std::int32_t>(1 + rng() % 4);
  return c;
}

// The board a pairing run over roster leaves.
inline board::BoutBoard BoardOf(const roster::Roster& roster,
                                const pairing::PairingControl& control,
                                pairing::PairingRun* run_out = nullptr) {
  pairing::PairingRun run;
  (void)pairing::PairBouts(roster, control, nullptr, &run);
  board::BoutBoard board = board::BoardFromRun(run, roster);
  if (run_out != nullptr) *run_out = std::move(run);
  return board;
}

// Six wrestlers of three clubs, paired by the default limits (10% weight, 1.5 years and
// points, club mates never, two bouts wanted, four allowed): a board small enough to
// reason about by hand in the tests of edits and of their dialogs.
inline board::BoutBoard SixWrestlerBoard() {
  return BoardOf(Loaded("Adams\tAl\t60\t10\t2\tTigers\tyes\n"
                        "Baker\tBo\t61\t10\t2\tLions\tyes\n"
                        "Cole\tCy\t62\t10\t2\tBears\tyes\n"
                        "Dunn\tDi\t63\t10\t2\tTigers\tyes\n"
                        "Evans\tEd\t64\t10\t2\tLions\tyes\n"
                        "Ford\tFi\t95\t14\t4\tBears\tyes\n"),
                 pairing::PairingControl());
}

}  // namespace kestrio::testing
