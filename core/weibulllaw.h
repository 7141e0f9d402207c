#pragma once
// TWeibullsLaw: the Weibull distribution law.

#include "core/law.h"

namespace statorium {

/// Weibull law F(x) = 1 - e^(-(x / alpha)^beta), fitted by least squares on the linearized
/// empirical function y = ln(-ln(1 - Fn(x))) = beta ln x + A, alpha = e^(-A / beta).
class TWeibullsLaw : public TLaw {
 public:
  long double det = 0;                             // determinant of the normal equations
  long double A = 0;                               // intercept of the line
  long double Sz = 0;                              // residual variance
  long double a11 = 0, a12 = 0, a21 = 0, a22 = 0;  // matrix of the normal equations
  long double alpha = 0;                           // scale
  long double beta = 0;                            // shape
  long double Dalpha = 0;                          // variance of alpha
  long double Dbeta = 0;                           // variance of beta

  /// Variance of F by the delta method in alpha and beta. x < 0 and x = 0 (logarithm of 0) fail
  /// with an invalid operation.
  long double D(long double x) const override;
  /// Sums over all variants but the last one (where Fn is 1), weighted by frequency; a11 is
  /// N - 1. Fails with a FloatError for a variant <= 0 (logarithm: invalid operation), fewer than
  /// two distinct variants (det = 0), N = 3 (residual variance over N - 3) and beta = 0.
  void evaluateParams(const TVariants& variants, const Progress& progress = {}) override;
  /// x < 0 fails with an invalid operation (power of a negative number).
  long double F(long double x) const override;
  /// (beta / alpha) (x / alpha)^(beta - 1) e^(-(x / alpha)^beta); x < 0 fails as F, and x = 0
  /// with division by zero when beta < 1.
  long double ff(long double x) const override;
  /// "alpha=<alpha>, beta=<beta>".
  std::string paramsToString() const override;
  int32_t paramCount() const override { return 2; }
};

}  // namespace statorium
