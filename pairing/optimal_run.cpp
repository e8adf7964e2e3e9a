#include "pairing/optimal_run.h"

#include "pairing/optimal_reasons.h"
#include "pairing/optimal_rounds.h"
#include "pairing/optimal_solver.h"

namespace kestrio::pairing {

Status PairBoutsOptimal(const roster::Roster& roster, const PairingControl& control,
                        PairingProgress* progress, PairingRun* run) {
  if (Status status = PrepareSelection(roster, control, run); !status.ok()) return status;
  OptimalMeter meter(progress);
  const OptimalChoice choice = ChooseOptimalBouts(run->FitList, control, meter);
  if (!choice.Completed) {
    *run = PairingRun();
    run->Control = control;
    return choice.TooLarge ? Status::TooLarge(std::string(kOptimalTooLargeText))
                           : Status::Cancelled(std::string(kOptimalCancelledText));
  }
  FillOptimalRun(choice.Bouts, *run);
  run->ShortfallReasons.assign(static_cast<std::size_t>(run->SelectionSize), std::string());
  for (const ShortfallProof& proof : ProveShortfalls(*run)) {
    run->ShortfallReasons[proof.wrestler] = DescribeShortfall(*run, proof);
  }
  meter.To(OptimalMeter::kSteps);
  return Status::Ok();
}

Status PairWith(PairingEngine engine, const roster::Roster& roster, const PairingControl& control,
                PairingProgress* progress, PairingRun* run) {
  return engine == PairingEngine::Optimal ? PairBoutsOptimal(roster, control, progress, run)
                                          : PairBouts(roster, control, progress, run);
}

}  // namespace kestrio::pairing
