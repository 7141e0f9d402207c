// The similarity checks of series: two series, many series, and the average-parameters
// experiment. The series are in memory; reading them is timed with the sample files.

#include <string>
#include <vector>

#include "bench/benchdata.h"
#include "core/experiment.h"
#include "core/manyseries.h"
#include "core/twoseries.h"

namespace statorium::bench {
namespace {

// Two independent series of n / 2 values each, of slightly different laws.
void TwoSeries(benchmark::State& state) {
  const int64_t n = state.range(0);
  const TValues first = normalValues(n / 2, 2, 100.0, 15.0);
  const TValues second = normalValues(n / 2, 3, 100.5, 16.0);
  for (auto _ : state) {
    std::vector<std::string> u, normal;
    TwoSeriesCheck(first, second, false, u, normal);
    benchmark::DoNotOptimize(normal.data());
  }
  setSize(state, n);
}
BENCHMARK(TwoSeries)->Apply(valueDecades);

// Ten series of n / 10 values each: Bartlett's criterion, the analysis of variance and the
// H-criterion.
void ManySeries(benchmark::State& state) {
  const int64_t n = state.range(0);
  std::vector<TValues> series;
  for (unsigned k = 0; k < 10; ++k) series.push_back(normalValues(n / 10, 20 + k, 25.0, 0.8));
  for (auto _ : state) {
    const ManySeriesLines lines = ManySeriesCheck(series);
    benchmark::DoNotOptimize(lines.rank.data());
  }
  setSize(state, n);
}
BENCHMARK(ManySeries)->Name("ManySeries/10_series")->Apply(valueDecades);

// The whole experiment as the window and the batch program run it: every check (a generated
// series, its estimates and verdicts), the averages, and every cell of the pair table (one
// U-criterion per pair of series).
void runExperiment(benchmark::State& state, int size, int checks) {
  ExperimentPlan plan;
  plan.law = SeriesLaw::Normal;
  plan.parameters = SeriesParameters{100.3, 35.2};
  plan.size = size;
  plan.checks = checks;
  for (auto _ : state) {
    TRandomSource random(1);
    TExperiment experiment(plan, random);
    for (int c = 0; c < plan.checks; ++c) benchmark::DoNotOptimize(experiment.runCheck());
    benchmark::DoNotOptimize(experiment.results());
    for (int i = 0; i < plan.checks; ++i) benchmark::DoNotOptimize(experiment.pairRow(i));
  }
}

// Ten checks of n / 10 values each: grows with the values.
void ExperimentValues(benchmark::State& state) {
  const int64_t n = state.range(0);
  runExperiment(state, static_cast<int>(n / 10), 10);
  setSize(state, n);
}
BENCHMARK(ExperimentValues)->Name("Experiment/10_checks")->Apply(valueDecades);

// k checks of 1000 values each: the pair table has k (k - 1) / 2 cells, so it grows as k^2.
void ExperimentChecks(benchmark::State& state) {
  const int64_t k = state.range(0);
  runExperiment(state, 1000, static_cast<int>(k));
  setSize(state, k);
}
BENCHMARK(ExperimentChecks)
    ->Name("Experiment/1000_values")
    ->ArgName("checks")
    ->Arg(10)
    ->Arg(30)
    ->Arg(100)
    ->Arg(300)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

}  // namespace
}  // namespace statorium::bench
