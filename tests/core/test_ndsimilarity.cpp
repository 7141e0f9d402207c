// The multi-dimensional similarity check: a statobject against itself, one property against the
// one-dimensional formulas, a shifted copy against the closed forms of the two mean statistics,
// the degrees of freedom of three statobjects, the reading of the checked files and unsound
// selections.

#include <gtest/gtest.h>

#include <cmath>

#include "core/ndsimilarity.h"
#include "core/numtext.h"
#include "core/quantiles.h"
#include "tests/core/errortext.h"
#include "tests/core/stafiles.h"
#include "tests/support/tempdir.h"

namespace statorium {
namespace {

using test::errorText;
using test::kDivByZero;
using Lines = std::vector<std::string>;
using Values = std::vector<long double>;

TStatsObject objectOf(const std::vector<Values>& props) {
  TStatsObject obj;
  for (const auto& p : props) obj.addValues(TValues(p));
  return obj;
}

NSimilarityResults check(const std::vector<TStatsObject>& objects) {
  NSimilarityResults r;
  NSimilarityCheck(objects, r);
  return r;
}

std::string num(long double v) {
  return formatFixed(v, 3);
}

// Two properties of twelve observations, correlated but not linearly dependent.
const TStatsObject kPair =
    objectOf({{3, 5, 2, 8, 7, 4, 6, 9, 1, 5, 6, 3}, {1, 4, 2, 6, 5, 5, 3, 8, 2, 3, 7, 1}});

TEST(NSimilarity, TheSameStatobjectTwice) {
  const NSimilarityResults r = check({kPair, kPair});
  EXPECT_EQ(r.textResults,
            (Lines{"V = 0.000", "X^2(0.05,3) = " + num(XX(0.05L, 3)),
                   "-----------------------------", "Accepted. DC1 = DC2 = ... = DC2", "",
                   "V = 0.000", "X^2(0.05,2) = " + num(XX(0.05L, 2)),
                   "-----------------------------", "Accepted. E1 = E2 = ... = E2", ""}));
  EXPECT_EQ(r.normalResults, (Lines{"V = 0.000", "X^2(0.05,2) = " + num(XX(0.05L, 2)),
                                    "-----------------------------", "Accepted. E1 = E2"}));
}

// One property each: V1 = (n1 - 1) ln(s^2 / s1^2) + (n2 - 1) ln(s^2 / s2^2) with the pooled
// variance s^2; the mean of the means weighted by n_i / s_i^2; the last block compares the
// within-sample variance with the variance about the common mean.
TEST(NSimilarity, OnePropertyEach) {
  const Values a = {4, 7, 5, 9, 6, 8, 5}, b = {12, 9, 15, 11, 14, 10, 13, 16, 12};
  auto moments = [](const Values& v, long double& mean, long double& scatter) {
    mean = 0;
    for (long double x : v) mean += x;
    mean /= v.size();
    scatter = 0;
    for (long double x : v) scatter += (x - mean) * (x - mean);
  };
  long double ma, sa, mb, sb;
  moments(a, ma, sa);
  moments(b, mb, sb);
  const long double na = a.size(), nb = b.size(), N = na + nb;
  const long double va = sa / (na - 1), vb = sb / (nb - 1), pooled = (sa + sb) / (N - 2);
  const long double V1 = (na - 1) * std::log(pooled / va) + (nb - 1) * std::log(pooled / vb);
  const long double common = (na * ma / va + nb * mb / vb) / (na / va + nb / vb);
  const long double V2 =
      na * (ma - common) * (ma - common) / va + nb * (mb - common) * (mb - common) / vb;
  const long double total = (sa + sb + na * nb / N * (ma - mb) * (ma - mb)) / (N - 2);
  const long double V3 = -(N - 2.5L) * std::log(pooled / total);

  const NSimilarityResults r = check({objectOf({a}), objectOf({b})});
  ASSERT_EQ(r.textResults.size(), 10u);
  EXPECT_EQ(r.textResults[0], "V = " + num(V1));
  EXPECT_EQ(r.textResults[1], "X^2(0.05,1) = " + num(XX(0.05L, 1)));
  EXPECT_EQ(r.textResults[3], V1 > XX(0.05L, 1) ? "Rejected. There is some Di != Dj."
                                                : "Accepted. DC1 = DC2 = ... = DC2");
  EXPECT_EQ(r.textResults[5], "V = " + num(V2));
  EXPECT_EQ(r.textResults[6], "X^2(0.05,1) = " + num(XX(0.05L, 1)));
  EXPECT_EQ(r.textResults[8], "Rejected. There is some Ei != Ej.");
  EXPECT_EQ(r.normalResults[0], "V = " + num(V3));
  EXPECT_EQ(r.normalResults[1], "X^2(0.05,1) = " + num(XX(0.05L, 1)));
  EXPECT_EQ(r.normalResults[3], "Rejected. There is some E1 != E2.");
}

// A copy shifted by d has the same covariance matrix S, so the covariances are equal, the
// weighted mean of the means is their middle, V2 = n/2 d' S^-1 d, and by the determinant of a
// matrix plus one of rank one V3 = (2n - 2.5) ln(1 + n/2 / (2n - 2) d' S^-1 d).
TEST(NSimilarity, AShiftedCopy) {
  const long double dx = 1.5L, dy = -0.5L;
  Values x = kPair.Prop(0).data(), y = kPair.Prop(1).data();
  for (long double& v : x) v += dx;
  for (long double& v : y) v += dy;
  const TStatsObject shifted = objectOf({x, y});

  const long double n = 12;
  long double mx = 0, my = 0;
  for (int l = 0; l < 12; ++l) {
    mx += kPair.Prop(0).getAt(l) / n;
    my += kPair.Prop(1).getAt(l) / n;
  }
  long double sxx = 0, sxy = 0, syy = 0;
  for (int l = 0; l < 12; ++l) {
    const long double u = kPair.Prop(0).getAt(l) - mx, v = kPair.Prop(1).getAt(l) - my;
    sxx += u * u / (n - 1);
    sxy += u * v / (n - 1);
    syy += v * v / (n - 1);
  }
  const long double q =
      (syy * dx * dx - 2 * sxy * dx * dy + sxx * dy * dy) / (sxx * syy - sxy * sxy);

  const NSimilarityResults r = check({kPair, shifted});
  EXPECT_EQ(r.textResults[0], "V = 0.000");
  EXPECT_EQ(r.textResults[3], "Accepted. DC1 = DC2 = ... = DC2");
  EXPECT_EQ(r.textResults[5], "V = " + num(n / 2 * q));
  EXPECT_EQ(r.textResults[8], "Rejected. There is some Ei != Ej.");
  EXPECT_EQ(r.normalResults[0],
            "V = " + num((2 * n - 2.5L) * std::log(1 + n / 2 / (2 * n - 2) * q)));
  EXPECT_EQ(r.normalResults[3], "Rejected. There is some E1 != E2.");
}

// Three statobjects of two properties: 2 * 3 * 2 / 2 = 6 and 2 * 2 = 4 degrees of freedom; the
// last block compares the first two only, which are the same.
TEST(NSimilarity, ThreeStatobjects) {
  Values x = kPair.Prop(0).data();
  for (long double& v : x) v += 4;
  const NSimilarityResults r = check({kPair, kPair, objectOf({x, kPair.Prop(1).data()})});
  EXPECT_EQ(r.textResults[1], "X^2(0.05,6) = " + num(XX(0.05L, 6)));
  EXPECT_EQ(r.textResults[3], "Accepted. DC1 = DC2 = ... = DC3");
  EXPECT_EQ(r.textResults[6], "X^2(0.05,4) = " + num(XX(0.05L, 4)));
  EXPECT_EQ(r.textResults[8], "Rejected. There is some Ei != Ej.");
  EXPECT_EQ(r.normalResults, (Lines{"V = 0.000", "X^2(0.05,2) = " + num(XX(0.05L, 2)),
                                    "-----------------------------", "Accepted. E1 = E2"}));
}

TEST(NSimilarity, FewerThanTwoStatobjects) {
  const Lines need = {"You need to have two series selected at least."};
  for (const std::vector<TStatsObject>& objects :
       {std::vector<TStatsObject>{}, std::vector<TStatsObject>{kPair}}) {
    const NSimilarityResults r = check(objects);
    EXPECT_EQ(r.textResults, need);
    EXPECT_EQ(r.normalResults, need);
  }
}

// Only names ending in ".sta", in this letter case, are read; what cannot be read is left out.
TEST(NSimilarity, ReadingTheCheckedFiles) {
  const test::TempDir dir;
  const std::string good = test::writeStaFile(dir, "good.sta", {{1, 2, 3}, {3, 1, 2}});
  const std::string upper = test::writeStaFile(dir, "upper.STA", {{1, 2, 3}});
  const std::string text = dir.write("series.txt", "1\n2\n3\n");
  const std::string damaged = dir.write("damaged.sta", std::string("\x02\x00\x00\x00x", 5));
  const std::vector<TStatsObject> objects =
      readNCheckObjects({good, text, upper, damaged, dir.file("missing.sta"), good});
  ASSERT_EQ(objects.size(), 2u);
  EXPECT_EQ(objects[1].propCount(), 2);
  EXPECT_EQ(objects[1].Prop(1).data(), (Values{3, 1, 2}));
}

TEST(NSimilarity, UnsoundSelections) {
  const TStatsObject three = objectOf({{1, 2, 3, 4, 5}, {2, 1, 4, 3, 5}, {0, 1, 0, 1, 1}});
  EXPECT_EQ(errorText([&] {
              check({kPair, three, kPair});
            }),
            "The statobjects have different numbers of properties: #1 has 2, #2 has 3, #3 has 2.");
  EXPECT_EQ(errorText([] {
              check({TStatsObject(), TStatsObject()});
            }),
            "The statobjects have no properties.");
  EXPECT_EQ(errorText([&] {
              check({kPair, objectOf({{1, 2, 3}, {1, 2}})});
            }),
            "Statobject 2: The properties have different numbers of values: #1 has 3, #2 has 2.");
  EXPECT_EQ(errorText([&] {
              check({kPair, objectOf({{1, 2}, {2, 1}})});
            }),
            "Statobject 2 has 2 observations of 2 properties: its covariance matrix is singular.");
  EXPECT_EQ(errorText([&] {
              check({kPair, objectOf({{1, 2, 3, 4}, {5, 5, 5, 5}})});
            }),
            "Statobject 2: The values of property #2 are all equal: it has no spread to "
            "correlate or standardize.");
  // A property that is the sum of the others: no inverse. Nothing is written before the
  // failure.
  NSimilarityResults r;
  const TStatsObject sum = objectOf({{1, 4, 2, 8, 5}, {3, 1, 4, 1, 5}, {4, 5, 6, 9, 10}});
  EXPECT_EQ(errorText([&] { NSimilarityCheck({sum, three}, r); }), kDivByZero);
  EXPECT_TRUE(r.textResults.empty());
}

}  // namespace
}  // namespace statorium
