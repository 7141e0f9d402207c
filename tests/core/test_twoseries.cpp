// The two-series similarity check against hand-worked cases.

#include <gtest/gtest.h>

#include <cmath>

#include "core/numtext.h"
#include "core/quantiles.h"
#include "core/statsobject.h"
#include "core/twoseries.h"
#include "tests/core/errortext.h"
#include "tests/support/tempdir.h"

namespace statorium {
namespace {

using Lines = std::vector<std::string>;

struct Check {
  Lines u, normal;
};

Check check(const TValues& a, const TValues& b, bool dependent) {
  Check c;
  TwoSeriesCheck(a, b, dependent, c.u, c.normal);
  return c;
}

std::string f3(long double v) {
  return formatFixed(v, 3);
}

// 1..5 against 2, 4, ..., 10: m1 = 3, m2 = 6, s1^2 = 2.5, s2^2 = 10.
// Pairs: 2 = 2 and 4 = 4 count one half each, 3 > 2, 4 > 2, 5 > 2, 5 > 4: W = 5, so
// u = (5 - 12.5) / sqrt(25 * 11 / 12) = -1.567. f = 10 / 2.5 = 4. Independent t =
// -3 / sqrt(2.5/5 + 10/5) = -1.897; paired differences -1..-5: t = sqrt(5) * -3 / sqrt(2.5).
TEST(TwoSeries, HandWorkedCase) {
  const TValues a({1, 2, 3, 4, 5}), b({2, 4, 6, 8, 10});
  const Check independent = check(a, b, false);
  EXPECT_EQ(independent.u, (Lines{"u = -1.567", "u(0.05) = 1.645", "-----------------------------",
                                  "Accepted. Series are similar."}));
  EXPECT_EQ(independent.normal,
            (Lines{"f = 4.000", "f(0.05,4,4) = " + f3(f(0.05L, 4, 4)),
                   "-----------------------------", "Accepted. D1 = D2.", "", "t = -1.897",
                   "t(0.05/2) = 1.96", "-----------------------------", "Accepted. m1 = m2."}));
  const Check paired = check(a, b, true);
  EXPECT_EQ(paired.u, independent.u);
  EXPECT_EQ(paired.normal[5], "t = -4.243");
  EXPECT_EQ(paired.normal[8], "Rejected. m1 != m2.");
}

TEST(TwoSeries, TheLargerVarianceGivesTheNumeratorsDegreesOfFreedom) {
  const TValues narrow({1, 2, 3, 4}), wide({0, 10, 20, 30, 40, 50});
  EXPECT_EQ(check(narrow, wide, false).normal[1].rfind("f(0.05,5,3) = ", 0), 0u);
  EXPECT_EQ(check(wide, narrow, false).normal[1].rfind("f(0.05,5,3) = ", 0), 0u);
  // The critical value is the one of that ratio.
  EXPECT_EQ(check(narrow, wide, false).normal[1], "f(0.05,5,3) = " + f3(f(0.05L, 5, 3)));
}

TEST(TwoSeries, TheSameSeriesTwiceIsSimilarInEveryRespect) {
  const TValues a({3, 1, 4, 1, 5, 9, 2, 6});
  for (bool dependent : {false, true}) {
    const Check c = check(a, a, dependent);
    EXPECT_EQ(c.u[0], "u = 0.000");
    EXPECT_EQ(c.normal[0], "f = 1.000");
    EXPECT_EQ(c.normal[5], "t = 0.000");
    EXPECT_EQ(c.normal[8], "Accepted. m1 = m2.");
  }
}

TEST(TwoSeries, PairsStopAtTheShorterSeries) {
  // Ten pairs differing by exactly 1; the longer series' tail would change everything.
  std::vector<long double> x, y;
  for (int i = 0; i < 15; ++i) y.push_back(i * i);
  for (int i = 0; i < 10; ++i) x.push_back(i * i + 1);
  const Check c = check(TValues(x), TValues(y), true);
  EXPECT_EQ(c.normal[5], "t = " + f3(std::sqrt(10.0L) * 1 / 1e-7L));
  EXPECT_EQ(c.normal[8], "Rejected. m1 != m2.");
}

TEST(TwoSeries, DegenerateSeriesFailAfterTheUCriterionLines) {
  const struct {
    TValues a, b;
    const char* error;
  } cases[] = {
      {TValues({1}), TValues({1, 2, 3}), test::kInvalidOp},
      {TValues({1, 2, 3}), TValues({5, 5, 5}), "Floating point division by zero"},
      {TValues({5, 5}), TValues({5, 5, 5}), test::kInvalidOp},
  };
  for (const auto& c : cases) {
    Lines u, normal;
    EXPECT_EQ(test::errorText([&] { TwoSeriesCheck(c.a, c.b, false, u, normal); }), c.error);
    EXPECT_EQ(u.size(), 4u);
    EXPECT_TRUE(normal.empty());
  }
}

TEST(TwoSeries, ReadingTheSeries) {
  test::TempDir dir;
  TStatsObject obj;
  obj.addValues(TValues({7, 8, 9}));
  obj.addValues(TValues({1}));
  obj.writeObject(dir.file("obj.STA"));
  ASSERT_TRUE(readCheckSeries(dir.file("obj.STA")));
  EXPECT_EQ(readCheckSeries(dir.file("obj.STA"))->data(), (std::vector<long double>{7, 8, 9}));
  EXPECT_EQ(readCheckSeries(dir.write("s.txt", "2\n1\n"))->data(),
            (std::vector<long double>{2, 1}));
  EXPECT_FALSE(readCheckSeries(dir.file("missing.txt")));
  EXPECT_FALSE(readCheckSeries(dir.write("cut.sta", std::string("\x05\x00\x00\x00", 4))));
}

}  // namespace
}  // namespace statorium
