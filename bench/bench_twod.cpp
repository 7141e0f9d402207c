// The two-dimensional analysis of two properties, at growing numbers of pairs.

#include <benchmark/benchmark.h>

#include <random>

#include "core/twodanalysis.h"

namespace {

// Correlated normal pairs with different means, so that the run goes through the linear step.
void pairs(int64_t n, statorium::TValues& x, statorium::TValues& y) {
  std::mt19937_64 gen(11);
  std::normal_distribution<double> d(0.0, 1.0);
  std::vector<long double> xs(static_cast<size_t>(n)), ys(static_cast<size_t>(n));
  for (size_t i = 0; i < xs.size(); ++i) {
    const double a = d(gen), b = d(gen);
    xs[i] = 10 + 2 * a;
    ys[i] = -5 + 0.7 * a + 0.5 * b;
  }
  x = statorium::TValues(std::move(xs));
  y = statorium::TValues(std::move(ys));
}

// The whole run: table, field, report, linear and parabolic regressions; range(1) turns the
// pair to uncorrelated axes first.
void BM_TwoDAnalysis(benchmark::State& state) {
  statorium::TValues x, y;
  pairs(state.range(0), x, y);
  for (auto _ : state) {
    statorium::T2DAnalysis result;
    statorium::ProcessObject(x, y, state.range(1) != 0, result);
    benchmark::DoNotOptimize(result.lines.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_TwoDAnalysis)
    ->ArgsProduct({{1000, 100000, 1000000}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
