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

/// Clears the fault flags on entry; check() throws for any fault raised since.
class FpScope {
 public:
  FpScope() { clearFpFaults(); }
  void check() const { checkFpFaults(); }
};

/// Returns v, or throws when it is not finite (an infinity or NaN that came from a fault whose
/// flag was already consumed, or from outside): a guard for results about to be stored or shown.
long double finiteOrThrow(long double v);

}  // namespace statorium
