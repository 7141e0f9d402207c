#pragma once
// TUniformLaw: the uniform distribution law on [a, b].

#include "core/law.h"

namespace statorium {

/// Uniform law on [a, b], estimated by the method of moments.
class TUniformLaw : public TLaw {
 public:
  long double a = 0;       // left end
  long double b = 0;       // right end
  long double Dalpha = 0;  // variance of a
  long double Dbeta = 0;   // variance of b
  long double cov = 0;     // covariance of a and b

  /// 0 outside [a, b]; inside Fa^2 Dalpha + Fb^2 Dbeta + 2 Fa Fb cov with
  /// Fa = (x - b) / (b - a)^2 and Fb = (x - a) / (b - a)^2.
  long double D(long double x) const override;
  /// a, b = mean -/+ sqrt(3 (q - mean^2)), q the mean square; the variances follow from those
  /// of the first two sample moments by the delta method. All values equal fails (b - a = 0).
  void evaluateParams(const TVariants& variants, const Progress& progress = {}) override;
  /// 0 below a, (x - a) / (b - a) on [a, b), 1 from b on.
  long double F(long double x) const override;
  /// 1 / (b - a) on [a, b], 0 elsewhere.
  long double ff(long double x) const override;
  /// "a=<a>, b=<b>".
  std::string paramsToString() const override;
  int32_t paramCount() const override { return 2; }
};

}  // namespace statorium
