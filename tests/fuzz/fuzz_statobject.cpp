// Fuzz target: the statobject file reader, the single-property reader and the 10-byte reals.
#include "tests/fuzz/fuzztarget.h"

STATORIUM_FUZZ_TARGET(checkStatobject)
