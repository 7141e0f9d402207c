#pragma once
// TVariants: a variation series (distinct values with their frequencies) or a classified series
// (equal-width classes, each represented by its lower boundary).

#include <cstdint>
#include <vector>

#include "core/values.h"

namespace statorium {

/// One variant or class: its value (a class's lower boundary) and its frequency.
struct TVariant : TValue {
  int32_t n = 0;
};

/// The tolerance of class membership.
constexpr long double prog_precision = 1e-6L;

/// Variants in increasing order of x. Values and frequencies are stored in two contiguous
/// arrays; the characteristics are computed afresh on every call and divide by m_Total.
class TVariants {
 public:
  /// Class width; 0.01 for a variation series.
  long double m_Width = 0;
  /// N, the number of observations the series stands for.
  int32_t m_Total = 0;

  int count() const { return static_cast<int>(m_x.size()); }
  const std::vector<long double>& xs() const { return m_x; }
  const std::vector<int32_t>& ns() const { return m_n; }

  /// Builds the variation series of a sorted sample (adjacent equal values merge).
  /// An empty sample only sets m_Total to 0 and keeps the previous variants.
  void setVariants(const TValues& fileData);
  /// The class count for n observations: trunc(n^0.3333) above 100, else trunc(sqrt(n)),
  /// made odd below 40.
  static int32_t calcClassCount(int32_t n);
  /// Builds classCount classes of equal width from a variation series. Fails with
  /// "Class count error" when the range is too narrow for that many classes, and with a
  /// floating-point error for classCount 0.
  void setClasses(const TVariants& variants, int32_t classCount);
  /// The largest relative frequency; 0 for an empty series.
  long double getMax() const;
  /// Trims rare variants at both ends while the dropped share stays strictly below gamma.
  void dropAbnormals(long double gamma1, long double gamma2);
  /// Empirical distribution function (right-continuous). N = 0: invalid operation.
  long double Fn(long double x) const;

  /// Mean; D: s / sqrt(N).
  long double Average(long double* D = nullptr) const;
  /// Standard deviation with N-1; D: s / sqrt(2N).
  long double AverageQuadratic(long double* D = nullptr) const;
  /// Skewness with the small-sample correction; D from the 24-based expression.
  long double AsymetricalCoefficent(long double* D = nullptr) const;
  /// Coefficient of variation s / mean; D from the excess.
  long double PirsonsVariation(long double* D = nullptr) const;
  /// Kurtosis excess with the small-sample correction; D from the 6-based expression.
  long double Excess(long double* D = nullptr) const;
  /// 1 / sqrt(|excess|).
  long double Contrexcess(long double* D = nullptr) const;
  /// Mean absolute deviation relative to s, corrected for small samples.
  long double AbsoluteDigression(long double* D = nullptr) const;

  /// Accessors; an index outside 0..count-1 fails with "List index out of bounds (%d)".
  long double getAtX(int i) const;
  void setAtX(int i, long double v);
  int32_t getAtN(int i) const;
  TVariant getAt(int i) const;

 private:
  void checkIndex(int i) const;
  void invalidate() {
    m_cumulative.clear();
    m_moments = Moments();
  }
  /// Sum over i of n_i * (x_i - mean)^power.
  long double centralSum(long double mean, int power) const;

  std::vector<long double> m_x;
  std::vector<int32_t> m_n;
  // Running sums of the frequencies for Fn, built on first use after a change, and whether the
  // variants are in increasing order (then Fn may search instead of scanning).
  mutable std::vector<int64_t> m_cumulative;
  // The mean, deviation and excess of the present variants, kept once computed: the
  // characteristics build on one another, and each pass over a million variants counts. They
  // belong to the total they were computed with, since m_Total is open to callers.
  struct Moments {
    int32_t total = -1;
    bool haveMean = false, haveDeviation = false, haveExcess = false;
    long double mean = 0, deviation = 0, excess = 0;
  };
  const Moments& moments() const;
  mutable Moments m_moments;
  mutable bool m_ascending = true;
};

}  // namespace statorium
