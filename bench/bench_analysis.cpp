// The main window's refresh chain after a load (Qt-free part) and the rank statistic of two
// samples, at growing sizes.

#include <benchmark/benchmark.h>

#include <random>

#include "core/sampleanalysis.h"
#include "core/twoseries.h"
#include "core/ucriteria.h"

namespace {

statorium::TValues normalSample(int64_t n, unsigned seed) {
  std::mt19937_64 gen(seed);
  std::normal_distribution<double> d(100.0, 15.0);
  std::vector<long double> v(static_cast<size_t>(n));
  for (auto& x : v) x = d(gen);
  return statorium::TValues(std::move(v));
}

// After a load: variation series, classes, histogram, empirical function, law fit with both
// criteria, characteristics and the law suggestion.
void BM_RefreshChainAfterLoad(benchmark::State& state) {
  const statorium::TValues values = normalSample(state.range(0), 1);
  for (auto _ : state) {
    // The load itself (reading and sorting) is measured with the sample files.
    state.PauseTiming();
    statorium::TSampleAnalysis a;
    a.load(values.Clone());
    state.ResumeTiming();
    a.applyAbnormalMode(statorium::AbnormalMode::DontDrop);
    benchmark::DoNotOptimize(a.criteria1Text.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RefreshChainAfterLoad)
    ->RangeMultiplier(10)
    ->Range(1000, 1000000)
    ->Unit(benchmark::kMillisecond);

void BM_UCriteria(benchmark::State& state) {
  const statorium::TValues a = normalSample(state.range(0), 2);
  const statorium::TValues b = normalSample(state.range(0), 3);
  for (auto _ : state) benchmark::DoNotOptimize(statorium::UCriteria(a, b));
}
BENCHMARK(BM_UCriteria)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond);

// The two-series check of two sample files, reading included.
void BM_TwoSeriesCheckFromFiles(benchmark::State& state) {
  const std::string a = "/tmp/statorium-bench-two-a-" + std::to_string(state.range(0));
  const std::string b = "/tmp/statorium-bench-two-b-" + std::to_string(state.range(0));
  normalSample(state.range(0), 4).SaveToFile(a);
  normalSample(state.range(0), 5).SaveToFile(b);
  for (auto _ : state) {
    std::vector<std::string> u, normal;
    statorium::TwoSeriesCheck(*statorium::readCheckSeries(a), *statorium::readCheckSeries(b), false,
                              u, normal);
    benchmark::DoNotOptimize(normal.data());
  }
}
BENCHMARK(BM_TwoSeriesCheckFromFiles)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
