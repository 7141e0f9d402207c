// The two-dimensional analysis: a whole report against an independent computation, the edge
// cases of the verdicts, the rotation, both regressions with their bands, the two-dimensional
// normal law check, and unsound inputs.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>

#include "core/numtext.h"
#include "core/quantiles.h"
#include "core/twodanalysis.h"
#include "tests/core/errortext.h"
#include "tests/support/near.h"

namespace statorium {
namespace {

using Lines = std::vector<std::string>;
using test::errorText;

T2DAnalysis analyse(std::vector<long double> x, std::vector<long double> y,
                    bool independent = false) {
  T2DAnalysis a;
  ProcessObject(TValues(std::move(x)), TValues(std::move(y)), independent, a);
  return a;
}

// Standard normal numbers from 32-bit Mersenne twister words by the Box-Muller transform, the
// same on every platform.
class Normal {
 public:
  explicit Normal(unsigned seed) : m_gen(seed) {}
  long double operator()() {
    if (m_haveSpare) {
      m_haveSpare = false;
      return m_spare;
    }
    const long double u1 = (m_gen() + 0.5L) / 4294967296.0L;
    const long double u2 = (m_gen() + 0.5L) / 4294967296.0L;
    const long double r = std::sqrt(-2 * std::log(u1));
    const long double a = 2 * std::numbers::pi_v<long double> * u2;
    m_spare = r * std::sin(a);
    m_haveSpare = true;
    return r * std::cos(a);
  }
  long double uniform() { return (m_gen() + 0.5L) / 4294967296.0L; }

