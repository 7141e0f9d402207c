#include "core/uniformlaw.h"

#include <cmath>

#include "core/fpfault.h"
#include "core/numtext.h"

namespace statorium {

void TUniformLaw::evaluateParams(const TVariants& variants, const Progress&) {
  const long double mean = variants.Average();
  FpScope fp;
  const long double N = variants.m_Total;
  const long double s2 = meanSquaredDeviation(variants, mean);
  const long double h = std::sqrt(3 * s2);
  const long double left = mean - h;
  const long double right = mean + h;
  const long double w = right - left;
  const long double c = left + right;
  // Variances of the mean and the mean square, and their covariance.
  const long double w2 = w * w;
  const long double Dx = w2 / (12 * N);
  const long double Dxx = (w2 * w2 + 15 * c * c * w2) / (180 * N);
  const long double covxx = w2 * c / (12 * N);
  // Derivatives of a and b by the mean and by the mean square.
  const long double H1dx = 1 + 3 * c / w;
  const long double H1dxx = -3 / w;
  const long double H2dx = 1 - 3 * c / w;
  const long double H2dxx = 3 / w;
  const long double dAlpha =
      finiteOrThrow(H1dx * H1dx * Dx + H1dxx * H1dxx * Dxx + 2 * H1dx * H1dxx * covxx);
  const long double dBeta =
      finiteOrThrow(H2dx * H2dx * Dx + H2dxx * H2dxx * Dxx + 2 * H2dx * H2dxx * covxx);
  const long double covariance =
      finiteOrThrow(H1dx * H2dx * Dx + H1dxx * H2dxx * Dxx + (H1dx * H2dxx + H1dxx * H2dx) * covxx);
  finiteOrThrow(left);
  finiteOrThrow(right);
  a = left;
  b = right;
  Dalpha = dAlpha;
  Dbeta = dBeta;
  cov = covariance;
}

long double TUniformLaw::F(long double x) const {
  if (x < a) return 0;
  if (x >= b) return 1;
  FpScope fp;
  return finiteOrThrow((x - a) / (b - a));
}

long double TUniformLaw::ff(long double x) const {
  if (x < a || x > b) return 0;
  FpScope fp;
  return finiteOrThrow(1 / (b - a));
}

long double TUniformLaw::D(long double x) const {
  if (x < a || x > b) return 0;
  FpScope fp;
  const long double w2 = (b - a) * (b - a);
  const long double Fa = (x - b) / w2;
  const long double Fb = (x - a) / w2;
  return finiteOrThrow(Fa * Fa * Dalpha + Fb * Fb * Dbeta + 2 * Fa * Fb * cov);
}

std::string TUniformLaw::paramsToString() const {
  return "a=" + formatFixed(a, 4) + ", b=" + formatFixed(b, 4);
}

}  // namespace statorium
