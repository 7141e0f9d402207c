// The multi-dimensional workloads on statobjects: the analysis with its main components,
// Evaluate of the property dependence page, one regression, and the multi-dimensional
// similarity check. Each is timed along two axes: the observations at 50 properties, and the
// properties at 100 000 observations (the correlations make the work grow as properties^2).

#include <map>
#include <tuple>
#include <utility>

#include "bench/benchdata.h"
#include "core/dependence.h"
#include "core/ndanalysis.h"
#include "core/ndsimilarity.h"

namespace statorium::bench {
namespace {

constexpr int kProperties = 50;
constexpr int kObservations = 100000;

enum class Axis { Observations, Properties };

struct Shape {
  int properties;
  int observations;
  int64_t size;  // the one that varies
};

Shape shapeOf(const benchmark::State& state, Axis axis) {
  const int r = static_cast<int>(state.range(0));
  return axis == Axis::Observations ? Shape{kProperties, r, r} : Shape{r, kObservations, r};
}

// The statobjects are made once per shape and seed and kept for the whole run.
const TStatsObject& object(const Shape& s, uint64_t seed = 17) {
  static std::map<std::tuple<int, int, uint64_t>, TStatsObject> made;
  const auto key = std::make_tuple(s.properties, s.observations, seed);
  auto it = made.find(key);
  if (it == made.end())
    it = made.emplace(key, factorObject(s.properties, s.observations, seed)).first;
  return it->second;
}

void observationsAxis(benchmark::internal::Benchmark* b) {
  b->ArgName("observations")->Arg(1000)->Arg(10000)->Arg(100000);
  b->Unit(benchmark::kMillisecond)->Complexity();
}

void propertiesAxis(benchmark::internal::Benchmark* b) {
  b->ArgName("properties")->Arg(5)->Arg(10)->Arg(20)->Arg(50);
  b->Unit(benchmark::kMillisecond)->Complexity();
}

// Registers `workload` along both axes.
#define ND_WORKLOAD(workload)                                                              \
  BENCHMARK_CAPTURE(workload, 50_properties, Axis::Observations)->Apply(observationsAxis); \
  BENCHMARK_CAPTURE(workload, 100000_observations, Axis::Properties)->Apply(propertiesAxis)

// Every grid of both pages and the main components; the texts of "Transformed data" are timed
// apart, as they are made cell by cell when shown or printed.
void NDAnalysis(benchmark::State& state, Axis axis) {
  const Shape s = shapeOf(state, axis);
  const TStatsObject& source = object(s);
  for (auto _ : state) {
    state.PauseTiming();
    TStatsObject obj = source;
    state.ResumeTiming();
    statorium::NDAnalysis a;
    ProcessObject(obj, false, a);
    benchmark::DoNotOptimize(a.transData.components.data());
  }
  setSize(state, s.size);
}
ND_WORKLOAD(NDAnalysis);

// The length of the texts of every cell of a grid, as a window or the batch program makes them.
template <class Grid>
size_t textLength(const Grid& grid) {
  size_t length = 0;
  for (int row = 0; row < grid.rowCount(); ++row)
    for (int column = 0; column < grid.columnCount(); ++column)
      length += grid.cell(column, row).size();
  return length;
}

// The texts of every cell of "Transformed data" (observations x properties), as the batch
// program prints them: an output that grows as the product of the two.
void TransformedDataTexts(benchmark::State& state, Axis axis) {
  const Shape s = shapeOf(state, axis);
  TStatsObject obj = object(s);
  statorium::NDAnalysis a;
  ProcessObject(obj, false, a);
  for (auto _ : state) benchmark::DoNotOptimize(textLength(a.transData));
  setSize(state, s.size);
}
ND_WORKLOAD(TransformedDataTexts);

// "Evaluate": the partial and multiple correlations of every property.
void Evaluate(benchmark::State& state, Axis axis) {
  const Shape s = shapeOf(state, axis);
  const TStatsObject& obj = object(s);
  for (auto _ : state) {
    const PropertyDependence d = statorium::Evaluate(obj);
    benchmark::DoNotOptimize(d.gPR.cells.data());
  }
  setSize(state, s.size);
}
ND_WORKLOAD(Evaluate);

// A click on the last property's cell of "Sample correlations": its text, then the regression on
// all other properties, with the texts of every row of "Intervals".
void Regression(benchmark::State& state, Axis axis) {
  const Shape s = shapeOf(state, axis);
  const TStatsObject& obj = object(s);
  const int k = s.properties - 1;
  for (auto _ : state) {
    const TRegression r = statorium::Regression(obj, k, multipleCorrelationText(obj, k));
    benchmark::DoNotOptimize(textLength(r.g2));
  }
  setSize(state, s.size);
}
ND_WORKLOAD(Regression);

// Three statobjects of the same shape from different seeds: equal covariance matrices, equal
// mean vectors, and the normal law check of the first two.
void NDSimilarity(benchmark::State& state, Axis axis) {
  const Shape s = shapeOf(state, axis);
  const std::vector<TStatsObject> objects = {object(s, 31), object(s, 32), object(s, 33)};
  for (auto _ : state) {
    NSimilarityResults results;
    NSimilarityCheck(objects, results);
    benchmark::DoNotOptimize(results.normalResults.data());
  }
  setSize(state, s.size);
}
ND_WORKLOAD(NDSimilarity);

}  // namespace
}  // namespace statorium::bench
