#include "core/zipflaw.h"

#include <cmath>
#include <vector>

#include "core/fpfault.h"
#include "core/numtext.h"

namespace statorium {

void TZipfLaw::evaluateParams(const TVariants& variants, const Progress&) {
  const std::vector<long double>& xs = variants.xs();
  const std::vector<int32_t>& ns = variants.ns();
  const std::vector<long double> fn = empiricalBeforeLast(variants);  // the last is left out
  const size_t k = fn.size();

  FpScope fp;
  const long double m = variants.m_Total - 1.0L;
  long double t = 0, t2 = 0, zt = 0, z = 0;
  for (size_t i = 0; i < k; ++i) {
    const long double lf = std::log(fn[i]);
    t += ns[i] * xs[i] / m;
    t2 += ns[i] * xs[i] * xs[i] / m;
    zt += ns[i] * xs[i] * lf / m;
    z += ns[i] * lf / m;
  }
  const long double detA = t2 - t * t;
  const long double newA = std::exp((z * t2 - t * zt) / detA);
  const long double newB = std::exp(-(zt - z * t) / detA);
  finiteOrThrow(newA);
  finiteOrThrow(newB);
  a = newA;
  b = newB;
}

long double TZipfLaw::F(long double x) const {
  FpScope fp;
  return finiteOrThrow(a * std::pow(b, -x) / std::log(std::fabs(b)));
}

long double TZipfLaw::ff(long double x) const {
  FpScope fp;
  return finiteOrThrow(a / std::pow(b, x));
}

long double TZipfLaw::D(long double) const {
  return 1;
}

std::string TZipfLaw::paramsToString() const {
  return "None=" + formatFixed(0, 4);
}

}  // namespace statorium
