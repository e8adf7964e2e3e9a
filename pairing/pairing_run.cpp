#include "pairing/pairing_run.h"

namespace kestrio::pairing {

Status PairBouts(const roster::Roster&, const PairingControl& control, PairingProgress*,
                 PairingRun* run) {
  *run = PairingRun();
  run->Control = control;
  return Status::Ok();
}

}  // namespace kestrio::pairing
