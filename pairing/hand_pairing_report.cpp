#include "pairing/hand_pairing_report.h"

namespace kestrio::pairing {

std::string FormatByHandReport(const PairingRun&) { return {}; }

}  // namespace kestrio::pairing
