#include "core/quantiles.h"

#include <cmath>

#include "core/fpfault.h"

namespace statorium {

long double U(long double p) {
  FpScope fp;
  const long double t = std::sqrt(-2 * std::log(p));
  const long double r = t - (C0 + C1 * t + C2 * t * t) / (1 + D1 * t + D2 * t * t + D3 * t * t * t);
  return finiteOrThrow(r);
}

long double XX(long double alpha, int32_t nyu) {
  const long double u = U(alpha);
  FpScope fp;
  const long double s = u + std::sqrt(2 * static_cast<long double>(nyu) - 1);
  return finiteOrThrow(s * s / 2);
}

long double f(long double a, long double n1, long double n2) {
  const long double u = U(a);
  FpScope fp;
  const long double s = 1 / n1 + 1 / n2;
  const long double d = 1 / n1 - 1 / n2;
  const long double r = std::sqrt(s / 2);
  const long double u2 = u * u;
  const long double u3 = u2 * u;
  const long double z = u * r - (u2 + 2) * d / 6 +
                        r * ((s / 24) * (u3 + 3 * u) + (u3 + 11 * u) * d * d / (72 * s)) -
                        (u2 * u2 + 9 * u2 + 8) * d * s / 120;
  return finiteOrThrow(std::exp(2 * z));
}

}  // namespace statorium
