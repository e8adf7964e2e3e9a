// Any bytes as a weight, age or rating field: the free-form read and the writers agree.

#include "fuzz/fuzz_main.h"
#include "fuzz/number_read_properties.h"

KESTRIO_FUZZ_TARGET(kestrio::fuzz::CheckNumberRead)
