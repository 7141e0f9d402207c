// Fuzz target: the sample CSV reader and the CSV statobject reader.
#include "tests/fuzz/fuzztarget.h"

STATORIUM_FUZZ_TARGET(checkCsv)
