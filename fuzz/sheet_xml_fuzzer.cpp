// Any bytes as a workbook's shared strings and sheet XML: read within limits, valid
// UTF-8, one roster line a row.

#include "fuzz/fuzz_main.h"
#include "fuzz/sheet_properties.h"

KESTRIO_FUZZ_TARGET(kestrio::fuzz::CheckSheetXml)
