#include "core/parabolicregression.h"

#include <algorithm>
#include <cmath>

#include "core/correlationtable.h"
#include "core/errors.h"
#include "core/fpfault.h"
#include "core/linearregression.h"
#include "core/quantiles.h"

namespace statorium {

namespace {

// Below this share of V * m2, D is rounding noise of a determinant that is 0: x takes at most two
// distinct values and x^2 is a linear function of x on the sample.
constexpr long double kDegenerate = 1e-12L;

}  // namespace

void ParabolicRegressionStep(const TValues& x, const TValues& y, long double Ro,
                             std::vector<std::string>& lines, ParabolicRegression& out) {
  if (x.count() != y.count()) throw listIndexError(std::min(x.count(), y.count()));
  const int count = x.count();
  const long double N = count;
  const std::vector<long double>& xs = x.data();
  const std::vector<long double>& ys = y.data();
  const long double Ax = x.Average(), Ay = y.Average();
  const long double Sy = y.AverageQuadratic();

  // The moments are taken about the mean of x: in raw powers of x a sample far from 0 loses all
  // its digits in V * Sx^2 - K^2, while the fitted curve is the same in either coordinate.
  FpScope fp;
  long double s2 = 0, s3 = 0, s4 = 0, sxy = 0, sx2y = 0, sdy = 0;
  for (int i = 0; i < count; ++i) {
    const long double u = xs[i] - Ax, u2 = u * u, dy = ys[i] - Ay;
    s2 += u2;
    s3 += u2 * u;
    s4 += u2 * u2;
    sxy += u * dy;
    sx2y += u2 * dy;
    sdy += dy;
  }
  const long double m2 = s2 / N, m3 = s3 / N, m4 = s4 / N;
  const long double cxy = sxy / N;                   // covariance of x and y
  const long double cx2y = sx2y / N - m2 * sdy / N;  // covariance of (x - Ax)^2 and y
  const long double V = m4 - m2 * m2;                // variance of (x - Ax)^2
  const long double D = V * m2 - m3 * m3;
  fp.check(m2, m3, cxy, cx2y, V, D);
  // Least squares for y = A + B u + c u^2 in u = x - Ax: every moment of the normal equations
  // divides by N. Deviations with divisor N - 1 mixed into them would miss even an exact
  // parabola as soon as x is not symmetric about its mean.
  out.straight = !(D > kDegenerate * V * m2);
  long double B, c;
  if (out.straight) {
    B = cxy / m2;
    c = 0;
  } else {
    B = (V * cxy - m3 * cx2y) / D;
    c = (m2 * cx2y - m3 * cxy) / D;
  }
  const long double A = Ay - c * m2;
  out.c = c;
  out.b = B - 2 * c * Ax;
  out.a = A - B * Ax + c * Ax * Ax;
  // fi2(x) = (x - Ax)^2 - m2 - k (x - Ax): centred and orthogonal to fi1(x) = x - Ax.
  const long double k = m3 / m2;
  long double residual = 0, S2 = 0;
  for (int i = 0; i < count; ++i) {
    const long double u = xs[i] - Ax;
    const long double d = ys[i] - (A + B * u + c * u * u);
    residual += d * d;
    const long double fi2 = u * u - m2 - k * u;
    S2 += fi2 * fi2;
  }
  const long double Sost = std::sqrt(residual / (N - (out.straight ? 2 : 3)));
  fp.check(out.a, out.b, k, Sost, S2);
  out.Sost = Sost;

  const auto [minIt, maxIt] = std::minmax_element(xs.begin(), xs.end());
  const long double Xmin = *minIt, Xmax = *maxIt;
  const long double h = (Xmax - Xmin) / 200;
  constexpr int kPoints = 200;  // the last abscissa is one step short of Xmax
  for (std::vector<ChartPoint>* s : {&out.Series6, &out.Series12, &out.Series13, &out.Series14,
                                     &out.Series15, &out.Series16, &out.Series17})
    s->reserve(kPoints);
  for (int i = 0; i < kPoints; ++i) {
    const long double X = Xmin + i * h;
    const long double u = X - Ax;
    const long double yHat = A + B * u + c * u * u;
    const long double fi2 = u * u - m2 - k * u;
    // Var of the fitted curve at X over sigma^2: the mean, the slope and the curvature are
    // uncorrelated in the orthogonal basis, and each shrinks with the sample.
    const long double q = 1 / N + u * u / s2 + (out.straight ? 0 : fi2 * fi2 / S2);
    const long double curve = Sost * std::sqrt(q);
    const long double observation = Sost * std::sqrt(1 + q);
    const double px = chartCoordinate(X);
    out.Series6.push_back({px, chartCoordinate(yHat)});
    out.Series12.push_back({px, chartCoordinate(yHat - 1.96L * Sost)});
    out.Series13.push_back({px, chartCoordinate(yHat + 1.96L * Sost)});
    out.Series14.push_back({px, chartCoordinate(yHat - 1.96L * observation)});
    out.Series15.push_back({px, chartCoordinate(yHat + 1.96L * observation)});
    out.Series16.push_back({px, chartCoordinate(yHat - 1.96L * curve)});
    out.Series17.push_back({px, chartCoordinate(yHat + 1.96L * curve)});
  }

  // The model check rests on the correlation ratio of the table, not on the parabola's
  // residuals. A ratio rounded a hair above 1 is 1.
  FpScope fpModel;
  const long double ro2 = std::min(Ro * Ro, 1.0L);
  const long double Se = Sy * std::sqrt((1 - ro2) * (N - 1) / (N - 2));
  const long double fValue = (Se / Sy) * (Se / Sy);
  fpModel.check(Se, fValue);
  lines.push_back("");
  lines.push_back("PARABOLIC MODEL:");
  const long double F = f(0.05L, N - 1, N - 3);
  lines.push_back("fractile=" + reportNumber(F));
  lines.push_back("f=" + reportNumber(fValue));
  lines.push_back(fValue > F ? "Model is not good." : "Model is good.");
}

}  // namespace statorium
