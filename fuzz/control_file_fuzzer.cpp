// Any bytes as the control file: rejected files change nothing, accepted values are
// written back as a file that reads to the same values.

#include "fuzz/control_properties.h"
#include "fuzz/fuzz_main.h"

KESTRIO_FUZZ_TARGET(kestrio::fuzz::CheckControlFile)
