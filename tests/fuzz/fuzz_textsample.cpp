// Fuzz target: the sample text file reader and the number tokens it parses.
#include "tests/fuzz/fuzztarget.h"

STATORIUM_FUZZ_TARGET(checkTextSample)
