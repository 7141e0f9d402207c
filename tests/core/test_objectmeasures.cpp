// The correlation measures of a statobject: the correlation matrix against PairCorrelation, the
// partial correlations from the inverse against the recursive formula, the multiple correlation
// and its F test at the 0.05 level, and unsound statobjects.

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "core/correlationtable.h"
#include "core/objectmeasures.h"
#include "core/quantiles.h"
#include "tests/core/errortext.h"
#include "tests/support/near.h"

namespace statorium {
namespace {

using test::errorText;
using test::kInvalidOp;

TStatsObject objectOf(const std::vector<std::vector<long double>>& props) {
  TStatsObject obj;
  for (const auto& p : props) obj.addValues(TValues(p));
  return obj;
}

// p properties of n observations made of two common factors and noise of their own: strongly,
// weakly and not significantly correlated pairs alike.
TStatsObject factorObject(int p, int n, unsigned seed) {
  std::mt19937_64 gen(seed);
  std::normal_distribution<double> d(0, 1);
  std::vector<std::vector<long double>> props(p, std::vector<long double>(n));
  std::vector<double> w1(p), w2(p);
  for (int i = 0; i < p; ++i) {
    w1[i] = d(gen);
    w2[i] = d(gen) * (i % 3 == 0 ? 0.0 : 1.0);
  }
  for (int l = 0; l < n; ++l) {
    const double f1 = d(gen), f2 = d(gen);
    for (int i = 0; i < p; ++i) props[i][l] = 5 * i + w1[i] * f1 + w2[i] * f2 + 1.5 * d(gen);
  }
  return objectOf(props);
}

// The correlation matrix with every off-diagonal entry rho.
TDeterminant equicorrelated(int p, long double rho) {
  TDeterminant r(p);
  for (int i = 0; i < p; ++i)
    for (int j = 0; j < p; ++j) r.a(i, j) = i == j ? 1 : rho;
  return r;
}

TEST(ObjectMeasures, CorrelationMatrixIsPairCorrelationComputedOnce) {
  const TStatsObject obj = factorObject(6, 40, 1);
  const TDeterminant r = R(obj);
  int zeros = 0, nonZeros = 0;
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(r.a(i, i), 1);
    for (int j = 0; j < 6; ++j) {
      if (i == j) continue;
      // The same sums in the same order: equal to the last bit, filter included.
      EXPECT_EQ(r.a(i, j), PairCorrelation(obj.Prop(i), obj.Prop(j))) << i << "," << j;
      EXPECT_EQ(r.a(i, j), R(obj, i, j));
      (r.a(i, j) == 0 ? zeros : nonZeros)++;
    }
  }
  EXPECT_GT(zeros, 0);  // the fixture has pairs on both sides of the filter
  EXPECT_GT(nonZeros, 0);
}

// With every pair correlated rho, the correlation of two properties with m others held fixed is
// rho / (1 + m rho): 1/3 for three properties and rho = 0.5.
TEST(ObjectMeasures, PartialCorrelationOfEquicorrelatedProperties) {
  EXPECT_NEAR_REL(PR(equicorrelated(3, 0.5L), 0, 1, {-1, -1, 2}, 1), 1.0L / 3, 1e-18L);
  for (int p = 3; p <= 6; ++p) {
    const TCorrelations c(equicorrelated(p, 0.5L), 1000);
    const long double expected = 0.5L / (1 + (p - 2) * 0.5L);
    EXPECT_NEAR_REL(c.PartialR(0, 1), expected, 1e-17L) << p;
    EXPECT_NEAR_REL(c.PartialR(p - 1, 1), expected, 1e-17L) << p;
    EXPECT_NEAR_REL(c.PartialRByRecursion(0, 1), expected, 1e-17L) << p;
  }
}

// The recursion sees the same remaining controls in its three sub-terms, so the order in which
// it consumes them does not matter; the inverse gives the same partial correlations.
TEST(ObjectMeasures, PartialCorrelationsFromTheInverseAgreeWithTheRecursion) {
  const TStatsObject five = factorObject(5, 200, 2);
  const TDeterminant r = R(five);
  const long double inOrder = PR(r, 0, 1, {-1, -1, 2, 3, 4}, 3);
  EXPECT_NEAR_REL(PR(r, 0, 1, {4, -1, 2, -1, 3}, 3), inOrder, 1e-16L);
  EXPECT_NEAR_REL(PR(r, 0, 1, {-1, 3, -1, 4, 2}, 3), inOrder, 1e-16L);
  EXPECT_EQ(PR(five, 0, 1, {-1, -1, 2, 3, 4}, 3), inOrder);
  EXPECT_EQ(PR(r, 0, 1, {-1, -1, -1}, 1), 0);  // no control left

  for (int p = 2; p <= 7; ++p) {
    const TStatsObject obj = factorObject(p, 120, 10 + p);
    const TCorrelations c(obj);
    int significant = 0;
    for (int i = 0; i < p; ++i)
      for (int j = i + 1; j < p; ++j) {
        EXPECT_NEAR_REL(c.PartialR(i, j), c.PartialRByRecursion(i, j), 1e-15L) << p;
        EXPECT_EQ(PartialR(obj, i, j), c.PartialR(i, j));
        significant += c.PartialR(i, j) != 0;
      }
    if (p > 3) {
      EXPECT_GT(significant, 0) << p;
    }
  }
}

// t = sqrt(n - p - 2) r / sqrt(1 - r^2) with p = 2: for r = 0.5, t = 1.41 at n = 10 and 2.31 at
// n = 20. Without controls the partial correlation is the pair correlation.
TEST(ObjectMeasures, SignificanceOfAPartialCorrelation) {
  EXPECT_EQ(TCorrelations(equicorrelated(2, 0.5L), 10).PartialR(0, 1), 0);
  EXPECT_EQ(TCorrelations(equicorrelated(2, 0.5L), 20).PartialR(0, 1), 0.5L);
  EXPECT_EQ(TCorrelations(equicorrelated(2, -0.5L), 20).PartialR(1, 0), -0.5L);
}

// Two properties: rr = |r|, F = (n - 3) / 2 r^2 / (1 - r^2) = 10 r^2 / (1 - r^2) at n = 23,
// tested against f(0.05, 2, 20) = 3.5. F = 2 is not significant at 0.05, though above the
// quantile at the level 0.5; F = 5 is.
TEST(ObjectMeasures, MultipleCorrelationIsTestedAtTheFivePercentLevel) {
  ASSERT_LT(f(0.5L, 2, 20), 2);
  ASSERT_GT(f(0.05L, 2, 20), 2);
  ASSERT_LT(f(0.05L, 2, 20), 5);
  struct Case {
    long double r2;  // squared correlation
    long double expected;
  };
  const Case cases[] = {{1.0L / 6, 0}, {1.0L / 3, std::sqrt(1.0L / 3)}};
  for (const Case& c : cases) {
    const TCorrelations m(equicorrelated(2, std::sqrt(c.r2)), 23);
    EXPECT_NEAR_REL(m.MultiR(0), c.expected, 1e-17L);
    EXPECT_NEAR_REL(m.MultiR(1), c.expected, 1e-17L);
    EXPECT_NEAR_REL(m.MultiRByDeterminants(0), c.expected, 1e-17L);
  }
}

TEST(ObjectMeasures, MultipleCorrelationFromTheInverseAgreesWithTheDeterminants) {
  for (int p = 2; p <= 7; ++p) {
    const TStatsObject obj = factorObject(p, 150, 30 + p);
    const TCorrelations c(obj);
    for (int k = 0; k < p; ++k) {
      EXPECT_NEAR_REL(c.MultiR(k), c.MultiRByDeterminants(k), 1e-15L) << p << " " << k;
      EXPECT_EQ(MultiR(obj, k), c.MultiR(k));
      EXPECT_GE(c.MultiR(k), 0);
      EXPECT_LT(c.MultiR(k), 1);
    }
  }
}

TEST(ObjectMeasures, UncorrelatedAndPerfectlyCorrelatedProperties) {
  const TCorrelations none(equicorrelated(4, 0), 50);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(none.MultiR(i), 0);
    for (int j = i + 1; j < 4; ++j) EXPECT_EQ(none.PartialR(i, j), 0);
  }

