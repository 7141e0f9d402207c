// The many-series check against hand-worked cases, and the rank sums against literal ranking.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "core/checkseries.h"
#include "core/manyseries.h"
#include "core/numtext.h"
#include "core/quantiles.h"
#include "tests/core/errortext.h"
#include "tests/core/stafiles.h"
#include "tests/support/near.h"
#include "tests/support/tempdir.h"

namespace statorium {
namespace {

using Lines = std::vector<std::string>;
const std::string kSep = "-----------------------------";

std::string f3(long double v) {
  return formatFixed(v, 3);
}

// The Kruskal-Wallis statistic with the ranks found by counting, value by value.
long double literalH(const std::vector<TValues>& series) {
  std::vector<long double> pooled;
  for (const TValues& s : series) pooled.insert(pooled.end(), s.data().begin(), s.data().end());
  const long double N = pooled.size();
  long double sum = 0;
  for (const TValues& s : series) {
    long double R = 0;
    for (long double v : s.data()) {
      long double below = 0, equal = 0;
      for (long double w : pooled) {
        below += w < v;
        equal += w == v;
      }
      R += below + (equal + 1) / 2;
    }
    const long double n = s.count();
    sum += n * (R / n - (N + 1) / 2) * (R / n - (N + 1) / 2);
  }
  return 12 / (N * (N + 1)) * sum;
}

// {1,2,3}, {2,4,6}, {5,6,7}: variances 1, 4, 1, pooled 2; M = 2 ln 2, C = 1 + (3/2 - 1/6) / 6
// = 11/9, X^2 = 1.134. Means 2, 4, 6 around 4: B = 24 / 2 = 12, F = 12 / 2 = 6. Pooled ranks
// 1, 2.5, 2.5, 4, 5, 6, 7.5, 7.5, 9 give R = 7.5, 15, 22.5 and H = 12/90 * 37.5 = 5.
TEST(ManySeries, HandWorkedCase) {
  const ManySeriesLines lines =
      ManySeriesCheck({TValues({1, 2, 3}), TValues({2, 4, 6}), TValues({5, 6, 7})});
  const std::string chi = "X^2(0.05,2) = " + f3(XX(0.05L, 2));
  EXPECT_EQ(lines.bartlett, (Lines{"X^2 = 1.134", chi, kSep, "Accepted. D1 = D2 =... = D3"}));
  const long double f0 = f(0.05L, 2, 6);
  EXPECT_EQ(lines.variance,
            (Lines{"F = 6.000", "F(0.05,2,6) = " + f3(f0), kSep,
                   6 > f0 ? "Rejected. There is mI != mJ." : "Accepted. m1 = m2 =... = m3"}));
  EXPECT_EQ(lines.rank, (Lines{"H = 5.000", chi, kSep, "Accepted. Series are similar."}));
}

// Each criterion on the other side of its critical value (X^2(0.05, 2) = 5.703).
TEST(ManySeries, RejectionsOfEachCriterion) {
  // Variances 1, 100, 1 (pooled 34): X^2 = 2 (2 ln 34 + ln 0.34) / (11/9) = 9.775.
  const ManySeriesLines spread =
      ManySeriesCheck({TValues({1, 2, 3}), TValues({0, 10, 20}), TValues({5, 6, 7})});
  EXPECT_EQ(spread.bartlett[0], "X^2 = 9.775");
  EXPECT_EQ(spread.bartlett[3], "Rejected. There is some Di != Dj.");
  // Means 2, 5, 8 with variances 1: F = 27; ranks 1..9 in blocks: H = 12/90 * 54 = 7.2.
  const ManySeriesLines shifted =
      ManySeriesCheck({TValues({1, 2, 3}), TValues({4, 5, 6}), TValues({7, 8, 9})});
  EXPECT_EQ(shifted.bartlett,
            (Lines{"X^2 = 0.000", "X^2(0.05,2) = 5.703", kSep, "Accepted. D1 = D2 =... = D3"}));
  EXPECT_EQ(shifted.variance[0], "F = 27.000");
  EXPECT_EQ(shifted.variance[3], "Rejected. There is mI != mJ.");
  EXPECT_EQ(shifted.rank[0], "H = 7.200");
  EXPECT_EQ(shifted.rank[3], "Rejected. Series are different.");
}

TEST(ManySeries, TwoSeriesShowOneDegreeOfFreedom) {
  const ManySeriesLines lines = ManySeriesCheck({TValues({1, 2, 3, 4}), TValues({2, 3, 5})});
  EXPECT_EQ(lines.bartlett[1], "X^2(0.05,1) = " + f3(XX(0.05L, 1)));
  EXPECT_EQ(lines.bartlett[3], "Accepted. D1 = D2 =... = D2");
  EXPECT_EQ(lines.variance[1], "F(0.05,1,5) = " + f3(f(0.05L, 1, 5)));
  EXPECT_EQ(lines.variance[3], "Accepted. m1 = m2 =... = m2");
  EXPECT_EQ(lines.rank[1], lines.bartlett[1]);
}

TEST(ManySeries, TheSameSeriesThreeTimesIsSimilarInEveryRespect) {
  const TValues s({3.5, 1.25, 8, 2, 2, 7.75});
  const ManySeriesLines lines = ManySeriesCheck({s, s, s});
  EXPECT_EQ(lines.bartlett[0], "X^2 = 0.000");
  EXPECT_EQ(lines.bartlett[3], "Accepted. D1 = D2 =... = D3");
  EXPECT_EQ(lines.variance[0], "F = 0.000");
  EXPECT_EQ(lines.variance[3], "Accepted. m1 = m2 =... = m3");
  EXPECT_EQ(lines.rank[0], "H = 0.000");
  EXPECT_EQ(lines.rank[3], "Accepted. Series are similar.");
}

TEST(ManySeries, FewerThanTwoSeriesAskForTwo) {
  for (const std::vector<TValues>& list : {std::vector<TValues>{}, {TValues({1, 2})}}) {
    const ManySeriesLines lines = ManySeriesCheck(list);
    const Lines need{"You need to have two series selected at least."};
    EXPECT_EQ(lines.bartlett, need);
    EXPECT_EQ(lines.variance, need);
    EXPECT_EQ(lines.rank, need);
  }
}

TEST(ManySeries, DegenerateSeriesFailBeforeAnyLine) {
  struct Case {
    const char* what;
    TValues degenerate;
    const char* error;
  };
  const Case cases[] = {{"constant", TValues({4, 4, 4}), test::kDivByZero},
                        {"one value", TValues({4}), test::kInvalidOp},
                        {"empty", TValues(), test::kInvalidOp}};
  for (const Case& c : cases)
    EXPECT_EQ(test::errorText([&] {
                ManySeriesCheck({TValues({1, 2, 3}), c.degenerate});
              }),
              c.error)
        << c.what;
}

TEST(ManySeries, TiedRanksShareTheirMeanPosition) {
  // Pooled 1, 2, 2, 3: ranks 1, 2.5, 2.5, 4, so R = 3.5 and 6.5 around 2.5 each:
  // H = 12/20 * (2 * 0.75^2 + 2 * 0.75^2) = 1.35.
  EXPECT_NEAR_REL(HCriterion({TValues({1, 2}), TValues({2, 3})}), 1.35L, 1e-15L);
}

TEST(ManySeries, RankSumsAgreeWithLiteralRanking) {
  std::mt19937 engine(7);
  for (int round = 0; round < 20; ++round) {
    std::vector<TValues> series(2 + round % 4);
    for (TValues& s : series) {
      const int n = 1 + static_cast<int>(engine() % 40);
      // Few distinct values, so that ties within and across series are common.
      for (int i = 0; i < n; ++i) s.Add(static_cast<long double>(engine() % 12) / 4);
    }
    EXPECT_NEAR_REL(HCriterion(series), literalH(series), 1e-15L) << "round " << round;
  }
}

TEST(CheckSeries, StatobjectsByExtensionInAnyCaseAndReadingErrors) {
  test::TempDir dir;
  const std::string upper = test::writeStaFile(dir, "obj.STA", {{5, 6, 7}, {1, 1, 1}});
  EXPECT_EQ(loadCheckSeries(upper).data(), (std::vector<long double>{5, 6, 7}));
  const std::string empty = test::writeStaFile(dir, "none.sta", {});
  EXPECT_EQ(test::errorText([&] { loadCheckSeries(empty); }),
            "The statobject \"" + empty + "\" has no properties.");
  EXPECT_EQ(test::errorText([&] { loadCheckSeries(dir.file("missing.txt")); }), "I/O error 103");
  EXPECT_FALSE(readCheckSeries(dir.file("missing.txt")).has_value());
}

}  // namespace
}  // namespace statorium
