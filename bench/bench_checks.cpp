// Benchmarks of the many-series check and the average-parameters experiment.

#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "core/checkseries.h"
#include "core/experiment.h"
#include "core/manyseries.h"

namespace {

statorium::TValues normalSample(int64_t n, unsigned seed) {
  std::mt19937_64 gen(seed);
  std::normal_distribution<double> d(25.0, 0.8);
  statorium::TValues v;
  for (int64_t i = 0; i < n; ++i) v.Add(d(gen));
  return v;
}

// The many-series check of ten sample files of n values, reading included.
void BM_ManySeriesCheckFromFiles(benchmark::State& state) {
  std::vector<std::string> files;
  for (unsigned k = 0; k < 10; ++k) {
    files.push_back("/tmp/statorium-bench-many-" + std::to_string(k) + "-" +
                    std::to_string(state.range(0)));
    normalSample(state.range(0), 20 + k).SaveToFile(files.back());
  }
  for (auto _ : state) {
    std::vector<statorium::TValues> series;
    for (const std::string& f : files) series.push_back(statorium::loadCheckSeries(f));
    const statorium::ManySeriesLines lines = statorium::ManySeriesCheck(series);
    benchmark::DoNotOptimize(lines.rank.data());
  }
}
BENCHMARK(BM_ManySeriesCheckFromFiles)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond);

// The whole experiment: the checks and the pair table (checks x (checks - 1) / 2 U-criteria).
void BM_Experiment(benchmark::State& state) {
  statorium::ExperimentPlan plan;
  plan.law = static_cast<statorium::SeriesLaw>(state.range(0));
  plan.parameters =
      plan.law == statorium::SeriesLaw::Exponential ? statorium::SeriesParameters{0.3, 0}
      : plan.law == statorium::SeriesLaw::Normal    ? statorium::SeriesParameters{100.3, 35.2}
                                                    : statorium::SeriesParameters{10.5, 4.2};
  plan.size = 10000;
  plan.checks = 100;
  for (auto _ : state) {
    statorium::TRandomSource random(1);
    statorium::TExperiment experiment(plan, random);
    for (int c = 0; c < plan.checks; ++c) benchmark::DoNotOptimize(experiment.runCheck());
    benchmark::DoNotOptimize(experiment.results());
    for (int i = 0; i < plan.checks; ++i) benchmark::DoNotOptimize(experiment.pairRow(i));
  }
}
BENCHMARK(BM_Experiment)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
