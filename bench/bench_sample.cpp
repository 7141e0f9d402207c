// Reading a sample text file, sorting it and building its variation series, at growing sizes.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <random>
#include <string>

#include "core/values.h"
#include "core/variants.h"

namespace {

// A sample text file of n normal values written as the program writes samples, made once.
std::string sampleFile(int64_t n) {
  const std::string path = "/tmp/statorium-bench-sample-" + std::to_string(n) + ".txt";
  if (access(path.c_str(), R_OK) == 0) return path;
  std::mt19937_64 gen(42);
  std::normal_distribution<double> d(100.0, 15.0);
  statorium::TValues v;
  for (int64_t i = 0; i < n; ++i) v.Add(d(gen));
  v.SaveToFile(path);
  return path;
}

void BM_ReadSortVariationSeries(benchmark::State& state) {
  const std::string path = sampleFile(state.range(0));
  for (auto _ : state) {
    statorium::TValues values;
    values.LoadFromTxtFile(path);
    values.QuickSort();
    statorium::TVariants variants;
    variants.setVariants(values);
    benchmark::DoNotOptimize(variants.m_Total);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadSortVariationSeries)
    ->RangeMultiplier(10)
    ->Range(1000, 10000000)
    ->Unit(benchmark::kMillisecond);

void BM_ReadOnly(benchmark::State& state) {
  const std::string path = sampleFile(state.range(0));
  for (auto _ : state) {
    statorium::TValues values;
    values.LoadFromTxtFile(path);
    benchmark::DoNotOptimize(values.count());
  }
}
BENCHMARK(BM_ReadOnly)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_SortOnly(benchmark::State& state) {
  const std::string path = sampleFile(state.range(0));
  statorium::TValues loaded;
  loaded.LoadFromTxtFile(path);
  for (auto _ : state) {
    state.PauseTiming();
    statorium::TValues values = loaded.Clone();
    state.ResumeTiming();
    values.QuickSort();
    benchmark::DoNotOptimize(values.data().data());
  }
}
BENCHMARK(BM_SortOnly)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
