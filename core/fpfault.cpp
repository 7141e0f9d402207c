#include "core/fpfault.h"

#include <cfenv>
#include <cmath>

namespace statorium {

void clearFpFaults() {
#if defined(__x86_64__) && defined(__GNUC__)
  // The library's feclearexcept rewrites the whole x87 environment, which costs more than the
  // arithmetic it guards when a law function is evaluated a million times. Clearing the x87
  // status word and the three SSE flags directly does the same for the flags that matter here.
  __asm__ volatile("fnclex");
  unsigned mxcsr;
  __asm__ volatile("stmxcsr %0" : "=m"(mxcsr));
  mxcsr &= ~static_cast<unsigned>(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW);
  __asm__ volatile("ldmxcsr %0" : : "m"(mxcsr));
#else
  std::feclearexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW);
#endif
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
