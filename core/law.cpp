#include "core/law.h"

#include <cmath>

#include "core/fpfault.h"
#include "core/quantiles.h"

namespace statorium {

namespace {
// Half-width of the band at x: sqrt|D(x)| * U(0.025).
long double bandHalfWidth(const TLaw& law, long double x) {
  const long double d = law.D(x);
  const long double u = U(0.025L);
  FpScope fp;
  return finiteOrThrow(std::sqrt(std::fabs(d)) * u);
}
}  // namespace

void TLaw::Fvalues(const long double* xs, size_t n, long double* out) const {
  for (size_t i = 0; i < n; ++i) out[i] = F(xs[i]);
}

void TLaw::checkValues(const long double* values, size_t n) {
  checkFpFaults();
  for (size_t i = 0; i < n; ++i) finiteOrThrow(values[i]);
}

std::vector<long double> TLaw::empiricalBeforeLast(const TVariants& variants) {
  const std::vector<long double>& xs = variants.xs();
  const size_t k = xs.empty() ? 0 : xs.size() - 1;
  std::vector<long double> fn(k);
  for (size_t i = 0; i < k; ++i) fn[i] = variants.Fn(xs[i]);
  return fn;
}

long double TLaw::meanSquaredDeviation(const TVariants& variants, long double mean) {
  const std::vector<long double>& xs = variants.xs();
  const std::vector<int32_t>& ns = variants.ns();
  long double sum = 0;
  for (size_t i = 0; i < xs.size(); ++i) sum += ns[i] * (xs[i] - mean) * (xs[i] - mean);
  return sum / static_cast<long double>(variants.m_Total);
}

long double TLaw::Fleft(long double x) const {
  const long double fx = F(x);
  const long double h = bandHalfWidth(*this, x);
  FpScope fp;
  return finiteOrThrow(fx - h);
}

long double TLaw::Fright(long double x) const {
  const long double fx = F(x);
  const long double h = bandHalfWidth(*this, x);
  FpScope fp;
  return finiteOrThrow(fx + h);
}

}  // namespace statorium