  // Identical properties, or one a rising line of the other, correlate 1; falling ones -1.
  std::vector<long double> x, line, falling;
  for (int l = 0; l < 10; ++l) {
    x.push_back(l * l % 7 + 0.5L * l);
    line.push_back(2 * x.back() + 1);
    falling.push_back(3 - x.back());
  }
  const TStatsObject obj = objectOf({x, x, line, falling});
  EXPECT_NEAR_REL(R(obj, 0, 1), 1, 1e-17L);
  EXPECT_NEAR_REL(R(obj, 0, 2), 1, 1e-17L);
  EXPECT_NEAR_REL(R(obj, 0, 3), -1, 1e-17L);
  const TStatsObject two = objectOf({x, line});
  // A correlation of 1 leaves the significance tests of the partial and multiple correlations
  // no denominator.
  EXPECT_EQ(errorText([&] { PartialR(two, 0, 1); }), test::kDivByZero);
  // Their correlation matrix is singular: no multiple correlation is defined.
  EXPECT_EQ(errorText([&] { MultiR(two, 0); }), kNotPositiveDefinite);
}

TEST(ObjectMeasures, MeansRowsAndStandardization) {
  TStatsObject obj = objectOf({{1, 2, 3, 6}, {10, 10, 20, 0}, {-1, 1, -1, 1}});
  EXPECT_EQ(Avg(obj, 0), 3);
  EXPECT_NEAR_REL(D(obj, 0), std::sqrt(14.0L / 3), 1e-18L);
  const TMatrix means = Avg(obj);
  ASSERT_EQ(means.n(), 1);
  ASSERT_EQ(means.m(), 3);
  EXPECT_EQ(means.data(), (std::vector<long double>{3, 10, 0}));
  EXPECT_EQ(X(obj, 2).data(), (std::vector<long double>{3, 20, -1}));
  EXPECT_EQ(errorText([&] { X(obj, 4); }), "List index out of bounds (4)");

  MakeStandard(obj);
  for (int i = 0; i < 3; ++i) {
    EXPECT_NEAR(static_cast<double>(Avg(obj, i)), 0, 1e-18);
    EXPECT_NEAR_REL(D(obj, i), 1, 1e-18L);
  }
  // -1, 1, -1, 1 has s = sqrt(4 / 3): standardized, -+sqrt(3) / 2.
  for (int l = 0; l < 4; ++l)
    EXPECT_NEAR_REL(obj.Prop(2).getAt(l), (l % 2 ? 1 : -1) * std::sqrt(0.75L), 1e-18L);

  // A constant property: nothing is changed, not even the properties before it.
  TStatsObject constant = objectOf({{1, 2, 3}, {4, 4, 4}});
  EXPECT_EQ(errorText([&] { MakeStandard(constant); }), kInvalidOp);
  EXPECT_EQ(constant.Prop(0).data(), (std::vector<long double>{1, 2, 3}));
}

