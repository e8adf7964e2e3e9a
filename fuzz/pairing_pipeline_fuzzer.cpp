// Any bytes as the organiser's limits and a roster file: load, select all, run, and
// check the bouts and every report.

#include "fuzz/fuzz_main.h"
#include "fuzz/pipeline_properties.h"

KESTRIO_FUZZ_TARGET(kestrio::fuzz::CheckPairingPipeline)
