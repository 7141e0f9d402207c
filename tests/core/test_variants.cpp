// TVariants: the variation series, the classes, trimming, the empirical function and the
// numeric characteristics.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "core/variants.h"
#include "tests/core/errortext.h"
#include "tests/support/near.h"

namespace statorium {
namespace {

using test::errorText;
using Xs = std::vector<long double>;
using Ns = std::vector<int32_t>;

TVariants seriesOf(const Xs& sorted) {
  TVariants v;
  v.setVariants(TValues(sorted));
  return v;
}

// A variation series with the given variants and frequencies, built from the sample they
// stand for.
TVariants seriesWithFrequencies(const Xs& xs, const Ns& ns) {
  Xs sample;
  for (size_t i = 0; i < xs.size(); ++i) sample.insert(sample.end(), ns[i], xs[i]);
  return seriesOf(sample);
}

TEST(VariationSeries, AdjacentEqualValuesMerge) {
  const TVariants v = seriesOf({1, 1, 2, 5, 5, 5});
  EXPECT_EQ(v.xs(), (Xs{1, 2, 5}));
  EXPECT_EQ(v.ns(), (Ns{2, 1, 3}));
  EXPECT_EQ(v.m_Total, 6);
  EXPECT_EQ(v.m_Width, 0.01L);

  // Only neighbours merge: an unsorted sample repeats variants.
  const TVariants u = seriesOf({2, 1, 1, 2});
  EXPECT_EQ(u.xs(), (Xs{2, 1, 2}));
  EXPECT_EQ(u.ns(), (Ns{1, 2, 1}));
}

TEST(VariationSeries, EmptySampleOnlyResetsTheTotal) {
  TVariants v = seriesOf({1, 2});
  v.setVariants(TValues());
  EXPECT_EQ(v.m_Total, 0);
  EXPECT_EQ(v.xs(), (Xs{1, 2}));
}

TEST(VariationSeries, AccessorsCheckTheIndex) {
  TVariants v = seriesOf({1, 1, 2});
  EXPECT_EQ(v.getAtN(0), 2);
  EXPECT_EQ(v.getAt(1).x, 2);
  EXPECT_EQ(v.getAt(1).n, 1);
  v.setAtX(1, 3);
  EXPECT_EQ(v.getAtX(1), 3);
  EXPECT_EQ(errorText([&] { v.getAtX(2); }), "List index out of bounds (2)");
  EXPECT_EQ(errorText([&] { v.getAtN(-1); }), "List index out of bounds (-1)");
  EXPECT_EQ(errorText([&] { v.setAtX(5, 0); }), "List index out of bounds (5)");
  EXPECT_EQ(errorText([&] { v.getAt(2); }), "List index out of bounds (2)");
}

TEST(ClassCount, FollowsTheRootRules) {
  const struct {
    int32_t n;
    int32_t classes;
  } cases[] = {
      {0, 1},  {1, 1},  {2, 1},  {4, 3},    {9, 3},   {16, 5},   {25, 5},    {36, 7},
      {39, 7}, {40, 6}, {64, 8}, {100, 10}, {101, 4}, {1000, 9}, {1001, 10}, {100000, 46},
  };
  for (const auto& c : cases) EXPECT_EQ(TVariants::calcClassCount(c.n), c.classes) << c.n;
}

struct ClassCase {
  const char* name;
  Xs sample;
  int32_t classCount;
  long double width;
  Xs lowerBounds;
  Ns frequencies;
};

TEST(Classes, BoundaryValuesBelongToTheLowerClass) {
  const ClassCase cases[] = {
      {"two classes", {1, 1, 2, 5, 5, 5}, 2, 2, {1, 3}, {3, 3}},
      {"one to four", {0, 1, 2, 3, 4}, 4, 1, {0, 1, 2, 3}, {2, 1, 1, 1}},
      {"empty classes kept", {0, 10}, 5, 2, {0, 2, 4, 6, 8}, {1, 0, 0, 0, 1}},
      {"one class", {3, 4, 4, 9}, 1, 6, {3}, {4}},
      {"within tolerance above a bound", {0, 1.0000005L, 2}, 2, 1, {0, 1}, {2, 1}},
      {"beyond tolerance above a bound", {0, 1.000002L, 3}, 3, 1, {0, 1, 2}, {1, 1, 1}},
  };
  for (const ClassCase& c : cases) {
    SCOPED_TRACE(c.name);
    const TVariants series = seriesOf(c.sample);
    TVariants classes;
    classes.setClasses(series, c.classCount);
    EXPECT_EQ(classes.m_Width, c.width);
    EXPECT_EQ(classes.m_Total, static_cast<int32_t>(c.sample.size()));
    EXPECT_EQ(classes.xs(), c.lowerBounds);
    EXPECT_EQ(classes.ns(), c.frequencies);
    // The series it was built from is untouched.
    EXPECT_EQ(series.m_Width, 0.01L);
  }
}

TEST(Classes, TooNarrowRangeIsAClassCountError) {
  const struct {
    const char* name;
    Xs sample;
    int32_t classCount;
  } cases[] = {
      {"four equal values", {7, 7, 7, 7}, TVariants::calcClassCount(4)},
      {"range below the tolerance", {0, 1e-7L}, 2},
      {"range of a few tolerances", {0, 3e-6L}, 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TVariants classes;
    EXPECT_EQ(errorText([&] { classes.setClasses(seriesOf(c.sample), c.classCount); }),
              "Class count error");
  }
}

TEST(Classes, ZeroClassesIsAFloatingPointError) {
  TVariants classes;
  EXPECT_EQ(errorText([&] { classes.setClasses(seriesOf({1, 2}), 0); }), test::kDivByZero);
  EXPECT_EQ(errorText([&] { classes.setClasses(seriesOf({4, 4}), 0); }), test::kInvalidOp);
}

TEST(Classes, EmptySeriesKeepsThePreviousClasses) {
  TVariants classes;
  classes.setClasses(seriesOf({0, 10}), 5);
  TVariants empty;
  classes.setClasses(empty, 3);
  EXPECT_EQ(classes.m_Total, 0);
  EXPECT_EQ(classes.count(), 5);
}

TEST(Classes, ASeriesCanBeClassifiedInPlace) {
  TVariants v = seriesOf({0, 1, 2, 3, 4});
  v.setClasses(v, 4);
  EXPECT_EQ(v.xs(), (Xs{0, 1, 2, 3}));
  EXPECT_EQ(v.ns(), (Ns{2, 1, 1, 1}));
  EXPECT_EQ(v.m_Width, 1);
}

TEST(Classes, LargeRandomSampleKeepsTheInvariants) {
  Xs sample;
  for (int i = 0; i < 1000; ++i) sample.push_back(std::round(1000 * std::sin(i * 0.7L)) / 8);
  std::sort(sample.begin(), sample.end());
  const TVariants series = seriesOf(sample);
  const int32_t k = TVariants::calcClassCount(series.m_Total);
  TVariants classes;
  classes.setClasses(series, k);
  ASSERT_EQ(classes.count(), k);
  int64_t total = 0;
  for (int c = 0; c < k; ++c) {
    EXPECT_EQ(classes.getAtX(c), sample.front() + c * classes.m_Width);
    total += classes.getAtN(c);
  }
  EXPECT_EQ(total, 1000);
}

TEST(Trimming, DropsRareVariantsWhileTheShareStaysBelowGamma) {
  const struct {
    const char* name;
    Ns frequencies;
    long double gamma1, gamma2;
    Ns kept;  // frequencies of the variants left
    int32_t total;
  } cases[] = {
      {"first goes, last stays",
       {1, 10, 10, 10, 10, 10, 10, 10, 10, 10, 9},
       0.05L,
       0.05L,
       {10, 10, 10, 10, 10, 10, 10, 10, 10, 9},
       99},
      {"shares add up", {2, 2, 96}, 0.05L, 0.05L, {96}, 96},
      {"right end against the reduced total", {50, 3, 1}, 0.05L, 0.05L, {50, 3}, 53},
      {"a share equal to gamma stays", {5, 90, 5}, 0.05L, 0.05L, {5, 90, 5}, 100},
      {"zero gammas drop nothing", {1, 1}, 0, 0, {1, 1}, 2},
      {"everything from the left", {1, 1}, 2, 0.5L, {}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Xs xs;
    for (size_t i = 0; i < c.frequencies.size(); ++i) xs.push_back(static_cast<long double>(i));
    TVariants v = seriesWithFrequencies(xs, c.frequencies);
    v.dropAbnormals(c.gamma1, c.gamma2);
    EXPECT_EQ(v.ns(), c.kept);
    EXPECT_EQ(v.m_Total, c.total);
  }
}

TEST(Trimming, EmptyTotalIsLeftAlone) {
  TVariants v = seriesOf({1, 2});
  v.setVariants(TValues());
  v.dropAbnormals(0.9L, 0.9L);
  EXPECT_EQ(v.count(), 2);
  EXPECT_EQ(v.m_Total, 0);
}

TEST(EmpiricalFunction, IsRightContinuousStepsOfTheFrequencies) {
  TVariants v = seriesOf({1, 1, 2, 5, 5, 5});
  const struct {
    long double x, F;
  } points[] = {{-1e30L, 0},   {0.999L, 0},       {1, 2.0L / 6}, {1.5L, 2.0L / 6},
                {2, 3.0L / 6}, {4.99L, 3.0L / 6}, {5, 1},        {1e30L, 1}};
  for (const auto& p : points) EXPECT_EQ(v.Fn(p.x), p.F) << static_cast<double>(p.x);
  EXPECT_EQ(v.getMax(), 0.5L);

  // After trimming the function divides by the reduced total.
  v.dropAbnormals(0.4L, 0);
  EXPECT_EQ(v.Fn(2), 1.0L / 4);
  EXPECT_EQ(v.Fn(5), 1);
  // And after a variant moves, it steps at the new place.
  v.setAtX(0, 3);
  EXPECT_EQ(v.Fn(2.5L), 0);
  EXPECT_EQ(v.Fn(3), 1.0L / 4);
}

TEST(EmpiricalFunction, StopsAtTheFirstVariantAboveXInAnUnsortedSeries) {
  // An unsorted sample gives variants 3, 1, 2: the sum stops at 3 for any x below it.
  const TVariants v = seriesOf({3, 1, 2});
  EXPECT_EQ(v.Fn(2.5L), 0);
  EXPECT_EQ(v.Fn(1), 0);
  EXPECT_EQ(v.Fn(3), 1);
  const TVariants w = seriesOf({1, 5, 2, 3, 4});
  EXPECT_EQ(w.Fn(4.5L), 1.0L / 5);
  EXPECT_EQ(w.Fn(5), 1);
}

TEST(EmpiricalFunction, ClassesStepAtTheirLowerBounds) {
  TVariants classes;
  classes.setClasses(seriesOf({0, 1, 2, 3, 4}), 4);
  EXPECT_EQ(classes.Fn(0.5L), 2.0L / 5);
  EXPECT_EQ(classes.Fn(1), 3.0L / 5);
  EXPECT_EQ(classes.Fn(3.5L), 1);
  EXPECT_EQ(classes.getMax(), 2.0L / 5);
}

TEST(EmpiricalFunction, EmptySeriesFails) {
  const TVariants empty;
  EXPECT_EQ(errorText([&] { empty.Fn(0); }), test::kInvalidOp);
  EXPECT_EQ(empty.getMax(), 0);
}

TEST(Characteristics, SmallSampleByHand) {
  // 2,4,4,4,5,5,7,9: N = 8, mean 5, deviations -3,-1,-1,-1,0,0,2,4.
  // Sums of their powers: |d| 12, d^2 32, d^3 42, d^4 356.
  const TVariants v = seriesOf({2, 4, 4, 4, 5, 5, 7, 9});
  const long double N = 8;
  const long double s = std::sqrt(32 / (N - 1));
  // A = 42 * sqrt(56) / (6 * 8 * s^3) = 343/512 exactly.
  const long double A = 343.0L / 512;
  // g = (356 / 8) / s^4 = 2180.5/1024; E = 63/30 * (g - 3 + 6/9) = -0.428271484375 exactly.
  const long double E = -0.428271484375L;
  long double d = 0;

  EXPECT_EQ(v.Average(&d), 5);
  EXPECT_NEAR_REL(d, s / std::sqrt(N), 1e-18L);
  EXPECT_NEAR_REL(v.AverageQuadratic(&d), s, 1e-18L);
  EXPECT_NEAR_REL(d, s / 4, 1e-18L);
  EXPECT_NEAR_REL(v.AsymetricalCoefficent(&d), A, 1e-18L);
  EXPECT_NEAR_REL(d, std::sqrt(57.0L / 244), 1e-18L);  // (24/8)(1 - 225/244)
  EXPECT_NEAR_REL(v.Excess(&d), E, 1e-18L);
  EXPECT_NEAR_REL(d, std::sqrt(33.0L / 92), 1e-18L);  // (6/8)(1 - 12/23)
  EXPECT_NEAR_REL(v.Contrexcess(&d), 1 / std::sqrt(-E), 1e-18L);
  EXPECT_NEAR_REL(d, E * std::sqrt(2 * E * E + 1) / 4, 1e-18L);
  EXPECT_NEAR_REL(v.PirsonsVariation(&d), s / 5, 1e-18L);
  EXPECT_NEAR_REL(d, std::sqrt(-E / (29 * N)) * std::pow(1 - E * E, 0.75L), 1e-18L);
  // 12 * sqrt(2 / 3.1415926) * (1 + 2/55) / (s * sqrt(56)).
  EXPECT_NEAR_REL(v.AbsoluteDigression(&d),
                  12 * std::sqrt(2 / 3.1415926L) * (57.0L / 55) / (s * std::sqrt(56.0L)), 1e-18L);
  EXPECT_NEAR_REL(d, std::sqrt((0.04507L - 0.079L / 8) / 8), 1e-18L);

  // Rounded values for a reader to check against a calculator.
  EXPECT_NEAR(static_cast<double>(v.AverageQuadratic()), 2.13809, 1e-5);
  EXPECT_NEAR(static_cast<double>(v.Contrexcess()), 1.52806, 1e-5);
  EXPECT_NEAR(static_cast<double>(v.AbsoluteDigression()), 0.620174, 1e-6);

  // Without the out-parameter only the value is computed.
  EXPECT_NEAR_REL(v.Excess(), E, 1e-18L);
}

TEST(Characteristics, SkewnessErrorOfFewerThanSevenValuesTakesTheFactorsMagnitude) {
  // 1, 2, 3, 5, 8: N = 5, where 1 - 225/199 is negative; its magnitude gives the error.
  const TVariants v = seriesOf({1, 2, 3, 5, 8});
  long double d = 0;
  v.AsymetricalCoefficent(&d);
  EXPECT_NEAR_REL(d, std::sqrt((24.0L / 5) * (225.0L / 199 - 1)), 1e-18L);
}

TEST(Characteristics, FollowEveryChangeOfTheSeries) {
  // Each change must give the characteristics of the series as it now stands, as a series built
  // afresh from the same variants does.
  const Xs values = {1, 2, 2, 3, 3, 3, 4, 4, 5, 9, 12, 30};
  const Xs trimmed = {2, 2, 3, 3, 3, 4, 4, 5, 9, 12};  // the rarest values at both ends dropped
  TVariants v = seriesOf(values);
  v.Excess();
  v.AverageQuadratic();
  v.dropAbnormals(0.1L, 0.1L);
  const TVariants fresh = seriesOf(trimmed);
  EXPECT_EQ(v.Average(), fresh.Average());
  EXPECT_EQ(v.AverageQuadratic(), fresh.AverageQuadratic());
  EXPECT_EQ(v.Excess(), fresh.Excess());

  v.setAtX(0, 0);
  const TVariants moved = seriesOf({0, 0, 3, 3, 3, 4, 4, 5, 9, 12});
  EXPECT_EQ(v.Average(), moved.Average());
  EXPECT_EQ(v.Excess(), moved.Excess());

  TVariants other = seriesOf(values);
  other.Average();
  other.m_Total = 24;  // the total is open to callers: the mean divides by the new one
  EXPECT_EQ(other.Average(), seriesOf(values).Average() / 2);
}

TEST(Characteristics, TheClassifiedSeriesUsesItsLowerBounds) {
  TVariants classes;
  classes.setClasses(seriesOf({1, 1, 2, 5, 5, 5}), 2);  // 1 (n = 3) and 3 (n = 3)
  EXPECT_EQ(classes.Average(), 2);
  EXPECT_NEAR_REL(classes.AverageQuadratic(), std::sqrt(6.0L / 5), 1e-18L);
}

TEST(Characteristics, DegenerateSeriesFail) {
  const TVariants none;
  const TVariants one = seriesOf({5});
  const TVariants two = seriesOf({1, 3});
  const TVariants three = seriesOf({1, 2, 4});
  const TVariants equal = seriesOf({2, 2, 2, 2, 2});
  const TVariants zeroMean = seriesOf({-1, 1});
  long double d;
  const struct {
    const char* name;
    std::function<void()> action;
    const char* error;
  } cases[] = {
      {"mean of nothing", [&] { none.Average(); }, test::kInvalidOp},
      {"deviation of one", [&] { one.AverageQuadratic(); }, test::kInvalidOp},
      {"error of the mean of one", [&] { one.Average(&d); }, test::kInvalidOp},
      {"skewness of two", [&] { two.AsymetricalCoefficent(); }, test::kInvalidOp},
      {"skewness of equal values", [&] { equal.AsymetricalCoefficent(); }, test::kInvalidOp},
      {"excess of three", [&] { three.Excess(); }, test::kDivByZero},
      {"excess of two", [&] { two.Excess(); }, test::kDivByZero},
      {"excess of equal values", [&] { equal.Excess(); }, test::kInvalidOp},
      {"contrexcess of equal values", [&] { equal.Contrexcess(); }, test::kInvalidOp},
      {"variation about a zero mean", [&] { zeroMean.PirsonsVariation(); }, test::kDivByZero},
      {"absolute digression of one", [&] { one.AbsoluteDigression(); }, test::kInvalidOp},
  };
  for (const auto& c : cases) EXPECT_EQ(errorText(c.action), c.error) << c.name;
}

TEST(Characteristics, EqualValuesHaveNoSpread) {
  // 0.3 times n is rounded, and so would be its mean without a correction.
  for (int n = 3; n <= 40; ++n) {
    const TVariants v = seriesOf(Xs(n, 0.3L));
    EXPECT_EQ(v.Average(), 0.3L) << n;
    EXPECT_EQ(v.AverageQuadratic(), 0) << n;
    EXPECT_EQ(errorText([&] { v.AsymetricalCoefficent(); }), test::kInvalidOp) << n;
  }
}

TEST(Characteristics, HugeValuesOverflow) {
  const TVariants v = seriesOf({-1e4000L, 1e4000L});
  EXPECT_EQ(v.Average(), 0);
  EXPECT_EQ(errorText([&] { v.AverageQuadratic(); }), test::kOverflow);
  EXPECT_EQ(errorText([&] { v.Excess(); }), test::kOverflow);
}

}  // namespace
}  // namespace statorium
