#pragma once
// TZipfLaw: a Zipf-type law fitted to the logarithm of the empirical function. Kept in the core
// for completeness; no window offers it.

#include "core/law.h"

namespace statorium {

/// ln Fn(x) fitted as a straight line in x: Fn(x) ~ a b^(-x).
class TZipfLaw : public TLaw {
 public:
  long double a = 0;
  long double b = 0;

  /// Always 1.
  long double D(long double x) const override;
  /// Sums over all variants but the last, weighted by frequency and divided by N - 1. Fewer
  /// than two distinct variants fail with an invalid operation (0/0).
  void evaluateParams(const TVariants& variants, const Progress& progress = {}) override;
  /// a b^(-x) / ln|b|; b = 1 fails with division by zero.
  long double F(long double x) const override;
  /// a / b^x.
  long double ff(long double x) const override;
  /// "None=0.0000": the law shows no parameters.
  std::string paramsToString() const override;
  int32_t paramCount() const override { return 2; }
};

}  // namespace statorium
