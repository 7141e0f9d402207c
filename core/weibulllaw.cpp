#include "core/weibulllaw.h"

#include <cmath>
#include <initializer_list>
#include <vector>

#include "core/fpfault.h"
#include "core/numtext.h"

namespace statorium {

namespace {

/// Natural logarithm that treats 0 like a negative argument: an invalid operation.
long double lnOfPositive(long double v) {
  if (!(v > 0)) throw FloatError(FloatError::Kind::Invalid);
  return std::log(v);
}

/// v^p for v >= 0; a negative base is an invalid operation even for a whole exponent.
long double powOfNonNegative(long double v, long double p) {
  if (v < 0) throw FloatError(FloatError::Kind::Invalid);
  return std::pow(v, p);
}

}  // namespace

void TWeibullsLaw::evaluateParams(const TVariants& variants, const Progress& progress) {
  const std::vector<long double>& xs = variants.xs();
  const std::vector<int32_t>& ns = variants.ns();
  const std::vector<long double> fn = empiricalBeforeLast(variants);  // the last is left out
  const size_t k = fn.size();

  FpScope fp;
  const long double N = variants.m_Total;
  std::vector<long double> lx(k), y(k);
  // The three logarithms of every variant are nearly all the time of the estimate.
  ProgressCounter counter(progress, static_cast<long long>(k), 1 << 16);
  for (size_t i = 0; i < k; ++i) {
    counter.at(static_cast<long long>(i));
    lx[i] = lnOfPositive(xs[i]);
    y[i] = lnOfPositive(-lnOfPositive(1 - fn[i]));
  }
  long double s11 = N - 1, s12 = 0, s22 = 0, b1 = 0, b2 = 0;
  for (size_t i = 0; i < k; ++i) {
    s12 += ns[i] * lx[i];
    s22 += ns[i] * lx[i] * lx[i];
    b1 += ns[i] * y[i];
    b2 += ns[i] * lx[i] * y[i];
  }
  const long double d = s11 * s22 - s12 * s12;
  const long double intercept = (b1 * s22 - s12 * b2) / d;
  const long double shape = (s11 * b2 - b1 * s12) / d;
  const long double scale = std::exp(-intercept / shape);
  long double residuals = 0;
  for (size_t i = 0; i < k; ++i) {
    const long double r = y[i] - intercept - shape * lx[i];
    residuals += r * r;
  }
  const long double sz = residuals / (N - 3);
  const long double dAlpha = std::exp(-2 * intercept / shape) * s22 * sz / d;
  const long double dBeta = s11 * sz / d;
  fp.check(dAlpha, dBeta);
  for (const long double v : {d, intercept, sz, s12, s22, scale, shape, dAlpha, dBeta})
    finiteOrThrow(v);
  det = d;
  A = intercept;
  Sz = sz;
  a11 = s11;
  a12 = a21 = s12;
  a22 = s22;
  alpha = scale;
  beta = shape;
  Dalpha = dAlpha;
  Dbeta = dBeta;
}

long double TWeibullsLaw::F(long double x) const {
  FpScope fp;
  const long double u = powOfNonNegative(x / alpha, beta);
  return finiteOrThrow(1 - std::exp(-u));
}

long double TWeibullsLaw::ff(long double x) const {
  FpScope fp;
  const long double r = x / alpha;
  const long double u = powOfNonNegative(r, beta);
  return finiteOrThrow((beta / alpha) * powOfNonNegative(r, beta - 1) * std::exp(-u));
}

long double TWeibullsLaw::D(long double x) const {
  FpScope fp;
  const long double r = x / alpha;
  const long double u = powOfNonNegative(r, beta);
  const long double e = std::exp(-u);
  const long double Fa = -u * (beta / alpha) * e;
  const long double Fb = u * lnOfPositive(r) * e;
  const long double c = std::exp(A / beta) * a12 * Sz / det;
  return finiteOrThrow(Fa * Fa * Dalpha + Fb * Fb * Dbeta + 2 * Fa * Fb * c);
}

std::string TWeibullsLaw::paramsToString() const {
  return "alpha=" + formatFixed(alpha, 4) + ", beta=" + formatFixed(beta, 4);
}

}  // namespace statorium
