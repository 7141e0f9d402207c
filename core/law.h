#pragma once
// TLaw: a fitted distribution law, the common base of the concrete laws.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/progress.h"
#include "core/variants.h"

namespace statorium {

/// A parametric distribution law fitted to a variation series. A law is created with all fields
/// 0 and is usable after evaluateParams. Every operation fails with the matching FloatError
/// instead of giving an infinity or NaN.
class TLaw {
 public:
  virtual ~TLaw() = default;

  /// Variance of the estimate of F at x that follows from the variances of the parameters.
  virtual long double D(long double x) const = 0;
  /// Estimates the parameters from a series with a positive m_Total, replacing every field.
  /// A degenerate series fails with a FloatError and leaves the fields as they were. A law whose
  /// estimate takes long reports the share done to `progress` and stops with Cancelled when it
  /// asks, leaving the fields as they were.
  virtual void evaluateParams(const TVariants& variants, const Progress& progress = {}) = 0;
  /// Distribution function.
  virtual long double F(long double x) const = 0;
  /// F at n points into out[0..n-1], failing as F does. The criteria evaluate F at every
  /// variant; a law may override this to check the fault flags once for the whole run.
  virtual void Fvalues(const long double* xs, size_t n, long double* out) const;
  /// Density.
  virtual long double ff(long double x) const = 0;
  /// The parameters for display, each with 4 decimals and the user's decimal separator.
  virtual std::string paramsToString() const = 0;
  /// Number of estimated parameters.
  virtual int32_t paramCount() const = 0;

  /// Lower edge of the 95% band: F(x) - sqrt|D(x)| * U(0.025); not clipped to [0, 1].
  long double Fleft(long double x) const;
  /// Upper edge of the 95% band: F(x) + sqrt|D(x)| * U(0.025); not clipped to [0, 1].
  long double Fright(long double x) const;

 protected:
  /// Throws for a raised fault flag or a value that is not finite (for Fvalues overrides).
  static void checkValues(const long double* values, size_t n);
  /// Sum of n (x - mean)^2 / N over the series, the mean given: the mean of the squares less the
  /// square of the mean, summed as deviations so that equal values give exactly 0.
  static long double meanSquaredDeviation(const TVariants& variants, long double mean);
  /// Fn at every variant but the last (where it is 1), for the fits on the linearized Fn.
  static std::vector<long double> empiricalBeforeLast(const TVariants& variants);

  TLaw() = default;
  TLaw(const TLaw&) = default;
  TLaw& operator=(const TLaw&) = default;
};

}  // namespace statorium
