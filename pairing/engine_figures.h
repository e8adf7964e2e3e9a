#pragma once

// The figures an organiser compares the two engines by, from a finished run.

#include <string>

#include "pairing/pairing_run.h"

namespace kestrio::pairing {

struct EngineFigures {
  int Short = 0;  // wrestlers below MinBoutsWanted
  int Bouts = 0;
  double MeanFit = 0;   // each bout by the fit it was made under: the organiser's
  double WorstFit = 0;  // tolerances, or the doubled ones for a non-optimum bout
  int NonOptimum = 0;
  int Rounds = 0;
};

EngineFigures FiguresOf(const PairingRun& run);
// The figures that are counted, not measured: Short, Bouts, NonOptimum and Rounds, with
// the fits left 0. A pass over the bouts instead of a fit computed for each.
EngineFigures CountsOf(const PairingRun& run);

// The two engines side by side, one figure a line ending in '\n'; the minimum wanted
// stands in the first line's caption.
std::string FormatComparison(const EngineFigures& greedy, const EngineFigures& optimal,
                             int min_bouts_wanted);

}  // namespace kestrio::pairing
