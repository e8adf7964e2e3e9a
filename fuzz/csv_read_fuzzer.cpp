// Any bytes as a CSV roster: read within limits, written back unchanged, one line a row.

#include "fuzz/fuzz_main.h"
#include "fuzz/sheet_properties.h"

KESTRIO_FUZZ_TARGET(kestrio::fuzz::CheckCsvRead)