 private:
  std::mt19937 m_gen;
  bool m_haveSpare = false;
  long double m_spare = 0;
};

struct Pairs {
  std::vector<long double> x, y;
};

// N pairs of the two-dimensional normal law with means mx, my, deviations sx, sy and
// correlation rho.
Pairs normalPairs(unsigned seed, int N, long double rho, long double mx = 0, long double my = 0,
                  long double sx = 1, long double sy = 1) {
  Normal z(seed);
  Pairs p;
  for (int i = 0; i < N; ++i) {
    const long double a = z(), b = z();
    p.x.push_back(mx + sx * a);
    p.y.push_back(my + sy * (rho * a + std::sqrt(1 - rho * rho) * b));
  }
  return p;
}

// No infinity or NaN in a line or a point of a series.
void expectAllFinite(const T2DAnalysis& a) {
  for (const std::string& line : a.lines) {
    EXPECT_EQ(line.find("NAN"), std::string::npos) << line;
    EXPECT_EQ(line.find("INF"), std::string::npos) << line;
  }
  const auto check = [](const std::vector<ChartPoint>& s) {
    for (const ChartPoint& p : s) ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
  };
  check(a.Series7);
  check(a.Series11);
  const ParabolicRegression& p = a.parabolic;
  for (const auto* s :
       {&p.Series6, &p.Series12, &p.Series13, &p.Series14, &p.Series15, &p.Series16, &p.Series17})
    check(*s);
  if (a.linear) {
    const LinearRegression& l = *a.linear;
    for (const auto* s :
         {&l.Series8, &l.Series2, &l.Series3, &l.Series4, &l.Series5, &l.Series9, &l.Series10})
      check(*s);
  }
}

// The index of the first line equal to `text`, or lines.size().
size_t find(const Lines& lines, const std::string& text) {
  size_t i = 0;
  while (i < lines.size() && lines[i] != text) ++i;
  return i;
}

// "12.3456" -> "12,3456": the decimal points of the numbers, not the full stops of the texts.
std::string withComma(std::string line) {
  for (size_t i = 0; i + 1 < line.size(); ++i)
    if (line[i] == '.' && std::isdigit(static_cast<unsigned char>(line[i + 1]))) line[i] = ',';
  return line;
}

// Twenty pairs falling with x. Every number below was computed separately in double precision
// from the textbook formulas: n = 5 classes (sqrt(20) made odd), the chi-square in counts
// against XX(0.05, 25), the F quantile of 19 and 17 degrees of freedom.
const std::vector<long double> kX = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10,
                                     11, 12, 13, 14, 15, 16, 17, 18, 19, 20};
const std::vector<long double> kY = {31, 27, 29, 24, 26, 22, 25, 20, 23, 18,
                                     21, 17, 19, 14, 16, 15, 12, 13, 9,  11};
const Lines kReport = {
    "BASIC:",
    "E{x}=10.5000 in [7.9072;13.0928]",
    "S{x}=5.9161 in [4.0827;7.7495]",
    "E{y}=19.6000 in [16.8560;22.3440]",
    "S{y}=6.2610 in [4.3207;8.2013]",
    "R=-0.9620 in [-0.9973;-0.9302]",
    "R<>0 (t=-15.7478) - important",
    "Ro=0.9541",
    "Ro<>0 (t=13.5093) - important",
    "",
    "2D NORMAL LAW CHECK:",
    "X2=11.5170",
    "fractile=37.3698",
    "It is normal law.",
    "",
    "SIMILARITY: ",
    "t=-4.7245",
    "f=1.1200",
    "Facts are not similar.",
    "",
    "t=-14.9397",
    "There is linear regressive dependence.",
    "a<>0",
    "Ta=37.1057",
    "b<>0",
    "Tb=-15.3278",
    "Sresidual=3.0880",
    "a=30.2895 in [28.6895;31.8894]",
    "b=-1.0180 in [-1.1482;-0.8879]",
    "R2=92.5371%",
    "",
    "LINEAR MODEL:",
    "fractile=2.2424",
    "f=0.0788",
    "Model is good.",
    "",
    "PARABOLIC MODEL:",
    "fractile=2.2424",
    "f=0.0948",
    "Model is good.",
};

TEST(TwoDAnalysis, WholeReportOfAFallingPair) {
  for (const char separator : {'.', ','}) {
    DecimalSeparatorScope scope(separator);
    const T2DAnalysis a = analyse(kX, kY);
    Lines expected = kReport;
    if (separator == ',')
      for (std::string& line : expected) line = withComma(line);
    EXPECT_EQ(a.lines, expected) << "separator " << separator;
  }
  const T2DAnalysis a = analyse(kX, kY);
  ASSERT_EQ(a.Series7.size(), 20u);
  EXPECT_EQ(a.Series7[3].x, 4);
  EXPECT_EQ(a.Series7[3].y, 24);
  ASSERT_EQ(a.Series11.size(), 1u);
  EXPECT_DOUBLE_EQ(a.Series11[0].x, 10.5);
  EXPECT_DOUBLE_EQ(a.Series11[0].y, 19.6);
  ASSERT_TRUE(a.table);
  EXPECT_EQ(a.table->n, 5);
  expectAllFinite(a);
}

// The intercept's t and interval follow its textbook standard error sqrt(S^2 (1/N + AX^2/Sxx)),
// so moving x away from 0 widens them while the slope's lines stay put. Expected values were
// computed separately in double precision.
TEST(TwoDAnalysis, InterceptIntervalWidensWithTheMeanOfX) {
  const struct {
    long double shift;
    const char* Ta;
    const char* a;
  } cases[] = {
      {0, "Ta=37.1057", "a=30.2895 in [28.6895;31.8894]"},
      {1000, "Ta=15.2241", "a=1048.3346 in [913.3683;1183.3008]"},
      {-50, "Ta=-7.5777", "a=-20.6128 in [-25.9444;-15.2812]"},
  };
  for (const auto& c : cases) {
    std::vector<long double> x = kX;
    for (long double& v : x) v += c.shift;
    const T2DAnalysis a = analyse(x, kY);
    const size_t t = find(a.lines, c.Ta);
    EXPECT_LT(t, a.lines.size()) << "shift " << static_cast<double>(c.shift);
    EXPECT_LT(find(a.lines, c.a), a.lines.size()) << "shift " << static_cast<double>(c.shift);
    EXPECT_LT(find(a.lines, "b=-1.0180 in [-1.1482;-0.8879]"), a.lines.size());
  }
}

TEST(TwoDAnalysis, IdenticalPropertiesAreSimilarAndGoStraightToTheParabola) {
  const std::vector<long double> x = {3, 1, 4, 1, 5, 9, 2, 6, 5, 3, 5, 8};
  const T2DAnalysis a = analyse(x, x);
  EXPECT_EQ(a.lines[6], "R<>0 (t=9999.0000) - important");
  const size_t s = find(a.lines, "SIMILARITY: ");
  ASSERT_LT(s + 5, a.lines.size());
  EXPECT_EQ(a.lines[s + 1], "t=0.0000");
  EXPECT_EQ(a.lines[s + 2], "f=1.0000");
  EXPECT_EQ(a.lines[s + 3], "Facts are similar.");
  EXPECT_EQ(a.lines[s + 4], "");
  EXPECT_EQ(a.lines[s + 5], "PARABOLIC MODEL:");
  EXPECT_EQ(a.lines.size(), s + 9);
  EXPECT_EQ(find(a.lines, "It is not normal law."), 13u);  // no density on a line
  EXPECT_FALSE(a.linear);
  EXPECT_NEAR_REL(a.parabolic.b, 1, 1e-15L);
  EXPECT_NEAR_REL(a.parabolic.c, 0, 1e-15L);
  expectAllFinite(a);
}

// Pairs on a straight line: R = +-1, t = +-9999 and the functional verdict whichever way the line
// runs; the parabola degenerates to the line. On x = -3, -3, 0 (6 times), 3, 3 the deviation is 2
// exactly and R = -1 exactly, where the statistic itself would divide by zero.
TEST(TwoDAnalysis, ExactLinesAreFunctionalDependences) {
  std::vector<long double> oneToTen, threeValues = {-3, -3, 0, 0, 0, 0, 0, 0, 3, 3};
  for (int i = 1; i <= 10; ++i) oneToTen.push_back(i);
  struct Case {
    const char* name;
    std::vector<long double> x;
    long double a, b;  // y = a + b x
    const char* t;
  } cases[] = {
      {"rising", oneToTen, 1, 2, "9999.0000"},
      {"falling", oneToTen, 50, -2, "-9999.0000"},
      {"R = -1 exactly", threeValues, 10, -1, "-9999.0000"},
  };
  for (const Case& c : cases) {
    std::vector<long double> y;
    for (long double x : c.x) y.push_back(c.a + c.b * x);
    const T2DAnalysis r = analyse(c.x, y);
    EXPECT_EQ(r.lines[6], std::string("R<>0 (t=") + c.t + ") - important") << c.name;
    const size_t verdict = find(r.lines, "There is linear functional dependence.");
    ASSERT_LT(verdict, r.lines.size()) << c.name;
    EXPECT_EQ(r.lines[verdict - 1], std::string("t=") + c.t) << c.name;
    EXPECT_EQ(r.lines[verdict + 2], "PARABOLIC MODEL:") << c.name;
    EXPECT_EQ(r.lines[13], "It is not normal law.") << c.name;
    EXPECT_FALSE(r.linear) << c.name;
    EXPECT_NEAR_REL(r.parabolic.c, 0, 1e-15L) << c.name;
    EXPECT_NEAR_REL(r.parabolic.b, c.b, 1e-15L) << c.name;
    EXPECT_NEAR_REL(r.parabolic.a, c.a, 1e-15L) << c.name;
    for (const ChartPoint& p : r.parabolic.Series6)
      EXPECT_NEAR(p.y, static_cast<double>(c.a + c.b * p.x), 1e-12) << c.name;
    expectAllFinite(r);
  }
  // At R = 1 exactly the normal law check has no density and falls back to its fault value.
  const T2DAnalysis same = analyse(threeValues, threeValues);
  EXPECT_EQ(same.X2, kNormalCheckFault);
  EXPECT_EQ(same.lines[11], "X2=" + formatFixed(kNormalCheckFault, 4));
  EXPECT_EQ(same.lines[13], "It is not normal law.");
}

// y = 1 + 2x + 3x^2 is found again exactly, on x symmetric about 0 and off it; the residual is 0
// and every band collapses onto the curve, which passes through the points.
TEST(TwoDAnalysis, ExactParabola) {
  for (const int first : {-4, 0, 1000}) {
    std::vector<long double> x, y;
    for (int i = first; i <= first + 8; ++i) {
      x.push_back(i);
      y.push_back(1 + 2.0L * i + 3.0L * i * i);
    }
    const T2DAnalysis a = analyse(x, y);
    const ParabolicRegression& p = a.parabolic;
    // Taking c (x^2 about 1e6) off the mean curve costs a some of its digits far from 0.
    const long double scale = first == 1000 ? 1e-11L : 1e-15L;
    EXPECT_NEAR_REL(p.a, 1, scale) << first;
    EXPECT_NEAR_REL(p.b, 2, scale) << first;
    EXPECT_NEAR_REL(p.c, 3, 1e-14L) << first;
    EXPECT_FALSE(p.straight);
    EXPECT_LT(p.Sost, 1e-12L * (1 + 3.0L * first * first)) << first;
    ASSERT_EQ(p.Series6.size(), 200u);
    EXPECT_EQ(p.Series6.front().x, first);
    EXPECT_NEAR(p.Series6.back().x, first + 199 * 8.0 / 200, 1e-12);
    for (size_t i = 0; i < p.Series6.size(); ++i) {
      const double X = p.Series6[i].x, yHat = p.Series6[i].y;
      EXPECT_NEAR(yHat, 1 + 2 * X + 3 * X * X, 1e-9 * std::fabs(yHat));
      for (const auto* band :
           {&p.Series12, &p.Series13, &p.Series14, &p.Series15, &p.Series16, &p.Series17})
        EXPECT_NEAR((*band)[i].y, yHat, 1e-9 * std::fabs(yHat));
    }
    EXPECT_EQ(a.lines[a.lines.size() - 4], "PARABOLIC MODEL:");
    expectAllFinite(a);
  }
}

// One T2DAnalysis for all the runs: each run replaces the report and the series of the last.
TEST(TwoDAnalysis, EachVerdict) {
  struct Case {
    const char* name;
    Pairs pairs;
    const char* verdict;  // after "Facts are not similar.", "" and "t=..."; or the similarity
    bool linear;
  } cases[] = {
      {"similar", normalPairs(1, 50, 0.3L), "Facts are similar.", false},
      {"independent", normalPairs(2, 50, 0, 0, 10), "Facts are independent.", false},
      {"regressive", normalPairs(3, 50, -0.9L, 0, 10), "There is linear regressive dependence.",
       true},
      {"independent again", normalPairs(6, 50, 0, 0, 10), "Facts are independent.", false},
  };
  T2DAnalysis a;
  for (const Case& c : cases) {
    ProcessObject(TValues(c.pairs.x), TValues(c.pairs.y), false, a);
    const size_t v = find(a.lines, c.verdict);
    ASSERT_LT(v, a.lines.size()) << c.name;
    if (std::string(c.verdict) != "Facts are similar.") {
      EXPECT_EQ(a.lines[v - 3], "Facts are not similar.") << c.name;
      EXPECT_EQ(a.lines[v - 2], "") << c.name;
      EXPECT_EQ(a.lines[v - 1].rfind("t=", 0), 0u) << c.name;
    }
    EXPECT_EQ(a.linear.has_value(), c.linear) << c.name;
    EXPECT_EQ(a.lines.front(), "BASIC:") << c.name;
    EXPECT_EQ(a.lines[a.lines.size() - 4], "PARABOLIC MODEL:") << c.name;
    EXPECT_EQ(a.Series7.size(), 50u) << c.name;
    EXPECT_EQ(a.parabolic.Series6.size(), 200u) << c.name;
    expectAllFinite(a);
  }
}

bool startsWith(const std::string& s, const std::string& prefix) {
  return s.rfind(prefix, 0) == 0;
}

// A falling pair with R near -0.9, N = 50: the block of the linear step in its order, a falling
// line, and bands symmetric about it with the evaluation band inside the confidence band,
// narrowest at the mean of x.
TEST(TwoDAnalysis, LinearRegressionBlockAndBands) {
  const Pairs p = normalPairs(3, 50, -0.9L, 0, 10);
  const T2DAnalysis a = analyse(p.x, p.y);
  ASSERT_TRUE(a.linear);
  const size_t v = find(a.lines, "There is linear regressive dependence.");
  const std::vector<std::string> prefixes = {
      "a",   "Ta=", "b<>0",          "Tb=",       "Sresidual=", "a=",       "b=-",
      "R2=", "",    "LINEAR MODEL:", "fractile=", "f=",         "Model is "};
  ASSERT_GE(a.lines.size(), v + 1 + prefixes.size());
  for (size_t k = 0; k < prefixes.size(); ++k)
    EXPECT_TRUE(startsWith(a.lines[v + 1 + k], prefixes[k])) << a.lines[v + 1 + k];
  EXPECT_TRUE(a.lines[v + 1] == "a=0" || a.lines[v + 1] == "a<>0");
  EXPECT_EQ(a.lines[v + 8], "R2=" + formatFixed(100 * a.estimates.R * a.estimates.R, 4) + "%");
  EXPECT_EQ(a.lines[v + 14], "");
  EXPECT_EQ(a.lines[v + 15], "PARABOLIC MODEL:");

  const LinearRegression& l = *a.linear;
  EXPECT_LT(l.b, 0);
  ASSERT_EQ(l.Series8.size(), 200u);
  EXPECT_GT(l.Series8.front().y, l.Series8.back().y);
  double narrowest = 1e300, xNarrowest = 0;
  for (size_t i = 0; i < 200; ++i) {
    const double yHat = l.Series8[i].y;
    EXPECT_NEAR(yHat - l.Series2[i].y, l.Series3[i].y - yHat, 1e-12);
    EXPECT_NEAR(yHat - l.Series4[i].y, l.Series5[i].y - yHat, 1e-12);
    EXPECT_NEAR(yHat - l.Series9[i].y, l.Series10[i].y - yHat, 1e-12);
    EXPECT_NEAR(l.Series3[i].y - l.Series2[i].y, l.Series3[0].y - l.Series2[0].y, 1e-12);
    EXPECT_LT(l.Series10[i].y, l.Series5[i].y);
    EXPECT_GT(l.Series9[i].y, l.Series4[i].y);
    if (l.Series10[i].y - yHat < narrowest) {
      narrowest = l.Series10[i].y - yHat;
      xNarrowest = l.Series8[i].x;
    }
  }
  const double step = l.Series8[1].x - l.Series8[0].x;
  EXPECT_NEAR(xNarrowest, static_cast<double>(a.estimates.AX), step);
}

// "Independent properties": the pair is turned to uncorrelated axes, the field shows the turned
// points (distances from the origin kept), and R vanishes. Equal spreads (SX = SY) turn by a
// quarter of a right angle, where the quotient of the angle's tangent has no value.
TEST(TwoDAnalysis, IndependentPropertiesTurnThePair) {
  const Pairs p = normalPairs(5, 60, 0.8L, 0, 10, 2, 1);
  const T2DAnalysis a = analyse(p.x, p.y, true);
  EXPECT_LT(std::fabs(a.estimates.R), 1e-15L);
  EXPECT_EQ(a.lines[6], "R=0 (t=0.0000) - not important");
  EXPECT_EQ(find(a.lines, "Facts are not similar."), 18u);
  EXPECT_EQ(a.lines[21], "Facts are independent.");
  ASSERT_EQ(a.Series7.size(), 60u);
  for (size_t i = 0; i < 60; ++i) {
    EXPECT_NEAR(std::hypot(a.Series7[i].x, a.Series7[i].y),
                static_cast<double>(std::hypot(p.x[i], p.y[i])), 1e-12);
  }
  // The turn is by less than a quarter of a right angle: x stays the axis closer to x.
  EXPECT_GT(a.estimates.SX, a.estimates.SY);

  const T2DAnalysis equal = analyse({1, 2, 3, 4, 5, 6}, {2, 1, 4, 3, 6, 5}, true);
  EXPECT_LT(std::fabs(equal.estimates.R), 1e-15L);
  expectAllFinite(equal);
}

// The variance of the fitted parabola at X over sigma^2, z' (Z'Z)^-1 z with z = (1, X, X^2),
// solved directly in the centred coordinate.
long double fittedVariance(const std::vector<long double>& x, long double X) {
  long double mean = 0;
  for (long double v : x) mean += v / x.size();
  long double m[3][3] = {};
  for (long double v : x) {
    const long double z[3] = {1, v - mean, (v - mean) * (v - mean)};
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 3; ++c) m[r][c] += z[r] * z[c];
  }
  const long double z[3] = {1, X - mean, (X - mean) * (X - mean)};
  // Cramer's rule for m w = z, then z' w.
  const auto det = [](const long double a[3][3]) {
    return a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) -
           a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
           a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
  };
  const long double d = det(m);
  long double q = 0;
  for (int k = 0; k < 3; ++k) {
    long double mk[3][3];
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 3; ++c) mk[r][c] = c == k ? z[r] : m[r][c];
    q += z[k] * det(mk) / d;
  }
  return q;
}

