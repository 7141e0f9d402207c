#include "core/objectmeasures.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <string>

#include "core/correlationtable.h"
#include "core/errors.h"
#include "core/fpfault.h"
#include "core/quantiles.h"

namespace statorium {

namespace {

void checkProperty(const TDeterminant& r, int i) {
  if (i < 0 || i >= r.n()) throw listIndexError(i);
}

[[noreturn]] void constantProperty(int i) {
  throw Error("The values of property #" + std::to_string(i + 1) +
              " are all equal: it has no spread to correlate or standardize.");
}

}  // namespace

const char* const kNotPositiveDefinite =
    "The pair correlations, with those that are not significant taken as 0, do not form a "
    "positive definite matrix: the partial and multiple correlations are not defined.";

void requireDependenceObservations(int p, int n) {
  // The significance tests have n - p - 2 and n - p - 1 degrees of freedom.
  if (n < p + 2)
    throw Error("Too few observations: the partial and multiple correlations of " +
                std::to_string(p) + " properties need at least " + std::to_string(p + 2) +
                " observations.");
}

int observationCount(const TStatsObject& obj) {
  if (obj.propCount() == 0) throw Error("The statobject has no properties.");
  const int n = obj.Prop(0).count();
  for (int i = 1; i < obj.propCount(); ++i) {
    // Observation l is the l-th value of every property; a longer or shorter property would
    // pair values of different observations.
    if (obj.Prop(i).count() != n)
      throw Error("The properties have different numbers of values: #1 has " + std::to_string(n) +
                  ", #" + std::to_string(i + 1) + " has " + std::to_string(obj.Prop(i).count()) +
                  ".");
  }
  return n;
}

void requireVaryingProperties(const TStatsObject& obj) {
  for (int i = 0; i < obj.propCount(); ++i)
    if (obj.Prop(i).AverageQuadratic() == 0) constantProperty(i);
}

long double Avg(const TStatsObject& obj, int i) {
  return obj.Prop(i).Average();
}

long double D(const TStatsObject& obj, int i) {
  return obj.Prop(i).AverageQuadratic();
}

TMatrix Avg(const TStatsObject& obj) {
  TMatrix row(1, obj.propCount());
  for (int i = 0; i < obj.propCount(); ++i) row.a(0, i) = Avg(obj, i);
  return row;
}

TMatrix X(const TStatsObject& obj, int l) {
  TMatrix row(1, obj.propCount());
  for (int i = 0; i < obj.propCount(); ++i) row.a(0, i) = obj.Prop(i).getAt(l);
  return row;
}

void MakeStandard(TStatsObject& obj) {
  // Standardized copies first, so that a constant property leaves every property as it was.
  std::vector<TValues> standard;
  standard.reserve(static_cast<size_t>(obj.propCount()));
  for (int i = 0; i < obj.propCount(); ++i) {
    standard.push_back(obj.Prop(i).Clone());
    standard.back().MakeStandard();
  }
  for (int i = 0; i < obj.propCount(); ++i) obj.Prop(i) = std::move(standard[i]);
}

long double R(const TStatsObject& obj, int i, int j) {
  return PairCorrelation(obj.Prop(i), obj.Prop(j));
}

TDeterminant R(const TStatsObject& obj, const Progress& progress) {
  const int N = observationCount(obj);
  const int p = obj.propCount();
  // The mean, the deviation and the centred copy of a property take about four passes over its
  // values, the p (p + 1) / 2 cross moments one pass each: the share of the first is
  // 4p / (4p + p (p + 1) / 2).
  const double centring = 8.0 / (p + 9);
  std::vector<long double> s(p);
  // Centred copies, so that the cross moments are PairCorrelation's sums of centred products,
  // added in the same observation order.
  std::vector<std::vector<long double>> centred(p);
  std::vector<const long double*> columns(p);
  for (int i = 0; i < p; ++i) {
    const long double mean = obj.Prop(i).Average();
    s[i] = obj.Prop(i).AverageQuadratic();
    if (s[i] == 0) constantProperty(i);  // PairCorrelation would divide 0 by it
    const std::vector<long double>& x = obj.Prop(i).data();
    centred[i].resize(static_cast<size_t>(N));
    for (int l = 0; l < N; ++l) centred[i][l] = x[l] - mean;
    columns[i] = centred[i].data();
    reportProgress(progress, centring * (i + 1) / p);
  }
  const TMatrix cross = crossProducts(columns, N, progressPart(progress, centring, 1));
  TDeterminant r(p);
  for (int i = 0; i < p; ++i) {
    r.a(i, i) = 1;
    for (int j = i + 1; j < p; ++j)
      r.a(i, j) = r.a(j, i) = significantCorrelation(cross.a(i, j), N, s[i], s[j]);
  }
  return r;
}

long double PR(const TDeterminant& r, int i, int j, std::vector<int> c, int nz) {
  checkProperty(r, i);
  checkProperty(r, j);
  if (nz < 1) return r.a(i, j);
  const auto first = std::find_if(c.begin(), c.end(), [](int e) { return e != -1; });
  if (first == c.end()) return 0;
  const int d = *first;
  checkProperty(r, d);
  FpScope fp;
  long double result;
  if (nz == 1) {
    result = (r.a(i, j) - r.a(i, d) * r.a(j, d)) / std::sqrt(1 - r.a(i, d) * r.a(i, d)) /
             std::sqrt(1 - r.a(j, d) * r.a(j, d));
  } else {
    // All three terms are conditioned on the same remaining controls.
    *first = -1;
    const long double a = PR(r, i, j, c, nz - 1);
    const long double b = PR(r, i, d, c, nz - 1);
    const long double e = PR(r, j, d, c, nz - 1);
    fp.check();
    result = (a - b * e) / std::sqrt(1 - b * b) / std::sqrt(1 - e * e);
  }
  fp.check(result);
  return result;
}

long double PR(const TStatsObject& obj, int i, int j, std::vector<int> c, int nz) {
  return PR(R(obj), i, j, std::move(c), nz);
}

TCorrelations::TCorrelations(const TStatsObject& obj)
    : m_r(statorium::R(obj)), m_observations(obj.Prop(0).count()) {}

TCorrelations::TCorrelations(TDeterminant r, int observations)
    : m_r(std::move(r)), m_observations(observations) {}

const std::vector<long double>& TCorrelations::inverse() const {
  if (m_inverse.empty()) {
    const int p = properties();
    // Cholesky's factorization exists exactly for a positive definite matrix: its attempt is the
    // test (see kNotPositiveDefinite).
    std::vector<long double> L(static_cast<size_t>(p) * p, 0.0L);
    FpScope fp;
    for (int j = 0; j < p; ++j) {
      long double d = m_r.a(j, j);
      for (int k = 0; k < j; ++k)
        d -= L[static_cast<size_t>(j) * p + k] * L[static_cast<size_t>(j) * p + k];
      if (!(d > 8 * p * LDBL_EPSILON)) throw Error(kNotPositiveDefinite);
      const long double root = std::sqrt(d);
      L[static_cast<size_t>(j) * p + j] = root;
      for (int i = j + 1; i < p; ++i) {
        long double s = m_r.a(i, j);
        for (int k = 0; k < j; ++k)
          s -= L[static_cast<size_t>(i) * p + k] * L[static_cast<size_t>(j) * p + k];
        L[static_cast<size_t>(i) * p + j] = s / root;
      }
    }
    fp.check(L);
    m_inverse = TLUDecomposition(m_r.data(), p).inverse();
  }
  return m_inverse;
}

long double TCorrelations::significantPartial(long double r) const {
  const int p = properties(), n = m_observations;
  FpScope fp;
  const long double t = std::sqrt(static_cast<long double>(n - p - 2)) * r / std::sqrt(1 - r * r);
  fp.check(t);
  return std::fabs(t) <= 1.96L ? 0.0L : r;
}

long double TCorrelations::PartialR(int i, int j) const {
  checkProperty(m_r, i);
  checkProperty(m_r, j);
  const int p = properties();
  requireDependenceObservations(p, m_observations);
  if (p <= 2) return significantPartial(R(i, j));
  const std::vector<long double>& P = inverse();
  FpScope fp;
  const long double r =
      -P[static_cast<size_t>(i) * p + j] /
      std::sqrt(P[static_cast<size_t>(i) * p + i] * P[static_cast<size_t>(j) * p + j]);
  fp.check(r);
  return significantPartial(r);
}

long double TCorrelations::PartialRByRecursion(int i, int j) const {
  checkProperty(m_r, i);
  checkProperty(m_r, j);
  const int p = properties();
  requireDependenceObservations(p, m_observations);
  if (p <= 2) return significantPartial(R(i, j));
  std::vector<int> c(p);
  for (int k = 0; k < p; ++k) c[k] = k;
  c[i] = c[j] = -1;
  return significantPartial(PR(m_r, i, j, std::move(c), p - 2));
}

long double TCorrelations::significantMultiple(long double rr2) const {
  const int p = properties(), n = m_observations;
  // f itself fails on a fault in its arguments; the statistic is checked here.
  const long double quantile = f(kMultiRLevel, p, n - p - 1);
  FpScope fp;
  const long double F = static_cast<long double>(n - p - 1) / p * rr2 / (1 - rr2);
  const long double rr = std::sqrt(std::fabs(rr2));
  fp.check(F, rr);
  return F > quantile ? rr : 0.0L;
}

long double TCorrelations::MultiR(int k) const {
  checkProperty(m_r, k);
  requireDependenceObservations(properties(), m_observations);
  const std::vector<long double>& P = inverse();
  FpScope fp;
  // P_kk = det R_kk / det R, so 1 / P_kk is the quotient of the two determinants.
  const long double rr2 = 1 - 1 / P[static_cast<size_t>(k) * properties() + k];
  fp.check(rr2);
  return significantMultiple(rr2);
}

long double TCorrelations::MultiRByDeterminants(int k) const {
  checkProperty(m_r, k);
  const int p = properties();
  requireDependenceObservations(p, m_observations);
  TDeterminant without(p - 1);
  for (int i = 0, wi = 0; i < p; ++i) {
    if (i == k) continue;
    for (int j = 0, wj = 0; j < p; ++j)
      if (j != k) without.a(wi, wj++) = m_r.a(i, j);
    ++wi;
  }
  const long double det = m_r.Eval();
  const long double detWithout = without.Eval();
  FpScope fp;
  const long double rr2 = 1 - det / detWithout;
  fp.check(rr2);
  return significantMultiple(rr2);
}

long double PartialR(const TStatsObject& obj, int i, int j) {
  return TCorrelations(obj).PartialR(i, j);
}

long double MultiR(const TStatsObject& obj, int k) {
  return TCorrelations(obj).MultiR(k);
}

}  // namespace statorium
