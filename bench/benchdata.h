#pragma once
// Generated data of the benchmarks: samples, statobjects and the temporary files that hold them
// when a workload includes the reading. Every generator is seeded, so each run times the same
// data.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "core/statsobject.h"
#include "core/values.h"

namespace statorium::bench {

/// n values of the normal law N(mean, sd).
TValues normalValues(int64_t n, uint64_t seed, double mean = 100.0, double sd = 15.0);

/// A statobject of `properties` properties of `observations` observations each, built from four
/// common factors plus noise of each property's own: most pairs are correlated, some strongly,
/// and every covariance matrix has full rank.
TStatsObject factorObject(int properties, int observations, uint64_t seed);

/// A file in the system's temporary folder, removed when the object goes.
class TempFile {
 public:
  /// `tag` and the extension make the name, together with the process id.
  TempFile(const std::string& tag, const std::string& extension);
  ~TempFile();
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  const std::string& path() const { return m_path; }

 private:
  std::string m_path;
};

/// A sample text file of n normal values as the program writes samples, made on first use and
/// removed at the end of the run.
const std::string& sampleFile(int64_t n);

/// Runs a workload at every power of ten of values from 10^3 to 10^7, timed in milliseconds, with
/// the growth fitted (for BENCHMARK(...)->Apply).
void valueDecades(benchmark::internal::Benchmark* b);
/// The same over pairs of values from 10^3 to 10^6.
void pairDecades(benchmark::internal::Benchmark* b);

/// Records the size n of the run: the complexity fit's N and the items (values, pairs,
/// observations) processed per second.
void setSize(benchmark::State& state, int64_t n);

}  // namespace statorium::bench
