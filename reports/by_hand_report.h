#pragma once

// The by-hand exceptions report "Tandrel-PairingByhand.txt" (kByHandName): wrestlers left
// below the minimum number of bouts wanted, with the partners still worth considering
// under the relaxed limits, then the non-optimum bouts for review.

#include <string>

#include "pairing/pairing_run.h"

namespace kestrio::reports {

// The whole report text (CR LF line ends) from a finished run that passes
// CheckBoutTables.
std::string WriteByHandReport(const pairing::PairingRun& run);

}  // namespace kestrio::reports
