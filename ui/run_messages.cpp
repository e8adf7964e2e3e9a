#include "ui/run_messages.h"

#include <algorithm>

#include "pairing/engine_figures.h"

namespace kestrio::ui {
namespace {

std::string Count(int n, std::string_view one, std::string_view many) {
  return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

}  // namespace

std::string RunSummaryText(const pairing::PairingRun& run) {
  // Counts alone: the message shows no fit.
  const pairing::EngineFigures f = pairing::CountsOf(run);
  const int paired = static_cast<int>(std::count_if(run.BoutCount.begin(), run.BoutCount.end(),
                                                    [](std::int32_t n) { return n > 0; }));
  const int minimum = run.Control.MinBoutsWanted;
  std::string text = Count(paired, "wrestler", "wrestlers") + " of " +
                     std::to_string(run.SelectionSize) + " paired in " +
                     Count(f.Bouts, "bout", "bouts") + " (" + std::to_string(f.NonOptimum) +
                     " non-optimum) over " + Count(f.Rounds, "round", "rounds") + ".\n";
  if (f.Short == 0) {
    text += "Every wrestler has at least the minimum of " + Count(minimum, "bout", "bouts") + ".";
  } else {
    text += Count(f.Short, "wrestler is", "wrestlers are") + " short of the minimum of " +
            Count(minimum, "bout", "bouts") + ": see Pairing Exceptions.";
  }
  return text;
}

std::string MissingReportText(std::string_view file_name, bool ran,
                              const reports::PairingOutcome& outcome) {
  const std::string name(file_name);
  if (!ran) return name + " does not exist yet: no pairing run was made since Kestrio started.";
  const bool written = std::find(outcome.FilesWritten.begin(), outcome.FilesWritten.end(), name) !=
                       outcome.FilesWritten.end();
  if (written) {
    return name +
           " was written by the last pairing run but cannot be read now: it was "
           "removed, renamed or is held by another program.";
  }
  if (outcome.status.IsCancelled()) {
    return name + " does not exist: the last pairing run was cancelled.";
  }
  if (!outcome.status.ok() && outcome.FilesWritten.empty()) {
    return name + " does not exist: the last pairing run was refused.\n\n" +
           outcome.status.message();
  }
  return name + " does not exist: the last pairing run could not write it.\n\n" +
         outcome.status.message();
}

}  // namespace kestrio::ui
