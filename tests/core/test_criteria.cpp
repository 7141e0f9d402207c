// The rank statistic of two samples and the goodness-of-fit criteria of Kolmogorov and Pearson.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <vector>

#include "core/exponentlaw.h"
#include "core/fitcriteria.h"
#include "core/normallaw.h"
#include "core/ucriteria.h"
#include "core/uniformlaw.h"
#include "core/variants.h"
#include "core/weibulllaw.h"
#include "tests/core/errortext.h"
#include "tests/support/near.h"

namespace statorium {
namespace {

using test::errorText;
using test::kInvalidOp;

TVariants seriesOf(std::vector<long double> values) {
  std::sort(values.begin(), values.end());
  TVariants v;
  v.setVariants(TValues(std::move(values)));
  return v;
}

TVariants classesOf(std::vector<long double> values, int32_t count) {
  TVariants classes;
  classes.setClasses(seriesOf(std::move(values)), count);
  return classes;
}

// The normalized statistic from a literal count of the pairs: x > y counts 1, x = y one half.
long double pairCountStatistic(const std::vector<long double>& xs,
                               const std::vector<long double>& ys) {
  long double W = 0;
  for (const long double x : xs)
    for (const long double y : ys) W += x > y ? 1 : x == y ? 0.5L : 0;
  const long double n = xs.size(), m = ys.size();
  return (W - n * m / 2) / std::sqrt(n * m * (n + m + 1) / 12);
}

// Reproducible random numbers: uniform on (0, 1) from the raw 64-bit generator, whose output
// the language fixes.
class Random {
 public:
  explicit Random(uint64_t seed) : m_gen(seed) {}
  long double uniform() { return ((m_gen() >> 11) + 0.5L) / 9007199254740992.0L; }
  long double exponential(long double lambda) { return -std::log(uniform()) / lambda; }
  long double normal(long double m, long double s) {
    const long double r = std::sqrt(-2 * std::log(uniform()));
    return m + s * r * std::cos(2 * 3.14159265358979323846L * uniform());
  }
  long double weibull(long double alpha, long double beta) {
    return alpha * std::pow(-std::log(uniform()), 1 / beta);
  }

