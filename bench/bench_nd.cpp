// The multi-dimensional analysis, Evaluate and one regression on a statobject of 30 properties
// and 100 000 observations.

#include <benchmark/benchmark.h>

#include <random>

#include "core/dependence.h"
#include "core/ndanalysis.h"
#include "core/statsobject.h"

namespace {

constexpr int kProperties = 30;
constexpr int kObservations = 100000;

// Properties built from a few common factors plus noise of their own, so that most pairs are
// correlated, some strongly, and every matrix has full rank.
const statorium::TStatsObject& object() {
  static const statorium::TStatsObject obj = [] {
    std::mt19937_64 gen(17);
    std::normal_distribution<double> d(0.0, 1.0);
    constexpr int kFactors = 4;
    std::vector<std::vector<long double>> props(kProperties,
                                                std::vector<long double>(kObservations));
    std::vector<double> loading(kProperties * kFactors);
    for (double& w : loading) w = d(gen);
    for (int l = 0; l < kObservations; ++l) {
      double f[kFactors];
      for (double& x : f) x = d(gen);
      for (int p = 0; p < kProperties; ++p) {
        double v = 10 * p + d(gen);
        for (int k = 0; k < kFactors; ++k) v += loading[p * kFactors + k] * f[k];
        props[p][l] = v;
      }
    }
    statorium::TStatsObject o;
    o.name = "bench";
    for (auto& p : props) o.addValues(statorium::TValues(std::move(p)));
    return o;
  }();
  return obj;
}

// Every grid of both pages except the texts of "Transformed data", which are made cell by cell
// as they are shown.
void BM_NDAnalysis(benchmark::State& state) {
  const statorium::TStatsObject& source = object();
  for (auto _ : state) {
    state.PauseTiming();
    statorium::TStatsObject obj = source;
    state.ResumeTiming();
    statorium::NDAnalysis a;
    statorium::ProcessObject(obj, state.range(0) != 0, a);
    benchmark::DoNotOptimize(a.transData.components.data());
  }
}
BENCHMARK(BM_NDAnalysis)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The texts of all three million cells of "Transformed data", as the batch program prints them.
void BM_TransformedDataTexts(benchmark::State& state) {
  statorium::TStatsObject obj = object();
  statorium::NDAnalysis a;
  statorium::ProcessObject(obj, false, a);
  for (auto _ : state) {
    size_t length = 0;
    for (int row = 0; row < a.transData.rowCount(); ++row)
      for (int column = 0; column < a.transData.columnCount(); ++column)
        length += a.transData.cell(column, row).size();
    benchmark::DoNotOptimize(length);
  }
}
BENCHMARK(BM_TransformedDataTexts)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_Evaluate(benchmark::State& state) {
  const statorium::TStatsObject& obj = object();
  for (auto _ : state) {
    const statorium::PropertyDependence d = statorium::Evaluate(obj);
    benchmark::DoNotOptimize(d.gPR.cells.data());
  }
}
BENCHMARK(BM_Evaluate)->Unit(benchmark::kMillisecond);

// The regression of the last property on the 29 others, from the click on its cell.
void BM_Regression(benchmark::State& state) {
  const statorium::TStatsObject& obj = object();
  const std::string shown = statorium::multipleCorrelationText(obj, kProperties - 1);
  for (auto _ : state) {
    const statorium::TRegression r = statorium::Regression(obj, kProperties - 1, shown);
    benchmark::DoNotOptimize(r.A.data());
  }
}
BENCHMARK(BM_Regression)->Unit(benchmark::kMillisecond);

// The texts of the 100 003 rows of "Intervals".
void BM_IntervalsTexts(benchmark::State& state) {
  const statorium::TStatsObject& obj = object();
  const statorium::TRegression r = statorium::Regression(
      obj, kProperties - 1, statorium::multipleCorrelationText(obj, kProperties - 1));
  for (auto _ : state) {
    size_t length = 0;
    for (int row = 0; row < r.g2.rowCount(); ++row)
      for (int column = 0; column < r.g2.columnCount(); ++column)
        length += r.g2.cell(column, row).size();
    benchmark::DoNotOptimize(length);
  }
}
BENCHMARK(BM_IntervalsTexts)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
