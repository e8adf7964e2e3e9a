#include "pairing/pairing_control.h"

namespace kestrio::pairing {

std::string FormatPairingControl(const PairingControl&) { return {}; }

Status ParsePairingControl(std::string_view, const std::string&, PairingControl*) {
  return Status::Ok();
}

Status ReadPairingControl(FileSystem&, PairingControl*) { return Status::Ok(); }

Status WritePairingControl(FileSystem&, const PairingControl&) { return Status::Ok(); }

Status LoadPairingControl(FileSystem&, PairingControl* control) {
  *control = PairingControl();
  return Status::Ok();
}

}  // namespace kestrio::pairing