 private:
  std::mt19937_64 m_gen;
};

TEST(UCriteria, SeparatedSamples) {
  // W = 0 and (0 - 4.5) / sqrt(9 * 7 / 12).
  const TValues low({1, 2, 3}), high({4, 5, 6});
  EXPECT_NEAR_REL(UCriteria(low, high), -1.9639610121239315L, 1e-15);
  EXPECT_NEAR_REL(UCriteria(high, low), 1.9639610121239315L, 1e-15);
}

TEST(UCriteria, EqualValuesCountOneHalf) {
  // Two identical samples: every tie counts one half, W = n m / 2.
  const TValues same({1, 2, 2, 3, 7});
  EXPECT_EQ(UCriteria(same, same), 0);
  // 2, 2 against 2: W = 1 of 2 pairs.
  EXPECT_EQ(UCriteria(TValues({2, 2}), TValues({2})), 0);
  // 1, 2 against 2, 3: only the tie counts, W = 0.5; (0.5 - 2) / sqrt(4 * 5 / 12).
  EXPECT_NEAR_REL(UCriteria(TValues({1, 2}), TValues({2, 3})), -1.5L / std::sqrt(20.0L / 12),
                  1e-15);
}

TEST(UCriteria, AgreesWithTheLiteralPairCount) {
  // Small unsorted samples of few distinct values, so that ties are frequent.
  for (uint64_t seed = 1; seed <= 20; ++seed) {
    Random random(seed);
    std::vector<long double> xs(1 + seed % 7), ys(1 + seed * 3 % 11);
    for (long double& x : xs) x = std::floor(random.uniform() * 6) / 2;
    for (long double& y : ys) y = std::floor(random.uniform() * 6) / 2 - 0.5L;
    EXPECT_NEAR_REL(UCriteria(TValues(xs), TValues(ys)), pairCountStatistic(xs, ys), 1e-15)
        << "seed " << seed;
  }
}

TEST(UCriteria, LargeSamplesAreExact) {
  // 1100 values each: 0..1099 against 0.5..1099.5 gives W = 1099 * 1100 / 2, 550 below n m / 2,
  // over sqrt(1100^2 * 2201 / 12).
  std::vector<long double> a(1100), b(1100);
  for (int i = 0; i < 1100; ++i) a[i] = i, b[i] = i + 0.5L;
  EXPECT_NEAR_REL(UCriteria(TValues(a), TValues(b)), -550 / (1100 * std::sqrt(2201 / 12.0L)),
                  1e-15);

  // 10^5 shuffled values each, with every value of the first sample tied once in the second:
  // W = n (n - 1) / 2 + n / 2 = n m / 2, so the result is exactly 0.
  const int n = 100000;
  std::vector<long double> xs(n);
  for (int i = 0; i < n; ++i) xs[i] = i * 0.25L;
  std::vector<long double> ys = xs;
  std::shuffle(xs.begin(), xs.end(), std::mt19937_64(7));
  std::shuffle(ys.begin(), ys.end(), std::mt19937_64(8));
  const TValues first(xs), second(ys);
  EXPECT_EQ(UCriteria(first, second), 0);
}

TEST(UCriteria, AnEmptySampleFails) {
  EXPECT_EQ(errorText([] { UCriteria(TValues(), TValues({1, 2})); }), kInvalidOp);
  EXPECT_EQ(errorText([] { UCriteria(TValues({1}), TValues()); }), kInvalidOp);
}

TEST(KolmogorovsCriterion, DistanceComparesTheLawWithBothSidesOfEachStep) {
  // Uniform on [0, 4] against 1, 2, 3: F = 1/4, 1/2, 3/4 and Fn = 1/3, 2/3, 1. The largest
  // distance is F(2) = 1/2 against Fn(3) = 1, the law at the previous variant.
  TUniformLaw law;
  law.a = 0;
  law.b = 4;
  EXPECT_NEAR_REL(KolmogorovsDistance(seriesOf({1, 2, 3}), law), 0.5L, 1e-15);

  // A single variant: Dmax = |F(x0) - 1|.
  TExponentLaw exponent;
  exponent.Lambda = 1;
  const TVariants single = seriesOf({1, 1, 1, 1});
  const long double dMax = std::exp(-1.0L);
  EXPECT_NEAR_REL(KolmogorovsDistance(single, exponent), dMax, 1e-15);
  const long double p = KolmogorovsProbability(2 * dMax, 4);
  EXPECT_TRUE(KolmogorovsCheck(single, exponent, p));
  EXPECT_FALSE(KolmogorovsCheck(single, exponent, p * (1 + 1e-12L)));
}

TEST(KolmogorovsCriterion, ProbabilityApproachesTheLimitingDistribution) {
  // Published points of the limiting Kolmogorov distribution: P(lambda >= 1.2238) = 0.10,
  // 1.3581 -> 0.05, 1.6276 -> 0.01; the small-sample factors vanish for large N.
  const struct {
    long double lambda, p;
  } cases[] = {{1.2238L, 0.10L}, {1.3581L, 0.05L}, {1.6276L, 0.01L}};
  for (const auto& c : cases) {
    EXPECT_NEAR(static_cast<double>(KolmogorovsProbability(c.lambda, 100000000)),
                static_cast<double>(c.p), 1e-4)
        << "lambda=" << c.lambda;
    // For fewer observations the same distance is less probable.
    EXPECT_LT(KolmogorovsProbability(c.lambda, 100), c.p);
  }
}

TEST(KolmogorovsCriterion, AnAlmostExactFitIsAccepted) {
  // 1..100000 against the uniform law fitted to them: lambda is tiny, and there four terms of
  // the series alone give a probability near 0.19, which would reject the closest possible fit.
  std::vector<long double> values;
  for (int i = 1; i <= 100000; ++i) values.push_back(i);
  const TVariants series = seriesOf(values);
  TUniformLaw law;
  law.evaluateParams(series);
  const long double lambda = std::sqrt(100000.0L) * KolmogorovsDistance(series, law);
  ASSERT_LT(lambda, kKolmogorovSeriesFloor);
  EXPECT_LT(KolmogorovsProbability(lambda, 100000), 0.5L);
  for (long double level : {0.01L, 0.05L, 0.5L, 0.99L})
    EXPECT_TRUE(KolmogorovsCheck(series, law, level));
}

TEST(KolmogorovsCriterion, FailuresOfTheLawPassThrough) {
  TWeibullsLaw law;
  law.alpha = 1;
  law.beta = 1.5L;
  EXPECT_EQ(errorText([&] { KolmogorovsCheck(seriesOf({-1, 1, 2}), law, 0.05L); }), kInvalidOp);
}

TEST(PearsonsCriterion, StatisticOverAllClassesButTheLast) {
  // Classes of width 1 from 0 with 1, 3, 2, 2 values; uniform on [0, 4] expects 2 in each.
  // The last class takes no part: X = (1 + 1 + 0) / 2.
  const TVariants classes = classesOf({0, 1.5L, 1.5L, 1.5L, 2.5L, 2.5L, 3.5L, 4}, 4);
  ASSERT_EQ(classes.ns(), (std::vector<int32_t>{1, 3, 2, 2}));
  TUniformLaw law;
  law.a = 0;
  law.b = 4;
  EXPECT_NEAR_REL(PearsonsStatistic(classes, law), 1, 1e-15);
  // One degree of freedom (4 classes, 2 parameters): 1 <= XX(0.05, 1) = 3.4986 but not
  // XX(0.5, 1) = 0.5 (U(0.5) + 1)^2.
  EXPECT_TRUE(PearsonsCheck(classes, law, 0.05L));
  EXPECT_FALSE(PearsonsCheck(classes, law, 0.5L));
}

TEST(PearsonsCriterion, EveryFailureIsARejection) {
  const TVariants four = classesOf({0, 1.5L, 1.5L, 1.5L, 2.5L, 2.5L, 3.5L, 4}, 4);
  // A law that expects nothing in the second class: e = 0.
  TUniformLaw narrow;
  narrow.a = 0;
  narrow.b = 1;
  EXPECT_THROW(PearsonsStatistic(four, narrow), FloatError);
  EXPECT_FALSE(PearsonsCheck(four, narrow, 0.05L));

  // 3 classes and a two-parameter law leave 0 degrees of freedom, however good the fit.
  const TVariants three = classesOf({0, 1.5L, 1.5L, 2.5L, 3}, 3);
  TUniformLaw wide;
  wide.a = 0;
  wide.b = 3;
  EXPECT_NO_THROW(PearsonsStatistic(three, wide));
  EXPECT_FALSE(PearsonsCheck(three, wide, 0.05L));

  // A failure of the law's F.
  TWeibullsLaw weibull;
  weibull.alpha = 1;
  weibull.beta = 1.5L;
  EXPECT_FALSE(PearsonsCheck(classesOf({-2, -1, 0, 1, 2, 3, 4}, 3), weibull, 0.05L));
}

// Samples of 2000 values drawn from one law: both criteria accept the law fitted to them and
// reject a clearly different one. Twenty samples per law, so that the verdicts are judged as
// rates: Kolmogorov's criterion with estimated parameters is conservative and accepts nearly
// always; Pearson's criterion merges no sparse classes, so a tail class with an expected
// frequency near 1 makes it reject a right law in about one sample in ten.
TEST(FitCriteria, AcceptTheGeneratingLawAndRejectAnother) {
  using Generator = std::function<long double(Random&)>;
  using Maker = std::function<std::unique_ptr<TLaw>()>;
  const Maker normal = [] { return std::make_unique<TNormalLaw>(); };
  const Maker exponent = [] { return std::make_unique<TExponentLaw>(); };
  const Maker uniform = [] { return std::make_unique<TUniformLaw>(); };
  const Maker weibull = [] { return std::make_unique<TWeibullsLaw>(); };
  const struct {
    const char* what;
    Generator draw;
    Maker fitting, other;
  } cases[] = {
      {"normal", [](Random& r) { return r.normal(10, 2); }, normal, uniform},
      {"exponential", [](Random& r) { return r.exponential(0.5L); }, exponent, normal},
      {"uniform", [](Random& r) { return 3 + 4 * r.uniform(); }, uniform, normal},
      {"weibull", [](Random& r) { return r.weibull(2, 3); }, weibull, exponent},
  };
  const int n = 2000, samples = 20;
  for (const auto& c : cases) {
    int kolmogorovAccepts = 0, pearsonAccepts = 0, otherAccepted = 0;
    for (int seed = 1; seed <= samples; ++seed) {
      Random random(seed);
      std::vector<long double> values(n);
      for (long double& v : values) v = c.draw(random);
      const TVariants series = seriesOf(values);
      const TVariants classes = classesOf(values, TVariants::calcClassCount(n));
      const std::unique_ptr<TLaw> fitting = c.fitting(), other = c.other();
      fitting->evaluateParams(series);
      other->evaluateParams(series);
      kolmogorovAccepts += KolmogorovsCheck(series, *fitting, 0.05L);
      pearsonAccepts += PearsonsCheck(classes, *fitting, 0.05L);
      otherAccepted += KolmogorovsCheck(series, *other, 0.05L);
      otherAccepted += PearsonsCheck(classes, *other, 0.05L);
    }
    EXPECT_GE(kolmogorovAccepts, samples - 1) << c.what;
    EXPECT_GE(pearsonAccepts, samples - 4) << c.what;
    EXPECT_EQ(otherAccepted, 0) << c.what;
  }
}

}  // namespace
}  // namespace statorium
