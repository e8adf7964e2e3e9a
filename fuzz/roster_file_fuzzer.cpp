// Any bytes as a roster file: the reader agrees with the parser, Open keeps what the
// reader keeps, and a saved roster loads back.

#include "fuzz/fuzz_main.h"
#include "fuzz/roster_properties.h"

KESTRIO_FUZZ_TARGET(kestrio::fuzz::CheckRosterText)
