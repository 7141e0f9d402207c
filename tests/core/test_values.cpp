// TValues: accessors, elementary statistics, trimming and sorting.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "core/numtext.h"
#include "core/values.h"
#include "tests/core/errortext.h"
#include "tests/support/near.h"

namespace statorium {
namespace {

using test::errorText;

TEST(ValuesAccess, IndexOutsideTheListNamesTheIndex) {
  TValues v({1, 2, 3});
  EXPECT_EQ(errorText([&] { v.getAt(3); }), "List index out of bounds (3)");
  EXPECT_EQ(errorText([&] { v.getAt(-1); }), "List index out of bounds (-1)");
  EXPECT_EQ(errorText([&] { v.setAt(7, 0); }), "List index out of bounds (7)");
  EXPECT_EQ(errorText([&] { v.Delete(3); }), "List index out of bounds (3)");
  v.setAt(2, 9);
  EXPECT_EQ(v.getAt(2), 9);
  v.Delete(0);
  EXPECT_EQ(v.data(), (std::vector<long double>{2, 9}));
}

TEST(ValuesAccess, ExtremesOfAnEmptySampleFailForIndexZero) {
  TValues v;
  EXPECT_EQ(errorText([&] { v.Max(); }), "List index out of bounds (0)");
  EXPECT_EQ(errorText([&] { v.Min(); }), "List index out of bounds (0)");
  v.Add(-4);
  v.Add(7.5);
  v.Add(-4.25);
  EXPECT_EQ(v.Max(), 7.5);
  EXPECT_EQ(v.Min(), -4.25);
}

TEST(ValuesAccess, CloneIsIndependent) {
  TValues original({1, 2});
  TValues copy = original.Clone();
  copy.setAt(0, 100);
  copy.Add(3);
  EXPECT_EQ(original.data(), (std::vector<long double>{1, 2}));
  EXPECT_EQ(copy.data(), (std::vector<long double>{100, 2, 3}));
}

TEST(ValuesStatistics, MeanAndDeviationOfOneToFour) {
  // Sum of squared deviations from 2.5 is 5, so s = sqrt(5/3) = 1.2910.
  const TValues v({1, 2, 3, 4});
  const long double s = std::sqrt(5.0L / 3);
  long double d = -1;
  EXPECT_EQ(v.Average(&d), 2.5L);
  EXPECT_NEAR_REL(d, s / 2, 1e-18L);
  EXPECT_NEAR(static_cast<double>(d), 0.6455, 5e-5);
  EXPECT_NEAR_REL(v.AverageQuadratic(&d), s, 1e-18L);
  EXPECT_NEAR_REL(d, s / std::sqrt(8.0L), 1e-18L);
  EXPECT_NEAR(static_cast<double>(d), 0.4564, 5e-5);
  EXPECT_EQ(v.Average(), 2.5L);  // no out-parameter: only the value
}

TEST(ValuesStatistics, DegenerateSamplesFailAsInvalidOperations) {
  const TValues empty;
  const TValues one({3});
  EXPECT_EQ(errorText([&] { empty.Average(); }), test::kInvalidOp);
  EXPECT_EQ(errorText([&] { empty.AverageQuadratic(); }), test::kInvalidOp);
  EXPECT_EQ(errorText([&] { one.AverageQuadratic(); }), test::kInvalidOp);
  // The standard error of the mean needs s, which one value does not have.
  long double d;
  EXPECT_EQ(errorText([&] { one.Average(&d); }), test::kInvalidOp);
  EXPECT_EQ(one.Average(), 3);
}

TEST(ValuesStatistics, HugeValuesOverflowInsteadOfGivingInfinity) {
  // 1e4000 is an ordinary extended real, but its square is not.
  long double big = 0;
  ASSERT_TRUE(parsePointNumber("1e4000", big));
  const TValues v({big, -big, 3});
  EXPECT_EQ(v.Average(), 1);  // the sum itself stays in range
  EXPECT_EQ(errorText([&] { v.AverageQuadratic(); }), test::kOverflow);
  long double d;
  EXPECT_EQ(errorText([&] { v.Average(&d); }), test::kOverflow);

  const long double most = std::numeric_limits<long double>::max();
  EXPECT_EQ(errorText([&] { TValues({most, most}).Average(); }), test::kOverflow);
}

TEST(ValuesStatistics, AFaultLeftOverFromEarlierCodeDoesNotFailAValidStatistic) {
  volatile long double zero = 0;
  volatile long double stale = 1 / zero;  // raises the division flag and leaves it set
  static_cast<void>(stale);
  EXPECT_EQ(TValues({1, 3}).Average(), 2);
  // And a fault that did fail is not reported again by the next operation.
  EXPECT_EQ(errorText([] { TValues().Average(); }), test::kInvalidOp);
  EXPECT_EQ(errorText([] { TValues({2, 4}).AverageQuadratic(); }), "<no error>");
}

TEST(ValuesStatistics, MakeStandardCentresAndScales) {
  TValues v({1, 2, 3});
  v.MakeStandard();
  EXPECT_EQ(v.data(), (std::vector<long double>{-1, 0, 1}));

  // 2,4,4,4,5,5,7,9: mean 5, squared deviations sum to 32.
  TValues w({2, 4, 4, 4, 5, 5, 7, 9});
  w.MakeStandard();
  const long double s = std::sqrt(32.0L / 7);
  const long double expected[] = {-3 / s, -1 / s, -1 / s, -1 / s, 0, 0, 2 / s, 4 / s};
  for (int i = 0; i < w.count(); ++i) EXPECT_NEAR_REL(w.getAt(i), expected[i], 1e-18L);
  EXPECT_NEAR_REL(w.Average(), 0, 1e-18L);
  EXPECT_NEAR_REL(w.AverageQuadratic(), 1, 1e-18L);
}

TEST(ValuesStatistics, MakeStandardFailureLeavesTheSampleUnchanged) {
  struct Case {
    std::vector<long double> values;
    const char* error;
  } cases[] = {
      {{5, 5, 5}, test::kInvalidOp},
      {{-2}, test::kInvalidOp},
      {{}, test::kInvalidOp},
      {{1e4000L, -1e4000L}, test::kOverflow},
  };
  for (const Case& c : cases) {
    TValues v(c.values);
    EXPECT_EQ(errorText([&] { v.MakeStandard(); }), c.error);
    EXPECT_EQ(v.data(), c.values);
  }
}

TEST(ValuesStatistics, EqualValuesHaveExactlyZeroDeviation) {
  // Values without a short binary form: the rounded sum divided by n is not always the value.
  for (int n = 2; n <= 12; ++n) {
    for (long double x :
         {0.1L, 0.3L, 1.0L / 3, 0.9128571428571428571L, 1.52142857142857L, -7.77L, 1e-300L}) {
      TValues v(std::vector<long double>(n, x));
      EXPECT_EQ(v.Average(), x) << n << " times " << static_cast<double>(x);
      EXPECT_EQ(v.AverageQuadratic(), 0) << n << " times " << static_cast<double>(x);
      EXPECT_EQ(errorText([&] { v.MakeStandard(); }), test::kInvalidOp);
      EXPECT_EQ(v.data(), std::vector<long double>(n, x));
    }
  }
}

TEST(ValuesTrim, DropOutsideIntervalKeepsBoundsAndOrder) {
  TValues v({-1, 0, 5, 1000, 1000.5});
  v.dropAbnormalsOutOfInterval(0, 1000);
  EXPECT_EQ(v.data(), (std::vector<long double>{0, 5, 1000}));

  TValues w({5, -1, 3, 1000.5, 0, 5});
  w.dropAbnormalsOutOfInterval(0, 5);
  EXPECT_EQ(w.data(), (std::vector<long double>{5, 3, 0, 5}));
  w.dropAbnormalsOutOfInterval(6, 7);
  EXPECT_TRUE(w.empty());
}

TEST(ValuesSort, SortsAscendingAndRefusesAnEmptySample) {
  TValues v({3, 1, 2});
  v.QuickSort();
  EXPECT_EQ(v.data(), (std::vector<long double>{1, 2, 3}));

  TValues empty;
  EXPECT_EQ(errorText([&] { empty.QuickSort(); }), "List index out of bounds (0)");

  std::mt19937_64 rng(7);
  std::uniform_int_distribution<int> small(-20, 20);
  std::vector<long double> data(5000);
  for (long double& x : data) x = small(rng) / 4.0L;  // many duplicates
  TValues big(data);
  big.QuickSort();
  std::sort(data.begin(), data.end());
  EXPECT_EQ(big.data(), data);
}

TEST(ValuesSort, OrdersTheWholeRangeOfExtendedReals) {
  using L = std::numeric_limits<long double>;
  std::vector<long double> data = {L::max(),
                                   L::lowest(),
                                   L::min(),
                                   -L::min(),
                                   L::denorm_min(),
                                   -L::denorm_min(),
                                   0.0L,
                                   -0.0L,
                                   L::denorm_min() * 3,
                                   1e-4000L,
                                   -1e4000L,
                                   1e4000L,
                                   1,
                                   -1,
                                   0.5L,
                                   -0.5L};
  std::mt19937_64 rng(11);
  std::uniform_real_distribution<long double> unit(-1, 1);
  std::uniform_int_distribution<int> power(-16440, 16380);
  for (int i = 0; i < 20000; ++i) data.push_back(std::ldexp(unit(rng), power(rng)));
  TValues v(data);
  v.QuickSort();
  std::sort(data.begin(), data.end());
  ASSERT_EQ(v.count(), static_cast<int>(data.size()));
  for (size_t i = 0; i < data.size(); ++i) ASSERT_EQ(v.data()[i], data[i]) << i;
}

TEST(ValuesFiles, ExtensionIsTakenFromTheNamePartOnly) {
  EXPECT_EQ(lowerExtension("/a/b/data.CSV"), ".csv");
  EXPECT_EQ(lowerExtension("data.tar.Gz"), ".gz");
  EXPECT_EQ(lowerExtension("/a.b/data"), "");
  EXPECT_EQ(lowerExtension("noext"), "");
}

}  // namespace
}  // namespace statorium
