#pragma once
// The correlation measures of a statobject seen as a data matrix, n observations (rows) of p
// properties (columns): means, deviations, observation rows, standardization, pair, partial and
// multiple correlations. Every correlation passes a significance filter and is 0 when it is not
// significant.

#include <vector>

#include "core/determinant.h"
#include "core/matrix.h"
#include "core/progress.h"
#include "core/statsobject.h"

namespace statorium {

/// The number of observations: the common number of values of all properties. A statobject
/// without properties, or one whose properties differ in length, fails with an Error saying so.
int observationCount(const TStatsObject& obj);

/// The failure of the partial and multiple correlations of a correlation matrix that is singular
/// or not positive definite. The significance filter can make one: it sets a correlation to 0
/// that the others imply to be far from 0 (two properties found unrelated while a third is nearly
/// their sum). Partial correlations beyond +-1 and squared multiple correlations beyond 1 would
/// follow from it.
extern const char* const kNotPositiveDefinite;

/// Fails with an Error saying so when p properties have fewer than p + 2 observations: the
/// partial and multiple correlations then have no degree of freedom left for their tests.
void requireDependenceObservations(int p, int n);

/// Fails with an Error naming the first property whose values are all equal: such a property
/// has no spread, so neither correlations nor standardized values. Every property needs two
/// values at least (otherwise "Invalid floating point operation").
void requireVaryingProperties(const TStatsObject& obj);

/// The mean of property i (TValues::Average).
long double Avg(const TStatsObject& obj, int i);
/// The standard deviation of property i, divisor n - 1 (TValues::AverageQuadratic).
long double D(const TStatsObject& obj, int i);
/// The means of all properties as a 1 x p row, in property order.
TMatrix Avg(const TStatsObject& obj);
/// Observation l as a 1 x p row: element (0, i) is value l of property i. A property without
/// value l fails with "List index out of bounds (l)".
TMatrix X(const TStatsObject& obj, int l);
/// Standardizes every property in place, x := (x - mean) / s. A constant property fails with
/// "Invalid floating point operation" and leaves the whole statobject as it was.
void MakeStandard(TStatsObject& obj);

/// PairCorrelation(Prop(i), Prop(j)): 0 when not significant.
long double R(const TStatsObject& obj, int i, int j);
/// The p x p correlation matrix: 1 on the diagonal, R(i, j) at (i, j) and (j, i). Each property's
/// mean and deviation and each pair's cross moment are computed once; the entries equal
/// PairCorrelation's to the last bit. A constant property fails with the Error of
/// requireVaryingProperties, properties of different lengths with that of observationCount.
/// The share of the work done goes to `progress`; a stop it asks for throws Cancelled.
TDeterminant R(const TStatsObject& obj, const Progress& progress = {});

/// The partial correlation of properties i and j by the recursive formula, from the correlation
/// matrix r. c lists candidate controls, -1 marking an entry that is not one; nz is the number of
/// controls used. With nz = 1 the first control d gives (r_ij - r_id r_jd) / sqrt(1 - r_id^2) /
/// sqrt(1 - r_jd^2); with nz > 1 the first control d is dropped from c and the three partial
/// correlations (i, j), (i, d), (j, d) on the remaining controls take the places of r_ij, r_id,
/// r_jd. No control left gives 0; nz < 1 gives r_ij. The cost grows as 3^nz: it is kept for small
/// nz and to check the partial correlations that TCorrelations takes from the inverse matrix. A
/// correlation of
/// +-1 in a divisor fails with a FloatError.
long double PR(const TDeterminant& r, int i, int j, std::vector<int> c, int nz);
/// The same with the correlation matrix of the statobject.
long double PR(const TStatsObject& obj, int i, int j, std::vector<int> c, int nz);

/// The pair correlations of all properties of a statobject, computed once, and the partial and
/// multiple correlations built on them. The statobject is read when the object is made; it is
/// not kept.
class TCorrelations {
 public:
  /// Computes R(obj). Fails as R(obj) fails.
  explicit TCorrelations(const TStatsObject& obj);
  /// Takes a correlation matrix r of properties with `observations` observations each.
  TCorrelations(TDeterminant r, int observations);

  int properties() const { return m_r.n(); }
  int observations() const { return m_observations; }
  /// The correlation matrix.
  const TDeterminant& R() const { return m_r; }
  long double R(int i, int j) const { return m_r.a(i, j); }

  /// The partial correlation of i and j with all other properties held fixed, or 0 when its
  /// t = sqrt(n - p - 2) r / sqrt(1 - r^2) is within +-1.96. With p <= 2 it is R(i, j). For more
  /// properties it is -P_ij / sqrt(P_ii P_jj) with P the inverse of the correlation matrix, which
  /// is what the recursive formula PR gives with all other properties as controls, at a cost of
  /// p^3 once for all pairs instead of 3^(p - 2) for each. Fails with the Error of
  /// requireDependenceObservations for n < p + 2, and with kNotPositiveDefinite when the
  /// correlation matrix is singular or not positive definite (see there).
  long double PartialR(int i, int j) const;
  /// The same by the recursion PR, for checking PartialR on small numbers of properties.
  long double PartialRByRecursion(int i, int j) const;

  /// The multiple correlation of property k with all the others, rr = sqrt|1 - det R / det R_kk|
  /// (R_kk: R without row and column k), taken from the inverse matrix as rr^2 = 1 - 1 / P_kk.
  /// Returned when F = (n - p - 1) / p rr^2 / (1 - rr^2) exceeds the F quantile
  /// f(0.05, p, n - p - 1), otherwise 0. Fails as PartialR does.
  long double MultiR(int k) const;
  /// The same with both determinants evaluated separately, for checking MultiR.
  long double MultiRByDeterminants(int k) const;

  /// The significance level of MultiR's F test.
  static constexpr long double kMultiRLevel = 0.05L;

 private:
  const std::vector<long double>& inverse() const;
  long double significantPartial(long double r) const;
  long double significantMultiple(long double rr2) const;

  TDeterminant m_r;
  int m_observations;
  // The inverse of m_r, made on first use.
  mutable std::vector<long double> m_inverse;
};

/// TCorrelations(obj).PartialR(i, j).
long double PartialR(const TStatsObject& obj, int i, int j);
/// TCorrelations(obj).MultiR(k).
long double MultiR(const TStatsObject& obj, int k);

}  // namespace statorium
