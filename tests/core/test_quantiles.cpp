// The quantile approximations of the normal, chi-square and F distributions, and the t-type
// comparison of an estimate with a reference value.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <string>

#include "core/numtext.h"
#include "core/quantiles.h"
#include "core/ttest.h"
#include "tests/core/errortext.h"
#include "tests/support/near.h"

namespace statorium {
namespace {

using test::errorText;
using test::kDivByZero;
using test::kInvalidOp;

// The exact upper-tail normal quantile: the z with erfc(z / sqrt 2) / 2 = p, by bisection.
long double exactUpperQuantile(long double p) {
  long double lo = -40, hi = 40;
  for (int i = 0; i < 200; ++i) {
    const long double mid = (lo + hi) / 2;
    (std::erfc(mid / std::numbers::sqrt2_v<long double>) / 2 > p ? lo : hi) = mid;
  }
  return (lo + hi) / 2;
}

TEST(NormalQuantile, WorkedValues) {
  EXPECT_NEAR_REL(U(0.025L), 1.9604L, 1e-4);
  EXPECT_NEAR_REL(U(0.05L), 1.6452L, 1e-4);
  EXPECT_LT(std::fabs(U(0.5L)), 1e-5L);
  // Beyond 0.5 the formula runs on unchanged: at p = 1, t = 0 and U = -C0.
  EXPECT_EQ(U(1), -C0);
}

TEST(NormalQuantile, WithinTheApproximationErrorOfTheExactQuantile) {
  // The rational approximation promises an absolute error below 4.5e-4 on (0, 0.5].
  for (const long double p :
       {1e-12L, 1e-6L, 1e-3L, 0.01L, 0.025L, 0.05L, 0.1L, 0.2L, 0.3L, 0.4L, 0.45L, 0.5L}) {
    EXPECT_LT(std::fabs(U(p) - exactUpperQuantile(p)), 4.5e-4L) << "p=" << p;
  }
}

TEST(ChiSquareQuantile, FisherApproximation) {
  // 0.5 (U(0.05) + 1)^2.
  EXPECT_NEAR_REL(XX(0.05L, 1), 3.4986L, 1e-4);
  // Published 5% points: 3.841 for 1 degree of freedom (the approximation is rough there),
  // 18.307 for 10, 43.773 for 30, 124.342 for 100.
  const struct {
    int nyu;
    long double table;
    long double tolerance;
  } cases[] = {
      {1, 3.841L, 0.1L}, {10, 18.307L, 0.02L}, {30, 43.773L, 0.01L}, {100, 124.342L, 0.005L}};
  for (const auto& c : cases) {
    EXPECT_NEAR(static_cast<double>(XX(0.05L, c.nyu) / c.table), 1,
                static_cast<double>(c.tolerance))
        << "nyu=" << c.nyu;
  }
}

TEST(FQuantile, CornishFisherAgainstPublishedTables) {
  // The expansion stays a little below the tables: 2.974 for 2.978, 2.697 for 2.711.
  EXPECT_NEAR(static_cast<double>(f(0.05L, 10, 10)), 2.97, 0.005);
  EXPECT_NEAR(static_cast<double>(f(0.05L, 5, 20)), 2.70, 0.005);
  const struct {
    long double a, n1, n2, table;
  } cases[] = {
      {0.05L, 10, 10, 2.9782L}, {0.05L, 5, 20, 2.7109L},  {0.05L, 20, 5, 4.5581L},
      {0.01L, 10, 10, 4.8491L}, {0.05L, 30, 60, 1.6491L},
  };
  for (const auto& c : cases) {
    EXPECT_NEAR(static_cast<double>(f(c.a, c.n1, c.n2) / c.table), 1, 0.006)
        << "f(" << c.a << ", " << c.n1 << ", " << c.n2 << ")";
  }
  // With equal degrees of freedom the median of F is 1.
  EXPECT_NEAR_REL(f(0.5L, 7, 7), 1, 1e-6);
}

TEST(Quantiles, ArgumentsOutsideTheDomainFail) {
  const struct {
    const char* what;
    std::function<long double()> call;
    const char* error;
  } cases[] = {
      {"U(0): logarithm of 0", [] { return U(0); }, kDivByZero},
      {"U(1.5)", [] { return U(1.5L); }, kInvalidOp},
      {"U(-0.1)", [] { return U(-0.1L); }, kInvalidOp},
      {"XX with 0 degrees", [] { return XX(0.05L, 0); }, kInvalidOp},
      {"XX with -3 degrees", [] { return XX(0.05L, -3); }, kInvalidOp},
      {"f with n1 = 0", [] { return f(0.05L, 0, 10); }, kDivByZero},
  };
  for (const auto& c : cases) EXPECT_EQ(errorText(c.call), c.error) << c.what;
}

TEST(TTest, VerdictAndText) {
  const struct {
    long double T, T0, DT;
    bool same;
    const char* text;
  } cases[] = {
      {2.5L, 2, 0.0625L, false, "2.000"},  // |0.5| / 0.25 = 2 > 1.96
      {1.5L, 2, 0.0625L, false, "-2.000"},
      {2.4L, 2, 0.0625L, true, "1.600"},
      {2, 2, 1, true, "0.000"},
      {1.96L, 0, 1, true, "1.960"},  // the edge itself is accepted
      {-1.97L, 0, 1, false, "-1.970"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(tTest(c.T, c.T0, c.DT), c.same) << c.T << " vs " << c.T0;
    EXPECT_EQ(tTestStr(c.T, c.T0, c.DT), c.text) << c.T << " vs " << c.T0;
  }
  DecimalSeparatorScope comma(',');
  EXPECT_EQ(tTestStr(2.5L, 2, 0.0625L), "2,000");
}

TEST(TTest, ZeroOrNegativeVarianceFails) {
  EXPECT_EQ(errorText([] { tTest(2.5L, 2, 0); }), kDivByZero);
  EXPECT_EQ(errorText([] { tTest(2, 2, 0); }), kInvalidOp);
  EXPECT_EQ(errorText([] { tTest(2.5L, 2, -1); }), kInvalidOp);
  EXPECT_EQ(errorText([] { tTestStr(2.5L, 2, 0); }), kDivByZero);
  EXPECT_EQ(errorText([] { tTestStr(2.5L, 2, -1); }), kInvalidOp);
}

}  // namespace
}  // namespace statorium