// The bands of the parabola: the band of the curve is 1.96 Sost sqrt(z'(Z'Z)^-1 z), the band of a
// new observation has 1 more under the root, and with sixteen times the pairs the curve's band
// is about a quarter as wide while the observation's band closes in on the tolerance band.
TEST(TwoDAnalysis, ParabolaBandsNarrowWithTheSample) {
  const auto curveWidth = [](const T2DAnalysis& a, size_t i) {
    return a.parabolic.Series17[i].y - a.parabolic.Series16[i].y;
  };
  T2DAnalysis small, large;
  for (auto [N, out] : {std::pair{50, &small}, std::pair{800, &large}}) {
    Normal z(10 + N);
    std::vector<long double> x, y;
    for (int i = 0; i < N; ++i) {
      x.push_back(z());
      y.push_back(x.back() * x.back() + z());
    }
    ProcessObject(TValues(x), TValues(y), false, *out);
    const ParabolicRegression& p = out->parabolic;
    EXPECT_NEAR(p.c, 1, 0.5);
    for (size_t i = 0; i < 200; i += 20) {
      const double X = p.Series6[i].x, yHat = p.Series6[i].y;
      const long double q = fittedVariance(x, X);
      EXPECT_NEAR_REL(p.Series17[i].y - yHat, 1.96L * p.Sost * std::sqrt(q), 1e-9L) << N;
      EXPECT_NEAR_REL(yHat - p.Series16[i].y, 1.96L * p.Sost * std::sqrt(q), 1e-9L) << N;
      EXPECT_NEAR_REL(p.Series15[i].y - yHat, 1.96L * p.Sost * std::sqrt(1 + q), 1e-9L) << N;
      EXPECT_NEAR_REL(yHat - p.Series14[i].y, 1.96L * p.Sost * std::sqrt(1 + q), 1e-9L) << N;
      EXPECT_NEAR_REL(p.Series13[i].y - yHat, 1.96L * p.Sost, 1e-9L) << N;
    }
  }
  const size_t middle = 100;
  EXPECT_GT(curveWidth(small, middle) / curveWidth(large, middle), 2.5);
  const ParabolicRegression& p = large.parabolic;
  const double observation = p.Series15[middle].y - p.Series14[middle].y;
  const double tolerance = p.Series13[middle].y - p.Series12[middle].y;
  EXPECT_GT(observation, tolerance);
  EXPECT_LT(observation, 1.01 * tolerance);
}

