#include "core/normallaw.h"

#include <cmath>
#include <numbers>

#include "core/fpfault.h"
#include "core/numtext.h"

namespace statorium {

namespace {
const long double kSqrt2Pi = std::sqrt(2 * std::numbers::pi_v<long double>);
}  // namespace

void TNormalLaw::evaluateParams(const TVariants& variants, const Progress&) {
  const long double mean = variants.Average();
  FpScope fp;
  const long double N = variants.m_Total;
  const long double q = meanSquaredDeviation(variants, mean);
  const long double sigma = finiteOrThrow(std::sqrt(std::fabs(q)) * (N / (N - 1)));
  const long double dm = finiteOrThrow(sigma * sigma / N);
  m = mean;
  Sigma = sigma;
  Dm = dm;
  DSigma = dm / 2;
}

// The approximation of F without the fault checks, which its callers make.
long double TNormalLaw::Fvalue(long double x) const {
  const long double u = (x - m) / Sigma;
  const long double t = 1 / (1 + 0.2316419L * std::fabs(u));
  const long double phi = std::exp(-u * u / 2) / kSqrt2Pi;
  const long double q =
      phi * t *
      (0.31938153L +
       t * (-0.356563782L + t * (1.781477937L + t * (-1.821255978L + t * 1.330274429L))));
  return u >= 0 ? 1 - q : q;
}

long double TNormalLaw::F(long double x) const {
  FpScope fp;
  return finiteOrThrow(Fvalue(x));
}

void TNormalLaw::Fvalues(const long double* xs, size_t n, long double* out) const {
  FpScope fp;
  for (size_t i = 0; i < n; ++i) out[i] = Fvalue(xs[i]);
  checkValues(out, n);
}

long double TNormalLaw::ff(long double x) const {
  FpScope fp;
  const long double d = x - m;
  return finiteOrThrow(std::exp(-d * d / (2 * Sigma * Sigma)) / (kSqrt2Pi * Sigma));
}

long double TNormalLaw::D(long double x) const {
  const long double density = ff(x);
  FpScope fp;
  const long double g = density * (x - m) / Sigma;
  return finiteOrThrow(density * density * Dm + g * g * DSigma);
}

std::string TNormalLaw::paramsToString() const {
  return "m=" + formatFixed(m, 4) + ", sigma=" + formatFixed(Sigma, 4);
}

}  // namespace statorium
