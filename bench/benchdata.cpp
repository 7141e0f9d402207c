#include "bench/benchdata.h"

#include <unistd.h>

#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <vector>

namespace statorium::bench {

TValues normalValues(int64_t n, uint64_t seed, double mean, double sd) {
  std::mt19937_64 gen(seed);
  std::normal_distribution<double> d(mean, sd);
  std::vector<long double> v(static_cast<size_t>(n));
  for (long double& x : v) x = d(gen);
  return TValues(std::move(v));
}

TStatsObject factorObject(int properties, int observations, uint64_t seed) {
  constexpr int kFactors = 4;
  std::mt19937_64 gen(seed);
  std::normal_distribution<double> d(0.0, 1.0);
  std::vector<double> loading(static_cast<size_t>(properties) * kFactors);
  for (double& w : loading) w = d(gen);
  std::vector<std::vector<long double>> columns(properties, std::vector<long double>(observations));
  for (int l = 0; l < observations; ++l) {
    double f[kFactors];
    for (double& x : f) x = d(gen);
    for (int p = 0; p < properties; ++p) {
      double v = 10.0 * p + d(gen);
      for (int k = 0; k < kFactors; ++k) v += loading[p * kFactors + k] * f[k];
      columns[p][l] = v;
    }
  }
  TStatsObject obj;
  obj.name = "bench";
  for (auto& c : columns) obj.addValues(TValues(std::move(c)));
  return obj;
}

TempFile::TempFile(const std::string& tag, const std::string& extension)
    : m_path((std::filesystem::temp_directory_path() /
              ("statorium-bench-" + std::to_string(getpid()) + "-" + tag + extension))
                 .string()) {}

TempFile::~TempFile() {
  std::error_code ignored;
  std::filesystem::remove(m_path, ignored);
}

const std::string& sampleFile(int64_t n) {
  static std::map<int64_t, std::unique_ptr<TempFile>> files;
  std::unique_ptr<TempFile>& file = files[n];
  if (!file) {
    file = std::make_unique<TempFile>("sample-" + std::to_string(n), ".txt");
    normalValues(n, 42).SaveToFile(file->path());
  }
  return file->path();
}

void setSize(benchmark::State& state, int64_t n) {
  state.SetComplexityN(n);
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * n);
}

void valueDecades(benchmark::internal::Benchmark* b) {
  b->ArgName("values")->RangeMultiplier(10)->Range(1000, 10000000);
  b->Unit(benchmark::kMillisecond)->Complexity();
}

void pairDecades(benchmark::internal::Benchmark* b) {
  b->ArgName("pairs")->RangeMultiplier(10)->Range(1000, 1000000);
  b->Unit(benchmark::kMillisecond)->Complexity();
}

}  // namespace statorium::bench