// The normal law check in counts: of 50 samples of 300 pairs from a two-dimensional normal law
// nearly all are called normal, and none of 50 samples spread evenly over a ring.
TEST(TwoDAnalysis, NormalLawCheck) {
  int normal = 0;
  for (unsigned seed = 100; seed < 150; ++seed) {
    const Pairs p = normalPairs(seed, 300, 0.6L, 5, -3, 2, 0.5L);
    const T2DAnalysis a = analyse(p.x, p.y);
    ASSERT_EQ(a.lines[10], "2D NORMAL LAW CHECK:");
    EXPECT_EQ(a.lines[12], "fractile=" + formatFixed(XX(0.05L, 36), 4));  // 6 classes a side
    normal += a.lines[13] == "It is normal law.";
  }
  EXPECT_GE(normal, 40);

  int ringNormal = 0;
  for (unsigned seed = 200; seed < 250; ++seed) {
    Normal u(seed);
    std::vector<long double> x, y;
    for (int i = 0; i < 300; ++i) {
      const long double angle = 2 * std::numbers::pi_v<long double> * u.uniform();
      const long double radius = 0.9L + 0.1L * u.uniform();
      x.push_back(radius * std::cos(angle));
      y.push_back(radius * std::sin(angle));
    }
    ringNormal += analyse(x, y).lines[13] == "It is normal law.";
  }
  EXPECT_LE(ringNormal, 2);
}

