// Property dependence: "Evaluate", the interval hint of a partial correlation, and the
// regression of one property on the others, on a noisy sum of two properties; the F test at the
// level its line names; unsound statobjects.

#include <gtest/gtest.h>

#include <cmath>

#include "core/dependence.h"
#include "core/linearregression.h"  // reportNumber
#include "core/numtext.h"
#include "core/objectmeasures.h"
#include "core/quantiles.h"
#include "tests/core/errortext.h"
#include "tests/support/near.h"

namespace statorium {
namespace {

using test::errorText;
using test::kDivByZero;
using Values = std::vector<long double>;

TStatsObject objectOf(const std::vector<Values>& props) {
  TStatsObject obj;
  for (const auto& p : props) obj.addValues(TValues(p));
  return obj;
}

// n observations of x1, x2 (correlated 0.5) and x3 = x1 + x2 + noise of the given size.
TStatsObject noisySum(long double noise, int n = 20) {
  Values x1, x2, x3;
  for (int l = 0; l < n; ++l) {
    x1.push_back(l % 20 + (l * 37) % 7);
    x2.push_back(0.5L * (l % 20) + 2 * ((l * 53) % 11));
    x3.push_back(x1.back() + x2.back() + noise * ((l * 71) % 11 - 5));
  }
  return objectOf({x1, x2, x3});
}

TEST(Dependence, EvaluateOfANoisySum) {
  const TStatsObject obj = noisySum(0.5L);
  const PropertyDependence d = Evaluate(obj);
  EXPECT_EQ(d.properties, 3);
  EXPECT_EQ(d.observations, 20);
  EXPECT_EQ(d.gPR.title, "Sample partial correlations (click and wait to see 95%-intervals)");
  EXPECT_EQ(d.gMR.title, "Sample correlations (double click shows regression parameters)");
  ASSERT_EQ(d.gPR.rowCount(), 4);
  ASSERT_EQ(d.gPR.columnCount(), 4);
  const TCorrelations c(obj);
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ(d.gPR.cell(i, 0), "  #" + std::to_string(i));
    EXPECT_EQ(d.gPR.cell(0, i), "  #" + std::to_string(i));
    EXPECT_EQ(d.gPR.cell(i, i), "");
    EXPECT_EQ(d.gMR.cell(i - 1, 0), "  #" + std::to_string(i));
    EXPECT_EQ(d.gMR.cell(i - 1, 1), reportNumber(c.MultiR(i - 1)));
    for (int j = i + 1; j <= 3; ++j) {
      EXPECT_EQ(d.gPR.cell(i, j), reportNumber(c.PartialR(i - 1, j - 1)));
      EXPECT_EQ(d.gPR.cell(j, i), d.gPR.cell(i, j));
    }
  }
  // x3 is nearly x1 + x2: its multiple correlation is the largest, and x1 and x2 held with x3
  // fixed fall against each other.
  EXPECT_EQ(d.gMR.cells[1], (std::vector<std::string>{"0.9745", "0.9841", "0.9933"}));
  EXPECT_EQ(d.gPR.cell(1, 2), "-0.9139");
  EXPECT_EQ(d.gPR.cell(1, 3), "0.9645");
  EXPECT_EQ(multipleCorrelationText(obj, 2), d.gMR.cell(2, 1));
}

// Fisher's interval tanh(atanh(v) -+ U(0.025) / sqrt(m - (n - 2) - 3)), lower end first: with
// n = 3 properties and m = 20 observations the divisor is sqrt(16) = 4.
TEST(Dependence, IntervalOfAPartialCorrelation) {
  PropertyDependence d;
  d.properties = 3;
  d.observations = 20;
  d.gPR = TextGrid("", 4, 4, 1, 1);
  d.gPR.cell(1, 0) = "  #1";
  d.gPR.cell(2, 1) = d.gPR.cell(1, 2) = "0.5000";
  d.gPR.cell(3, 1) = "0.0000";
  d.gPR.cell(3, 2) = "-0.9000";
  d.gPR.cell(2, 3) = "1.0000";
  auto interval = [](long double v) {
    const long double e = U(0.025L) / 4;
    return "95% in [" + reportNumber(std::tanh(std::atanh(v) - e)) + ";" +
           reportNumber(std::tanh(std::atanh(v) + e)) + "]";
  };
  struct Case {
    int column, row;
    std::string hint;
  };
  const Case cases[] = {
      {1, 0, "*No comments*"},  // header row
      {0, 2, "*No comments*"},  // header column
      {1, 1, "*No comments*"},  // the empty diagonal
      {4, 1, "*No comments*"},  // outside the grid
      {3, 1, "*Not important value*"}, {2, 1, interval(0.5L)},
      {3, 2, interval(-0.9L)},         {2, 3, "95% in [1.0000;1.0000]"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(partialCorrelationHint(d, c.column, c.row), c.hint) << c.column << "," << c.row;
  EXPECT_EQ(interval(0.5L), "95% in [0.0591;0.7777]");  // the lower end first

  const DecimalSeparatorScope comma(',');
  d.gPR.cell(2, 1) = "0,5000";
  EXPECT_EQ(partialCorrelationHint(d, 2, 1), "95% in [0,0591;0,7777]");
}

// The coefficients against the normal equations solved by hand, the standardized coefficients,
// the intervals of the fitted values and the model check with n1 = 3, n2 = 20 - 3 - 1 = 16.
TEST(Dependence, RegressionOfANoisySum) {
  const TStatsObject obj = noisySum(0.5L);
  const std::string shown = multipleCorrelationText(obj, 2);
  const TRegression r = Regression(obj, 2, shown);

  const Values& x1 = obj.Prop(0).data();
  const Values& x2 = obj.Prop(1).data();
  const Values& y = obj.Prop(2).data();
  long double s11 = 0, s12 = 0, s22 = 0, s1y = 0, s2y = 0, t1 = 0, t2 = 0;
  for (int l = 0; l < 20; ++l) {
    s11 += x1[l] * x1[l];
    s12 += x1[l] * x2[l];
    s22 += x2[l] * x2[l];
    s1y += x1[l] * y[l];
    s2y += x2[l] * y[l];
    t1 += 1.96L * x1[l];
    t2 += 1.96L * x2[l];
  }
  const long double det = s11 * s22 - s12 * s12;
  const long double c11 = s22 / det, c12 = -s12 / det, c22 = s11 / det;
  const long double a1 = c11 * s1y + c12 * s2y, a2 = c12 * s1y + c22 * s2y;
  ASSERT_EQ(r.A.size(), 2u);
  EXPECT_NEAR_REL(r.A[0], a1, 1e-15L);
  EXPECT_NEAR_REL(r.A[1], a2, 1e-15L);
  EXPECT_NEAR(static_cast<double>(a1), 1, 0.05);
  EXPECT_NEAR(static_cast<double>(a2), 1, 0.05);
  long double residuals = 0;
  for (int l = 0; l < 20; ++l) {
    const long double e = y[l] - a1 * x1[l] - a2 * x2[l];
    residuals += e * e;
    EXPECT_NEAR(r.Series1[l].x, static_cast<double>(y[l]), 1e-12);
    EXPECT_NEAR(r.Series1[l].y, static_cast<double>(e), 1e-12);
  }
  const long double S2 = std::sqrt(residuals / (20 - 3));
  EXPECT_NEAR_REL(r.S2, S2, 1e-14L);

  EXPECT_EQ(r.gA.title, "Regression parameters");
  ASSERT_EQ(r.gA.columnCount(), 3);
  ASSERT_EQ(r.gA.rowCount(), 5);
  const std::vector<std::string> labels = {" Ak-", " Ak", " Ak+", "", " st. Ak"};
  for (int row = 0; row < 5; ++row) EXPECT_EQ(r.gA.cell(0, row), labels[row]);
  EXPECT_EQ(r.gA.cell(1, 0), reportNumber(a1 - 1.96L * S2 * std::sqrt(c11)));
  EXPECT_EQ(r.gA.cell(1, 1), reportNumber(a1));
  EXPECT_EQ(r.gA.cell(2, 2), reportNumber(a2 + 1.96L * S2 * std::sqrt(c22)));
  EXPECT_EQ(r.gA.cell(1, 3), "");
  EXPECT_EQ(r.gA.cell(1, 4), reportNumber(D(obj, 0) * a1 / D(obj, 2)));
  EXPECT_EQ(r.gA.cell(2, 4), reportNumber(D(obj, 1) * a2 / D(obj, 2)));

  // Half-width of fitted value l: 1.96 h_l S2 with h_l the row sum of X C X'.
  const RegressionIntervals& g = r.g2;
  ASSERT_EQ(g.rowCount(), 23);
  ASSERT_EQ(g.columnCount(), 4);
  EXPECT_EQ(g.cell(0, 0), "");
  EXPECT_EQ(g.cell(1, 0), "value-");
  EXPECT_EQ(g.cell(3, 0), "value+");
  const long double w = 1.96L * S2 * std::sqrt(1 + 1.0L / 20);
  EXPECT_EQ(g.cell(0, 1), "D*D");
  EXPECT_EQ(g.cell(1, 1), reportNumber(S2 * S2 - w));
  EXPECT_EQ(g.cell(2, 1), reportNumber(S2 * S2));
  for (int column = 0; column < 4; ++column) EXPECT_EQ(g.cell(column, 2), "");
  for (int l = 0; l < 20; ++l) {
    const long double fitted = a1 * x1[l] + a2 * x2[l];
    const long double h = x1[l] * (c11 * t1 + c12 * t2) + x2[l] * (c12 * t1 + c22 * t2);
    EXPECT_EQ(g.cell(0, l + 3), "Y" + std::to_string(l + 1));
    EXPECT_EQ(g.cell(1, l + 3), reportNumber(fitted - h * S2));
    EXPECT_EQ(g.cell(2, l + 3), reportNumber(fitted));
    EXPECT_EQ(g.cell(3, l + 3), reportNumber(fitted + h * S2));
  }

  long double R;
  ASSERT_TRUE(parseLocaleNumber(shown, R));
  EXPECT_EQ(r.textResults,
            (std::vector<std::string>{"Regression is important (f > F):",
                                      "f = " + reportNumber(16.0L / 3 * (1 / (1 - R * R) - 1)),
                                      "F(.05, n1, n2) = " + reportNumber(f(0.05L, 3, 16)), "",
                                      "R2 = " + reportNumber(R * R)}));
}

// A weak multiple correlation gives a regression that is not important; a shown 0 gives none.
TEST(Dependence, ImportanceOfTheRegression) {
  const TStatsObject obj = noisySum(0.5L);
  const TRegression weak = Regression(obj, 2, "0.3000");
  EXPECT_EQ(weak.textResults[0], "Regression is NOT importan (f <= F):");
  EXPECT_EQ(weak.textResults[4], "R2 = 0.0900");
  for (const char* shown : {"0.0000", "0,0000", "", "n/a"})
    EXPECT_EQ(errorText([&] { Regression(obj, 2, shown); }), kNotImportant) << shown;
}

// A multiple correlation that shows as 1.0000 leaves 1 - R^2 = 0: f comes from the multiple
// correlation itself.
TEST(Dependence, MultipleCorrelationShownAsOne) {
  constexpr int N = 100000;
  const TStatsObject obj = noisySum(1e-6L, N);
  ASSERT_EQ(multipleCorrelationText(obj, 2), "1.0000");
  const TRegression r = Regression(obj, 2, "1.0000");
  const long double rr = MultiR(obj, 2);
  ASSERT_LT(rr, 1);
  EXPECT_EQ(r.textResults[0], "Regression is important (f > F):");
  EXPECT_EQ(r.textResults[1], "f = " + reportNumber((N - 4) / 3.0L * (1 / (1 - rr * rr) - 1)));
  EXPECT_EQ(r.textResults[4], "R2 = 1.0000");
  EXPECT_EQ(r.g2.rowCount(), N + 3);
  EXPECT_EQ(r.Series1.size(), static_cast<size_t>(N));
}

TEST(Dependence, UnsoundStatobjects) {
  const std::string fewer =
      "The statobject has fewer than two properties: there is no dependence between properties.";
  EXPECT_EQ(errorText([] { Evaluate(objectOf({{1, 2, 3, 4, 5}})); }), fewer);
  EXPECT_EQ(errorText([] { Regression(objectOf({{1, 2, 3, 4, 5}}), 0, "0.5000"); }), fewer);
  EXPECT_EQ(errorText([] {
              Evaluate(objectOf({{1, 2, 3, 4, 5}, {1, 2, 3, 4}}));
            }),
            "The properties have different numbers of values: #1 has 5, #2 has 4.");
  const std::string tooFew =
      "Too few observations: the partial and multiple correlations of 3 properties need at "
      "least 5 observations.";
  const TStatsObject four = objectOf({{1, 2, 3, 5}, {2, 1, 4, 3}, {0, 1, 1, 0}});
  EXPECT_EQ(errorText([&] { Evaluate(four); }), tooFew);
  EXPECT_EQ(errorText([&] { Regression(four, 0, "0.5000"); }), tooFew);
  EXPECT_EQ(errorText([] {
              Evaluate(objectOf({{1, 2, 3, 4, 5}, {7, 7, 7, 7, 7}}));
            }),
            "The values of property #2 are all equal: it has no spread to correlate or "
            "standardize.");

  // #1 and #2 uncorrelated by the filter, #3 nearly their sum: the correlations shown do not fit
  // together, and partial correlations beyond -1..1 would follow.
  Values x1, x2, x3;
  for (int l = 0; l < 20; ++l) {
    x1.push_back(l);
    x2.push_back(3 * ((l * 7) % 10));
    x3.push_back(x1.back() + x2.back() + 0.01L * ((l * 71) % 11 - 5));
  }
  const TStatsObject inconsistent = objectOf({x1, x2, x3});
  ASSERT_EQ(R(inconsistent, 0, 1), 0);
  EXPECT_EQ(errorText([&] { Evaluate(inconsistent); }), kNotPositiveDefinite);

  // Two identical properties explain the third: X'X has no inverse.
  const TStatsObject sum = noisySum(0.5L);
  const TStatsObject twice = objectOf({sum.Prop(0).data(), sum.Prop(0).data(), sum.Prop(2).data()});
  EXPECT_EQ(errorText([&] { Regression(twice, 2, "0.9000"); }), kDivByZero);
  // Their correlation matrix is singular too: no multiple correlation is defined.
  EXPECT_EQ(errorText([&] { multipleCorrelationText(twice, 2); }), kNotPositiveDefinite);
  EXPECT_EQ(errorText([&] { Regression(sum, 3, "0.5000"); }), "List index out of bounds (3)");
}

}  // namespace
}  // namespace statorium
