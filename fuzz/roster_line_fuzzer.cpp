// Any bytes as one roster line: an accepted entry holds numbers that read back.

#include "fuzz/fuzz_main.h"
#include "fuzz/roster_properties.h"

KESTRIO_FUZZ_TARGET(kestrio::fuzz::CheckRosterLine)
