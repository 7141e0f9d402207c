// The correlation table, the pair correlation and what the window draws from a table.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "core/correlationtable.h"
#include "tests/core/errortext.h"
#include "tests/support/near.h"

namespace statorium {
namespace {

using test::errorText;

// X = 1, 2, 3, 4 and Y = 4, 3, 2, 1: three classes of width 1 on each axis; 3 and the maximum 4
// share the last class, so the pairs fall into the cells (0, 2), (1, 2), (2, 1), (2, 0). The Y
// classes 2, 1, 0 hold the X values {1, 2}, {3}, {4}: SAY = 2 (1.5 - 2.5)^2 + 0.5^2 + 1.5^2 = 4.5
// against SY = 5.
TEST(CorrelationTable, FourPairs) {
  const T2DVariant t(TValues({1, 2, 3, 4}), TValues({4, 3, 2, 1}));
  EXPECT_EQ(t.n, 3);
  EXPECT_EQ(t.MinX, 1);
  EXPECT_EQ(t.MaxX, 4);
  EXPECT_EQ(t.MinY, 1);
  EXPECT_EQ(t.MaxY, 4);
  EXPECT_EQ(t.MaxN, 1);
  const int expected[3][3] = {{0, 0, 1}, {0, 0, 1}, {1, 1, 0}};  // [row j][column i]
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) EXPECT_EQ(t.getN(i, j), expected[j][i]) << i << "," << j;
  EXPECT_NEAR_REL(t.Ro, std::sqrt(0.9L), 1e-18L);
  EXPECT_EQ(t.first().data(), (std::vector<long double>{1, 2, 3, 4}));
  EXPECT_EQ(t.second().data(), (std::vector<long double>{4, 3, 2, 1}));
  EXPECT_EQ(errorText([&] { t.getN(3, 0); }), "List index out of bounds (3)");
  EXPECT_EQ(errorText([&] { t.getN(0, -1); }), "List index out of bounds (-1)");
}

// An X value on an inner boundary goes up; the maximum stays in the last class.
TEST(CorrelationTable, InnerBoundaryBelongsToTheUpperClass) {
  const T2DVariant t(TValues({0, 1, 2, 3}), TValues({0, 0, 0, 3}));
  EXPECT_EQ(t.getN(0, 0), 1);
  EXPECT_EQ(t.getN(1, 0), 1);
  EXPECT_EQ(t.getN(2, 0), 1);
  EXPECT_EQ(t.getN(2, 2), 1);
  // Every X class of the bottom row holds one value: the row mean 1 differs from the mean 1.5.
  EXPECT_NEAR_REL(t.Ro, std::sqrt((3 * 0.25L + 2.25L) / 5), 1e-18L);
}

// Only the first min(n1, n2) pairs are counted; the ranges and the mean of X take all values.
TEST(CorrelationTable, SamplesOfDifferentLengths) {
  const T2DVariant t(TValues({1, 2, 3, 4, 100}), TValues({4, 3, 2, 1}));
  EXPECT_EQ(t.n, 3);
  EXPECT_EQ(t.MaxX, 100);
  int total = 0;
  for (int i = 0; i < t.n; ++i)
    for (int j = 0; j < t.n; ++j) total += t.getN(i, j);
  EXPECT_EQ(total, 4);
  EXPECT_EQ(t.getN(0, 0), 1);  // all four x fall into the first X class
  EXPECT_EQ(t.first().count(), 5);
  EXPECT_GE(t.Ro, 0);
  EXPECT_LE(t.Ro, 1);
}

TEST(CorrelationTable, Failures) {
  struct Case {
    const char* name;
    std::vector<long double> x, y;
    const char* error;
  } cases[] = {
      {"empty X", {}, {1, 2}, "List index out of bounds (0)"},
      {"empty Y", {1, 2}, {}, "List index out of bounds (0)"},
      {"constant X", {5, 5, 5, 5}, {1, 2, 3, 4}, test::kInvalidOp},
      {"constant Y", {1, 2, 3, 4}, {7, 7, 7, 7}, test::kInvalidOp},
  };
  for (const Case& c : cases)
    EXPECT_EQ(errorText([&] { T2DVariant(TValues(c.x), TValues(c.y)); }), c.error) << c.name;
}

// x = 1..10 and y = r u + sqrt(1 - r^2) w, u and w the centred x and a centred quadratic of
// equal norm and orthogonal to it: the usual coefficient of x and y is r exactly.
TValues withCorrelation(long double r) {
  std::vector<long double> u(10), w(10), y(10);
  long double uu = 0, ww = 0, mean2 = 0;
  for (int k = 0; k < 10; ++k) {
    u[k] = k - 4.5L;
    mean2 += u[k] * u[k] / 10;
  }
  for (int k = 0; k < 10; ++k) {
    w[k] = u[k] * u[k] - mean2;
    uu += u[k] * u[k];
    ww += w[k] * w[k];
  }
  for (int k = 0; k < 10; ++k) y[k] = r * u[k] + std::sqrt(1 - r * r) * w[k] * std::sqrt(uu / ww);
  return TValues(y);
}

// The usual sample coefficient: both the cross moment and the deviations take N - 1.
TEST(PairCorrelation, SampleCoefficientWithItsSignificanceFilter) {
  // Perfectly related values are perfectly correlated, however few (a cross moment over N
  // against deviations over N - 1 gave -0.75 here).
  EXPECT_EQ(PairCorrelation(TValues({1, 2, 3, 4}), TValues({4, 3, 2, 1})), -1);
  EXPECT_EQ(PairCorrelation(TValues({1, 2, 3}), TValues({2, 4, 6})), 1);
  const TValues x({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
  // r = -0.8 with 10 values: t = 0.8 sqrt(8) / 0.6 = 3.77 keeps it.
  EXPECT_NEAR_REL(PairCorrelation(x, withCorrelation(-0.8L)), -0.8L, 1e-15L);
  // r = 0.55: t = 0.55 sqrt(8) / sqrt(0.6975) = 1.86, not significant.
  EXPECT_EQ(PairCorrelation(x, withCorrelation(0.55L)), 0);
  // r = 0.6: t = 0.6 sqrt(8) / 0.8 = 2.12 is kept.
  EXPECT_NEAR_REL(PairCorrelation(x, withCorrelation(0.6L)), 0.6L, 1e-15L);
}

TEST(PairCorrelation, Failures) {
  EXPECT_EQ(errorText([] { PairCorrelation(TValues({1}), TValues({2})); }), test::kInvalidOp);
  EXPECT_EQ(errorText([] {
              PairCorrelation(TValues({1, 2, 3}), TValues({2, 2, 2}));
            }),
            test::kInvalidOp);  // 0 / 0
  EXPECT_EQ(errorText([] {
              PairCorrelation(TValues({1, 2, 3}), TValues({2, 3}));
            }),
            "List index out of bounds (2)");
  // Two pairs leave no degree of freedom for the test.
  EXPECT_EQ(errorText([] { PairCorrelation(TValues({1, 2}), TValues({2, 4})); }),
            test::kInvalidOp);
}

// 30 pairs: 5 classes of width 2 on X (0..10) and of width 1 on Y (0..5).
TEST(ClassGrid, NPlusOneLinesEachWay) {
  std::vector<long double> x, y;
  for (int k = 0; k < 30; ++k) {
    x.push_back(k % 11);
    y.push_back(k % 6);
  }
  const T2DVariant t{TValues(x), TValues(y)};
  ASSERT_EQ(t.n, 5);
  const std::vector<ChartArrow> grid = classGrid(t);
  ASSERT_EQ(grid.size(), 12u);
  for (int k = 0; k <= 5; ++k) {
    const ChartArrow& h = grid[2 * k];
    const ChartArrow& v = grid[2 * k + 1];
    EXPECT_EQ(h.x0, 0);
    EXPECT_EQ(h.x1, 10);
    EXPECT_DOUBLE_EQ(h.y0, k);
    EXPECT_DOUBLE_EQ(h.y1, k);
    EXPECT_DOUBLE_EQ(v.x0, 2 * k);
    EXPECT_DOUBLE_EQ(v.x1, 2 * k);
    EXPECT_EQ(v.y0, 0);
    EXPECT_EQ(v.y1, 5);
  }
}

// Nine pairs, three classes of width 1: cell (0, 0) holds 3, (1, 1) holds 2, four cells hold 1.
TEST(CellColor, RedScaledByTheFullestCellWhiteWhenEmpty) {
  const T2DVariant t(TValues({0, 0.5L, 0.2L, 1.5L, 1.2L, 3, 2.5L, 0.5L, 1.5L}),
                     TValues({0, 0.5L, 0.2L, 1.5L, 1.2L, 3, 0.5L, 2.5L, 0.5L}));
  ASSERT_EQ(t.n, 3);
  ASSERT_EQ(t.MaxN, 3);
  EXPECT_EQ(cellColor(t, 0, 0), 0xFF0000u);
  EXPECT_EQ(cellColor(t, 1, 1), 170u << 16);
  EXPECT_EQ(cellColor(t, 2, 2), 85u << 16);
  EXPECT_EQ(cellColor(t, 0, 1), 0xFFFFFFu);
}

}  // namespace
}  // namespace statorium
