// The two-dimensional analysis of two properties, at growing numbers of pairs.

#include <random>
#include <vector>

#include "bench/benchdata.h"
#include "core/twodanalysis.h"

namespace statorium::bench {
namespace {

// Correlated normal pairs with different means, so that the run goes through the linear
// regression step as well.
void correlatedPairs(int64_t n, TValues& x, TValues& y) {
  std::mt19937_64 gen(11);
  std::normal_distribution<double> d(0.0, 1.0);
  std::vector<long double> xs(static_cast<size_t>(n)), ys(static_cast<size_t>(n));
  for (size_t i = 0; i < xs.size(); ++i) {
    const double a = d(gen), b = d(gen);
    xs[i] = 10 + 2 * a;
    ys[i] = -5 + 0.7 * a + 0.5 * b;
  }
  x = TValues(std::move(xs));
  y = TValues(std::move(ys));
}

// The whole run: correlation table, field, report, the normal law check, the linear and the
// parabolic regressions; with `independent` the pair is turned to uncorrelated axes first.
void twoD(benchmark::State& state, bool independent) {
  const int64_t n = state.range(0);
  TValues x, y;
  correlatedPairs(n, x, y);
  for (auto _ : state) {
    T2DAnalysis result;
    ProcessObject(x, y, independent, result);
    benchmark::DoNotOptimize(result.lines.data());
  }
  setSize(state, n);
}

void TwoD(benchmark::State& state) {
  twoD(state, false);
}
BENCHMARK(TwoD)->Apply(pairDecades);

void TwoDIndependent(benchmark::State& state) {
  twoD(state, true);
}
BENCHMARK(TwoDIndependent)->Name("TwoD/independent")->Apply(pairDecades);

}  // namespace
}  // namespace statorium::bench
