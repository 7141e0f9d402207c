// The benchmark suite of the statistics core. Each workload is registered at several sizes; the
// last part of a benchmark's name is its size (values, pairs, observations or properties), so
// that the growth with size can be read off down each family (scripts/bench prints it).

#include <benchmark/benchmark.h>
#include <malloc.h>

namespace {

// Every block of 128 KiB or more comes fresh from the system and goes back when freed, in each
// iteration and at every size, as in a process that reads one file and analyses it. The
// allocator would otherwise raise this threshold as blocks are freed, so that the arrays of small
// sizes are reused warm from one iteration to the next while those of large sizes pay for their
// first touch every time, and the growth read off would mix the two.
[[maybe_unused]] const int kFreshLargeBlocks = mallopt(M_MMAP_THRESHOLD, 128 * 1024);

}  // namespace

BENCHMARK_MAIN();
