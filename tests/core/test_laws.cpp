// The distribution laws: parameter estimates, F, ff, D and the band, the parameter texts, and
// the failures of degenerate series and arguments.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "core/exponentlaw.h"
#include "core/normallaw.h"
#include "core/numtext.h"
#include "core/uniformlaw.h"
#include "core/variants.h"
#include "core/weibulllaw.h"
#include "core/zipflaw.h"
#include "tests/core/errortext.h"
#include "tests/support/near.h"

namespace statorium {
namespace {

using test::errorText;
using test::kDivByZero;
using test::kInvalidOp;

TVariants seriesOf(std::vector<long double> sorted) {
  TVariants v;
  v.setVariants(TValues(std::move(sorted)));
  return v;
}

const long double kSqrt2 = std::numbers::sqrt2_v<long double>;

// The exact standard normal distribution function.
long double normalCdf(long double u) {
  return std::erfc(-u / kSqrt2) / 2;
}

TEST(NormalLaw, EstimatesOfOneTwoThree) {
  // q = 14/3, q - m^2 = 2/3, Sigma = sqrt(2/3) * 3/2, so Sigma^2 = 3/2 and Dm = Sigma^2 / 3.
  TNormalLaw law;
  law.evaluateParams(seriesOf({1, 2, 3}));
  EXPECT_NEAR_REL(law.m, 2, 1e-15);
  EXPECT_NEAR_REL(law.Sigma, std::sqrt(1.5L), 1e-15);
  EXPECT_NEAR_REL(law.Dm, 0.5L, 1e-15);
  EXPECT_NEAR_REL(law.DSigma, 0.25L, 1e-15);
  EXPECT_EQ(law.paramCount(), 2);

  // Frequencies weigh the variants: 1, 1, 3 has mean 5/3 and q - m^2 = 8/9.
  law.evaluateParams(seriesOf({1, 1, 3}));
  EXPECT_NEAR_REL(law.m, 5.0L / 3, 1e-15);
  EXPECT_NEAR_REL(law.Sigma, std::sqrt(8.0L / 9) * 1.5L, 1e-15);
}

TEST(NormalLaw, DistributionFunctionMatchesTheExactNormalWithin1e7) {
  TNormalLaw law;
  law.m = 3;
  law.Sigma = 2;
  long double worst = 0;
  for (int i = -800; i <= 800; ++i) {
    const long double u = i / 100.0L;
    worst = std::fmax(worst, std::fabs(law.F(3 + 2 * u) - normalCdf(u)));
  }
  EXPECT_LT(worst, 1e-7L);
  EXPECT_NEAR_REL(law.F(3), 0.5L, 1e-7);
  EXPECT_NEAR_REL(law.F(3 + 1.96L * 2), 0.975L, 1e-4);
}

TEST(NormalLaw, DensityVarianceAndBand) {
  TNormalLaw law;
  law.evaluateParams(seriesOf({1, 2, 3}));
  const long double peak = 1 / (std::sqrt(2 * std::numbers::pi_v<long double>) * law.Sigma);
  EXPECT_NEAR_REL(law.ff(2), peak, 1e-15);
  EXPECT_NEAR_REL(law.ff(2 + law.Sigma), peak * std::exp(-0.5L), 1e-15);

  // D is the delta-method variance of F: (dF/dm)^2 Dm + (dF/dSigma)^2 DSigma, here with the
  // derivatives taken numerically from the exact normal function.
  for (const long double x : {-1.0L, 1.5L, 2.0L, 3.7L}) {
    const long double h = 1e-6L;
    const auto cdf = [x](long double m, long double s) { return normalCdf((x - m) / s); };
    const long double dm = (cdf(law.m + h, law.Sigma) - cdf(law.m - h, law.Sigma)) / (2 * h);
    const long double ds = (cdf(law.m, law.Sigma + h) - cdf(law.m, law.Sigma - h)) / (2 * h);
    EXPECT_NEAR_REL(law.D(x), dm * dm * law.Dm + ds * ds * law.DSigma, 1e-8) << "x=" << x;
  }

  // At the mean only Dm counts: the band is 0.5 -/+ U(0.025) * ff(m) * sqrt(Dm).
  const long double half = 1.96039491692534L * peak * std::sqrt(0.5L);
  EXPECT_NEAR_REL(law.Fleft(2), law.F(2) - half, 1e-12);
  EXPECT_NEAR_REL(law.Fright(2), law.F(2) + half, 1e-12);
}

TEST(ExponentLaw, EstimatesFunctionsAndBand) {
  TExponentLaw law;
  law.evaluateParams(seriesOf({1, 2, 3}));
  EXPECT_NEAR_REL(law.Lambda, 0.5L, 1e-15);
  EXPECT_NEAR_REL(law.DLambda, 0.25L / 3, 1e-15);
  EXPECT_EQ(law.paramCount(), 1);

  EXPECT_NEAR_REL(law.F(2), 1 - std::exp(-1.0L), 1e-15);
  EXPECT_NEAR_REL(law.ff(2), 0.5L * std::exp(-1.0L), 1e-15);
  // dF/dLambda = x e^(-Lambda x): D(2) = (2/e)^2 / 12.
  EXPECT_NEAR_REL(law.D(2), 4 * std::exp(-2.0L) / 12, 1e-15);
  // Negative arguments are accepted as they are.
  EXPECT_NEAR_REL(law.F(-2), 1 - std::exp(1.0L), 1e-15);
  EXPECT_NEAR_REL(law.ff(-2), 0.5L * std::exp(1.0L), 1e-15);

  // D(0) = 0 closes the band at the origin.
  EXPECT_EQ(law.D(0), 0);
  EXPECT_EQ(law.Fleft(0), 0);
  EXPECT_EQ(law.Fright(0), 0);
}

TEST(UniformLaw, EstimatesAndFunctionsOfOneTwoThree) {
  TUniformLaw law;
  law.evaluateParams(seriesOf({1, 2, 3}));
  EXPECT_NEAR_REL(law.a, 2 - kSqrt2, 1e-15);
  EXPECT_NEAR_REL(law.b, 2 + kSqrt2, 1e-15);
  EXPECT_EQ(law.paramCount(), 2);

  EXPECT_EQ(law.F(law.a - 1), 0);
  EXPECT_NEAR_REL(law.F(2), 0.5L, 1e-15);
  EXPECT_EQ(law.F(law.b), 1);
  EXPECT_EQ(law.ff(law.a - 1), 0);
  EXPECT_NEAR_REL(law.ff(2), 1 / (2 * kSqrt2), 1e-15);
  EXPECT_NEAR_REL(law.ff(law.b), 1 / (2 * kSqrt2), 1e-15);  // both ends belong to the interval
  EXPECT_EQ(law.ff(law.b + 1e-9L), 0);
  EXPECT_EQ(law.D(law.b + 1), 0);
  EXPECT_EQ(law.D(law.a - 1), 0);
  // At an end only that end's variance counts: D = D(end) / (b - a)^2.
  const long double w2 = 8;
  EXPECT_NEAR_REL(law.D(law.a), law.Dalpha / w2, 1e-12);
  EXPECT_NEAR_REL(law.D(law.b), law.Dbeta / w2, 1e-12);
}

TEST(UniformLaw, VariancesFollowTheDeltaMethod) {
  // a and b are functions of the first two moments m1, m2: m1 -/+ sqrt(3 (m2 - m1^2)). Their
  // variances are g' S g with numerical gradients g and the covariance matrix S of the sample
  // moments under the fitted law, from the raw moments E x^k = (b^(k+1) - a^(k+1)) / ((k+1) w).
  TUniformLaw law;
  const TVariants series = seriesOf({0.5L, 1, 1, 2.5L, 4, 4.25L, 6});
  law.evaluateParams(series);
  const long double a = law.a, b = law.b, w = b - a, N = series.m_Total;
  const auto moment = [&](int k) {
    return (std::pow(b, k + 1) - std::pow(a, k + 1)) / ((k + 1) * w);
  };
  const long double s11 = (moment(2) - moment(1) * moment(1)) / N;
  const long double s22 = (moment(4) - moment(2) * moment(2)) / N;
  const long double s12 = (moment(3) - moment(1) * moment(2)) / N;
  const long double m1 = moment(1), m2 = moment(2), h = 1e-7L;
  const auto left = [](long double x1, long double x2) {
    return x1 - std::sqrt(3 * (x2 - x1 * x1));
  };
  const auto right = [](long double x1, long double x2) {
    return x1 + std::sqrt(3 * (x2 - x1 * x1));
  };
  const long double ga1 = (left(m1 + h, m2) - left(m1 - h, m2)) / (2 * h);
  const long double ga2 = (left(m1, m2 + h) - left(m1, m2 - h)) / (2 * h);
  const long double gb1 = (right(m1 + h, m2) - right(m1 - h, m2)) / (2 * h);
  const long double gb2 = (right(m1, m2 + h) - right(m1, m2 - h)) / (2 * h);
  EXPECT_NEAR_REL(law.Dalpha, ga1 * ga1 * s11 + ga2 * ga2 * s22 + 2 * ga1 * ga2 * s12, 1e-6);
  EXPECT_NEAR_REL(law.Dbeta, gb1 * gb1 * s11 + gb2 * gb2 * s22 + 2 * gb1 * gb2 * s12, 1e-6);
  EXPECT_NEAR_REL(law.cov, ga1 * gb1 * s11 + ga2 * gb2 * s22 + (ga1 * gb2 + ga2 * gb1) * s12, 1e-6);
}

TEST(WeibullsLaw, LeastSquaresOnTheLinearizedEmpiricalFunction) {
  // 1..5 once each: the four points (ln x, ln(-ln(1 - Fn))) for x = 1..4, Fn = 0.2..0.8, fitted
  // by ordinary least squares (a11 = N - 1 = 4 points); values from an independent fit.
  TWeibullsLaw law;
  law.evaluateParams(seriesOf({1, 2, 3, 4, 5}));
  EXPECT_NEAR_REL(law.beta, 1.3971936493356725L, 1e-13);
  EXPECT_NEAR_REL(law.A, -1.5558900460810852L, 1e-13);
  EXPECT_NEAR_REL(law.alpha, 3.0452477137310763L, 1e-13);
  EXPECT_NEAR_REL(law.Sz, 0.011828343128367178L, 1e-12);
  EXPECT_NEAR_REL(law.det, 4.336829973025109L, 1e-13);
  EXPECT_NEAR_REL(law.Dbeta, 0.010909667385568676L, 1e-12);
  EXPECT_NEAR_REL(law.Dalpha, 0.09128709928464288L, 1e-12);
  EXPECT_EQ(law.a11, 4);
  EXPECT_NEAR_REL(law.a12, std::log(24.0L), 1e-15);
  EXPECT_EQ(law.a21, law.a12);
  EXPECT_EQ(law.paramCount(), 2);
}

TEST(WeibullsLaw, FunctionsAndVariance) {
  TWeibullsLaw law;
  law.alpha = 2;
  law.beta = 1.5L;
  // F(alpha) = 1 - 1/e for every shape; ff(alpha) = beta / (alpha e).
  EXPECT_NEAR_REL(law.F(2), 1 - std::exp(-1.0L), 1e-15);
  EXPECT_NEAR_REL(law.ff(2), 0.75L * std::exp(-1.0L), 1e-15);
  EXPECT_NEAR_REL(law.F(4.5L), 1 - std::exp(-std::pow(2.25L, 1.5L)), 1e-15);
  EXPECT_EQ(law.F(0), 0);

  // Without covariance (a12 = 0), D is (dF/dalpha)^2 Dalpha + (dF/dbeta)^2 Dbeta; the
  // derivatives here are numerical.
  law.a12 = 0;
  law.det = 1;
  law.Dalpha = 0.04L;
  law.Dbeta = 0.01L;
  const auto cdf = [](long double x, long double al, long double be) {
    return 1 - std::exp(-std::pow(x / al, be));
  };
  for (const long double x : {0.5L, 2.0L, 3.3L}) {
    const long double h = 1e-6L;
    const long double da = (cdf(x, 2 + h, 1.5L) - cdf(x, 2 - h, 1.5L)) / (2 * h);
    const long double db = (cdf(x, 2, 1.5L + h) - cdf(x, 2, 1.5L - h)) / (2 * h);
    EXPECT_NEAR_REL(law.D(x), da * da * 0.04L + db * db * 0.01L, 1e-8) << "x=" << x;
  }
}

TEST(ZipfLaw, LineThroughTheLogarithmOfTheEmpiricalFunction) {
  // ln Fn(x) = ln a - x ln b fitted by least squares over x = 1..4 with Fn = 0.2..0.8.
  TZipfLaw law;
  law.evaluateParams(seriesOf({1, 2, 3, 4, 5}));
  EXPECT_NEAR_REL(law.a, 0.1414213562373095L, 1e-13);
  EXPECT_NEAR_REL(law.b, 0.633538302614858L, 1e-13);
  EXPECT_NEAR_REL(law.ff(2), law.a / (law.b * law.b), 1e-15);
  EXPECT_EQ(law.D(7), 1);
  EXPECT_EQ(law.paramCount(), 2);
}

TEST(Laws, ParameterTexts) {
  TNormalLaw normal;
  normal.m = 35.2L;
  normal.Sigma = 100.3L;
  TExponentLaw exponent;
  exponent.Lambda = 0.5L;
  TUniformLaw uniform;
  uniform.a = 2 - kSqrt2;
  uniform.b = 2 + kSqrt2;
  TWeibullsLaw weibull;
  weibull.alpha = 3.04524771L;
  weibull.beta = -1.25L;
  TZipfLaw zipf;
  zipf.a = 7;

  const struct {
    const TLaw& law;
    const char* point;
    const char* comma;
  } cases[] = {
      {normal, "m=35.2000, sigma=100.3000", "m=35,2000, sigma=100,3000"},
      {exponent, "lambda=0.5000", "lambda=0,5000"},
      {uniform, "a=0.5858, b=3.4142", "a=0,5858, b=3,4142"},
      {weibull, "alpha=3.0452, beta=-1.2500", "alpha=3,0452, beta=-1,2500"},
      {zipf, "None=0.0000", "None=0,0000"},
  };
  for (const auto& c : cases) {
    {
      DecimalSeparatorScope separator('.');
      EXPECT_EQ(c.law.paramsToString(), c.point);
    }
    DecimalSeparatorScope separator(',');
    EXPECT_EQ(c.law.paramsToString(), c.comma);
  }
}

TEST(Laws, DegenerateSeriesFailTheEstimate) {
  const struct {
    const char* what;
    std::function<std::unique_ptr<TLaw>()> make;
    std::vector<long double> sample;
    const char* error;
  } cases[] = {
      {"normal, N = 1", [] { return std::make_unique<TNormalLaw>(); }, {5}, kDivByZero},
      {"normal, no value", [] { return std::make_unique<TNormalLaw>(); }, {}, kInvalidOp},
      {"exponent, mean 0", [] { return std::make_unique<TExponentLaw>(); }, {-1, 1}, kDivByZero},
      {"uniform, all equal", [] { return std::make_unique<TUniformLaw>(); }, {2, 2, 2}, kDivByZero},
      {"weibull, a variant 0",
       [] { return std::make_unique<TWeibullsLaw>(); },
       {0, 1, 2, 3},
       kInvalidOp},
      {"weibull, a negative variant",
       [] { return std::make_unique<TWeibullsLaw>(); },
       {-1, 1, 2, 3},
       kInvalidOp},
      {"weibull, one distinct variant",
       [] { return std::make_unique<TWeibullsLaw>(); },
       {2, 2, 2, 2},
       kInvalidOp},
      {"zipf, N = 1", [] { return std::make_unique<TZipfLaw>(); }, {5}, kInvalidOp},
      {"zipf, one distinct variant",
       [] { return std::make_unique<TZipfLaw>(); },
       {2, 2, 2},
       kInvalidOp},
  };
  for (const auto& c : cases) {
    const std::unique_ptr<TLaw> law = c.make();
    const TVariants series = seriesOf(c.sample);
    EXPECT_EQ(errorText([&] { law->evaluateParams(series); }), c.error) << c.what;
  }

  // N = 3 leaves no degree of freedom for the Weibull residual variance.
  TWeibullsLaw weibull;
  EXPECT_THROW(weibull.evaluateParams(seriesOf({1, 2, 3})), FloatError);
}

TEST(Laws, AFailedEstimateKeepsThePreviousParameters) {
  TNormalLaw law;
  law.evaluateParams(seriesOf({1, 2, 3}));
  EXPECT_THROW(law.evaluateParams(seriesOf({5})), FloatError);
  EXPECT_NEAR_REL(law.m, 2, 1e-15);
  EXPECT_NEAR_REL(law.Sigma, std::sqrt(1.5L), 1e-15);
}

TEST(Laws, ArgumentsOutsideTheDomainFail) {
  TWeibullsLaw weibull;
  weibull.alpha = 2;
  weibull.beta = 1.5L;
  weibull.det = 1;
  TWeibullsLaw wholeShape = weibull;
  wholeShape.beta = 2;  // a whole exponent does not make a negative base acceptable
  TWeibullsLaw thinShape = weibull;
  thinShape.beta = 0.5L;
  TNormalLaw pointMass;  // all values equal: Sigma = 0
  pointMass.evaluateParams(seriesOf({4, 4}));
  TZipfLaw zipf;
  zipf.a = 1;
  zipf.b = 1;

  const struct {
    const char* what;
    std::function<long double()> call;
    const char* error;
  } cases[] = {
      {"weibull F(-1)", [&] { return weibull.F(-1); }, kInvalidOp},
      {"weibull F(-1), beta 2", [&] { return wholeShape.F(-1); }, kInvalidOp},
      {"weibull ff(-1)", [&] { return weibull.ff(-1); }, kInvalidOp},
      {"weibull D(-1)", [&] { return weibull.D(-1); }, kInvalidOp},
      {"weibull D(0)", [&] { return weibull.D(0); }, kInvalidOp},
      {"weibull Fleft(0)", [&] { return weibull.Fleft(0); }, kInvalidOp},
      {"weibull ff(0), beta < 1", [&] { return thinShape.ff(0); }, kDivByZero},
      {"normal F(m), Sigma 0", [&] { return pointMass.F(4); }, kInvalidOp},
      {"normal F(x), Sigma 0", [&] { return pointMass.F(5); }, kDivByZero},
      {"zipf F, b = 1", [&] { return zipf.F(1); }, kDivByZero},
  };
  for (const auto& c : cases) EXPECT_EQ(errorText(c.call), c.error) << c.what;
}

}  // namespace
}  // namespace statorium
