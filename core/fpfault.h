#pragma once
// Floating-point faults as errors. Arithmetic runs with the IEEE exceptions masked; the status
// flags it raises (x87 and SSE alike) are read at the points where an operation must fail, and a
// raised divide-by-zero, invalid or overflow flag becomes a FloatError. Underflow and inexact stay
// silent.

#include "core/errors.h"

namespace statorium {

/// Clears the three fault flags. Call before a computation whose faults will be checked.
void clearFpFaults();

/// Throws the FloatError for a raised fault flag and clears the flags; does nothing when none
/// is raised. When several are raised, division by zero and overflow are reported before an
/// invalid operation, since an infinity they produce is what later operations turn invalid.
void checkFpFaults();

/// Makes the compiler finish computing `values` before what follows. The compiler does not see
/// the status flags as something an operation writes, so without this it may move a division
/// past the flag test that was meant to catch it.
template <class T>
inline void fpBarrierOne(const T& value) {
  __asm__ volatile("" : : "m"(value) : "memory");
}

template <class... T>
inline void fpBarrier(const T&... values) {
  (fpBarrierOne(values), ...);
  __asm__ volatile("" : : : "memory");  // results already stored in memory count too
}

/// Clears the fault flags on entry; check(v...) throws for any fault raised since, once the
/// values v... (the results the test guards) are computed.
class FpScope {
 public:
  FpScope() { clearFpFaults(); }
  template <class... T>
  void check(const T&... values) const {
    fpBarrier(values...);
    checkFpFaults();
  }
};

/// Returns v, or throws when it is not finite (an infinity or NaN that came from a fault whose
/// flag was already consumed, or from outside): a guard for results about to be stored or shown.
long double finiteOrThrow(long double v);

}  // namespace statorium