TEST(TwoDAnalysis, UnsoundInputs) {
  const char* const kTooFew = "The two-dimensional analysis needs at least 4 pairs of values.";
  struct Case {
    const char* name;
    std::vector<long double> x, y;
    bool independent;
    std::string error;
  } cases[] = {
      {"no pairs", {}, {}, false, kTooFew},
      {"three pairs", {1, 2, 3}, {3, 1, 2}, false, kTooFew},
      {"three common pairs", {1, 2, 3, 4, 5}, {3, 1, 2}, false, kTooFew},
      {"constant x", {2, 2, 2, 2, 2}, {1, 2, 3, 4, 5}, false, test::kInvalidOp},
      {"constant y", {1, 2, 3, 4, 5}, {7, 7, 7, 7, 7}, false, test::kInvalidOp},
      {"constant x turned", {2, 2, 2, 2, 2}, {1, 2, 3, 4, 5}, true, test::kInvalidOp},
      // Turned by a quarter of a right angle, one axis of a pair on a line keeps no spread.
      {"identical turned", {1, 2, 3, 4, 5}, {1, 2, 3, 4, 5}, true, test::kInvalidOp},
  };
  for (const Case& c : cases) {
    T2DAnalysis a;
    EXPECT_EQ(errorText([&] { ProcessObject(TValues(c.x), TValues(c.y), c.independent, a); }),
              c.error)
        << c.name;
    EXPECT_TRUE(a.lines.empty()) << c.name;
  }

  // Different lengths: the pairs both properties have.
  std::vector<long double> longer = kX;
  longer.insert(longer.end(), {500, -70});
  EXPECT_EQ(analyse(longer, kY).lines, kReport);
  EXPECT_EQ(analyse(kY, longer).lines, analyse(kY, kX).lines);

  // x of two values fixes no parabola: the straight line stands in.
  std::vector<long double> twoValued, y;
  Normal z(7);
  for (int i = 0; i < 30; ++i) {
    twoValued.push_back(i % 2);
    y.push_back(3 + 2 * (i % 2) + z());
  }
  const T2DAnalysis two = analyse(twoValued, y);
  EXPECT_TRUE(two.parabolic.straight);
  EXPECT_EQ(two.parabolic.c, 0);
  EXPECT_EQ(two.lines[two.lines.size() - 4], "PARABOLIC MODEL:");
  expectAllFinite(two);

  // Values beyond the range of doubles cannot be drawn: the run stops with an overflow once the
  // table is built, before any line is written.
  T2DAnalysis huge;
  EXPECT_EQ(errorText([&] {
              ProcessObject(TValues({1e400L, 2e400L, 3e400L, 5e400L}), TValues({1, 3, 2, 4}), false,
                            huge);
            }),
            test::kOverflow);
  EXPECT_TRUE(huge.table);
  EXPECT_TRUE(huge.lines.empty());
}

}  // namespace
}  // namespace statorium
