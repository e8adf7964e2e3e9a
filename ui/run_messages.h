#pragma once

// What the organiser is told after a pairing run and when a report cannot be shown.

#include <string>
#include <string_view>

#include "pairing/pairing_run.h"
#include "reports/run_pairing.h"

namespace kestrio::ui {

// Caption of the box that says why a report cannot be shown.
inline constexpr std::string_view kNoReportCaption = "Kestrio: Report Not Available";
// The extra button of a run's success box: it opens the by-hand report.
inline constexpr std::string_view kShowExceptionsButton = "Show Pairing Exceptions";

// The figures of a finished run, for its success box: wrestlers paired, bouts, how many
// of them non-optimum, rounds, and wrestlers short of the minimum wanted. Lines end with
// '\n' (none after the last).
std::string RunSummaryText(const pairing::PairingRun& run);

// Why the report file_name cannot be shown: no run yet, a run refused or failed before
// writing it (with the run's own message), or a file gone since the run wrote it.
// ran: a run was made since start-up; outcome: the last run's.
std::string MissingReportText(std::string_view file_name, bool ran,
                              const reports::PairingOutcome& outcome);

}  // namespace kestrio::ui
