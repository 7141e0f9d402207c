// One sample: reading a sample file as the main window loads it, and the main window's refresh
// chain after a load; reading a statobject file, which every multi-dimensional page starts with.

#include <memory>

#include "bench/benchdata.h"
#include "core/sampleanalysis.h"
#include "core/sampleopening.h"

namespace statorium::bench {
namespace {

int firstProperty(const TStatsObject&) {
  return 0;
}

// The load: the text is read, parsed and the values sorted into the file data.
void ReadSampleFile(benchmark::State& state) {
  const int64_t n = state.range(0);
  const std::string& path = sampleFile(n);
  for (auto _ : state) {
    TSampleAnalysis a;
    a.load(openValues(path, firstProperty));
    benchmark::DoNotOptimize(a.fileData.data().data());
  }
  setSize(state, n);
}
BENCHMARK(ReadSampleFile)->Apply(valueDecades);

// A statobject file of ten properties holding n values in all.
void ReadStatobjectFile(benchmark::State& state) {
  const int64_t n = state.range(0);
  TempFile file("object-" + std::to_string(n), ".sta");
  factorObject(10, static_cast<int>(n / 10), 7).writeObject(file.path());
  for (auto _ : state) {
    TStatsObject obj;
    obj.readObject(file.path());
    benchmark::DoNotOptimize(obj.Prop(0).data().data());
  }
  setSize(state, n);
}
BENCHMARK(ReadStatobjectFile)->Name("ReadStatobjectFile/10_properties")->Apply(valueDecades);

// After a load: working sample, variation series, classes, histogram, empirical function, law
// fit with both criteria, chart scale, characteristics and the suggested law (refitted).
void RefreshChain(benchmark::State& state) {
  const int64_t n = state.range(0);
  const TValues values = normalValues(n, 1);
  for (auto _ : state) {
    state.PauseTiming();
    auto a = std::make_unique<TSampleAnalysis>();
    a->load(values.Clone());
    state.ResumeTiming();
    a->applyAbnormalMode(AbnormalMode::DontDrop);
    benchmark::DoNotOptimize(a->criteria2Text.data());
    state.PauseTiming();
    a.reset();
    state.ResumeTiming();
  }
  setSize(state, n);
}
BENCHMARK(RefreshChain)->Apply(valueDecades);

}  // namespace
}  // namespace statorium::bench
