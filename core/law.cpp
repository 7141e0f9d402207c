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
