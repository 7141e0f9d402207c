#include "core/fpfault.h"

#include <cfenv>
#include <cmath>

namespace statorium {

void clearFpFaults() {
  std::feclearexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW);
}

void checkFpFaults() {
  const int raised = std::fetestexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW);
  if (raised == 0) return;
  clearFpFaults();
  if (raised & FE_DIVBYZERO) throw FloatError(FloatError::Kind::DivideByZero);
  if (raised & FE_OVERFLOW) throw FloatError(FloatError::Kind::Overflow);
  throw FloatError(FloatError::Kind::Invalid);
}

long double finiteOrThrow(long double v) {
  checkFpFaults();
  if (std::isnan(v)) throw FloatError(FloatError::Kind::Invalid);
  if (std::isinf(v)) throw FloatError(FloatError::Kind::Overflow);
  return v;
}

}  // namespace statorium
