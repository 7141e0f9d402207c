#pragma once
// TExponentLaw: the exponential distribution law.

#include "core/law.h"

namespace statorium {

/// Exponential law F(x) = 1 - e^(-Lambda x); F, ff and D accept any x.
class TExponentLaw : public TLaw {
 public:
  long double Lambda = 0;
  long double DLambda = 0;  // variance of Lambda

  /// D(x) = e^(-2 Lambda x) x^2 DLambda.
  long double D(long double x) const override;
  /// Lambda = 1 / mean, DLambda = Lambda^2 / N. A mean of 0 fails with division by zero.
  void evaluateParams(const TVariants& variants, const Progress& progress = {}) override;
  long double F(long double x) const override;
  void Fvalues(const long double* xs, size_t n, long double* out) const override;
  /// Lambda e^(-Lambda x), also for x < 0.
  long double ff(long double x) const override;
  /// "lambda=<Lambda>".
  std::string paramsToString() const override;
  int32_t paramCount() const override { return 1; }
};

}  // namespace statorium
