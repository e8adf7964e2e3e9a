#pragma once

// The by-hand exceptions report "Tandrel-PairingByhand.txt" (kByHandName): wrestlers left
// below the minimum number of bouts wanted, with the partners still worth considering
// under the relaxed limits, then the non-optimum bouts for review.

#include <string>

#include "pairing/pairing_run.h"
#include "reports/report_line.h"

namespace kestrio::reports {

// The whole report text (CR LF line ends) from a finished run that passes
// CheckBoutTables, returned or written into out.
std::string WriteByHandReport(const pairing::PairingRun& run);
void WriteByHandReportInto(const pairing::PairingRun& run, ReportText& out);

}  // namespace kestrio::reports
