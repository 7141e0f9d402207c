#include "core/exponentlaw.h"

#include <cmath>

#include "core/fpfault.h"
#include "core/numtext.h"

namespace statorium {

void TExponentLaw::evaluateParams(const TVariants& variants, const Progress&) {
  const long double mean = variants.Average();
  FpScope fp;
  const long double lambda = finiteOrThrow(1 / mean);
  const long double dLambda = finiteOrThrow(lambda * lambda / variants.m_Total);
  Lambda = lambda;
  DLambda = dLambda;
}

long double TExponentLaw::F(long double x) const {
  FpScope fp;
  return finiteOrThrow(1 - std::exp(-Lambda * x));
}

void TExponentLaw::Fvalues(const long double* xs, size_t n, long double* out) const {
  FpScope fp;
  for (size_t i = 0; i < n; ++i) out[i] = 1 - std::exp(-Lambda * xs[i]);
  checkValues(out, n);
}

long double TExponentLaw::ff(long double x) const {
  FpScope fp;
  return finiteOrThrow(Lambda * std::exp(-Lambda * x));
}

long double TExponentLaw::D(long double x) const {
  FpScope fp;
  return finiteOrThrow(std::exp(-2 * Lambda * x) * x * x * DLambda);
}

std::string TExponentLaw::paramsToString() const {
  return "lambda=" + formatFixed(Lambda, 4);
}

}  // namespace statorium