TEST(ObjectMeasures, UnsoundStatobjects) {
  EXPECT_EQ(errorText([] { observationCount(TStatsObject()); }),
            "The statobject has no properties.");
  const TStatsObject uneven = objectOf({{1, 2, 3, 4}, {1, 2, 3, 5}, {1, 2, 3}});
  EXPECT_EQ(errorText([&] { R(uneven); }),
            "The properties have different numbers of values: #1 has 4, #3 has 3.");

  const TStatsObject constant = objectOf({{1, 2, 3, 4, 5}, {2, 2, 2, 2, 2}});
  const std::string equal =
      "The values of property #2 are all equal: it has no spread to correlate or standardize.";
  EXPECT_EQ(errorText([&] { R(constant); }), equal);
  EXPECT_EQ(errorText([&] { requireVaryingProperties(constant); }), equal);
  EXPECT_EQ(errorText([] { requireVaryingProperties(objectOf({{1, 2}, {2, 1}})); }), "<no error>");

  // Three properties need five observations for the tests of their partial and multiple
  // correlations.
  const TCorrelations few(equicorrelated(3, 0.5L), 4);
  const std::string tooFew =
      "Too few observations: the partial and multiple correlations of 3 properties need at "
      "least 5 observations.";
  EXPECT_EQ(errorText([&] { few.PartialR(0, 1); }), tooFew);
  EXPECT_EQ(errorText([&] { few.MultiR(0); }), tooFew);
  EXPECT_EQ(errorText([] { TCorrelations(equicorrelated(3, 0.5L), 5).MultiR(2); }), "<no error>");

  // A singular correlation matrix (two properties that are one), and one that the filter made
  // inconsistent: #1 and #2 taken as unrelated, each correlated 0.8 with #3 (the recursion would
  // give the partial correlation -0.64 / 0.36 = -1.78 for them).
  TDeterminant singular = equicorrelated(3, 0);
  singular.a(0, 1) = singular.a(1, 0) = 1;
  TDeterminant inconsistent = equicorrelated(3, 0.8L);
  inconsistent.a(0, 1) = inconsistent.a(1, 0) = 0;
  for (const TDeterminant& r : {singular, inconsistent}) {
    const TCorrelations c(r, 50);
    EXPECT_EQ(errorText([&] { c.PartialR(0, 1); }), kNotPositiveDefinite);
    EXPECT_EQ(errorText([&] { c.MultiR(2); }), kNotPositiveDefinite);
  }
  EXPECT_NEAR_REL(PR(inconsistent, 0, 1, {-1, -1, 2}, 1), -0.64L / 0.36L, 1e-17L);
  EXPECT_EQ(errorText([] { TCorrelations(equicorrelated(3, 0), 9).PartialR(0, 3); }),
            "List index out of bounds (3)");
}

}  // namespace
}  // namespace statorium
