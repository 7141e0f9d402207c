#pragma once
// TNormalLaw: the normal distribution law.

#include "core/law.h"

namespace statorium {

/// Normal law with mean m and deviation Sigma.
class TNormalLaw : public TLaw {
 public:
  long double m = 0;       // mean
  long double Sigma = 0;   // deviation
  long double Dm = 0;      // variance of m
  long double DSigma = 0;  // variance of Sigma

  /// D(x) = ff(x)^2 Dm + (ff(x) (x - m) / Sigma)^2 DSigma.
  long double D(long double x) const override;
  /// m: the mean; Sigma: sqrt(sum n (x - m)^2 / N) * N / (N - 1) (the factor itself, not its
  /// square root); Dm = Sigma^2 / N; DSigma = Dm / 2. N = 1 fails with division by zero.
  void evaluateParams(const TVariants& variants, const Progress& progress = {}) override;
  /// Hastings' approximation (Abramowitz & Stegun 26.2.17), absolute error below 7.5e-8.
  /// Sigma = 0 fails (division by zero, or 0/0 at x = m).
  long double F(long double x) const override;
  void Fvalues(const long double* xs, size_t n, long double* out) const override;
  long double ff(long double x) const override;
  /// "m=<m>, sigma=<Sigma>".
  std::string paramsToString() const override;
  int32_t paramCount() const override { return 2; }

 private:
  long double Fvalue(long double x) const;
};

}  // namespace statorium
