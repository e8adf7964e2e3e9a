#pragma once

// The by-hand exceptions report "Tandrel-PairingByhand.txt": wrestlers left below the
// minimum number of bouts wanted, with the partners still worth considering, then the
// non-optimum bouts for review.

#include <string>

#include "pairing/pairing_run.h"

namespace kestrio::pairing {

inline constexpr std::string_view kByHandReportName = "Tandrel-PairingByhand.txt";

// The whole report text (CR LF line ends) from a finished run.
std::string FormatByHandReport(const PairingRun& run);

}  // namespace kestrio::pairing
