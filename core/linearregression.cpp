#include "core/linearregression.h"

#include <algorithm>
#include <cmath>

#include "core/correlationtable.h"
#include "core/errors.h"
#include "core/fpfault.h"
#include "core/numtext.h"
#include "core/quantiles.h"

namespace statorium {

std::string reportNumber(long double v) {
  return formatFixed(finiteOrThrow(v), 4);
}

void LinearRegressionStep(const TValues& x, const TValues& y, const PairEstimates& e,
                          std::vector<std::string>& lines, LinearRegression& out) {
  if (x.count() < e.N) throw listIndexError(x.count());
  if (y.count() < e.N) throw listIndexError(y.count());
  const std::vector<long double>& xs = x.data();
  const std::vector<long double>& ys = y.data();
  const long double N = e.N;
  const long double R = e.R, SX = e.SX, SY = e.SY;

  FpScope fp;
  const long double b = R * SY / SX;
  const long double a = e.AY - b * e.AX;
  long double residual = 0;
  for (int i = 0; i < e.N; ++i) {
    const long double d = ys[i] - (a + b * xs[i]);
    residual += d * d;
  }
  const long double Sost = residual / (N - 2);
  // The intercept's standard error is sqrt(Sost * (1/N + AX^2 / Sxx)) with Sxx = (N - 1) SX^2:
  // sqrt(Sost / N) alone holds only for x centred on 0 and made the interval of a far too
  // narrow (and Ta far too large) wherever the mean of x is away from 0.
  const long double Sa = std::sqrt(Sost * (1 / N + e.AX * e.AX / ((N - 1) * SX * SX)));
  const long double Ta = a / Sa;
  const long double Tb = b / std::sqrt(Sost) * SX * std::sqrt(N);
  fp.check(a, b, Sost, Sa, Ta, Tb);
  out.a = a;
  out.b = b;
  out.Sost = Sost;

  lines.push_back(std::fabs(Ta) <= 1.96L ? "a=0" : "a<>0");
  lines.push_back("Ta=" + reportNumber(Ta));
  lines.push_back(std::fabs(Tb) <= 1.96L ? "b=0" : "b<>0");
  lines.push_back("Tb=" + reportNumber(Tb));
  lines.push_back("Sresidual=" + reportNumber(Sost));  // the variance, not its root

  const long double al = a - 1.96L * Sa, ar = a + 1.96L * Sa;
  const long double margin = 1.96L * std::sqrt(Sost) / std::sqrt(N) / SX;
  const long double bl = b - margin, br = b + margin;
  lines.push_back("a=" + reportNumber(a) + " in [" + reportNumber(al) + ";" + reportNumber(ar) +
                  "]");
  lines.push_back("b=" + reportNumber(b) + " in [" + reportNumber(bl) + ";" + reportNumber(br) +
                  "]");
  lines.push_back("R2=" + reportNumber(100 * R * R) + "%");

  const auto [minIt, maxIt] = std::minmax_element(xs.begin(), xs.begin() + e.N);
  const long double Xmin = *minIt, Xmax = *maxIt;
  const long double h = (Xmax - Xmin) / 200;
  const long double Se = SY * std::sqrt((1 - R * R) * (N - 1) / (N - 2));
  const long double Sb = std::sqrt(Sost) / (SX * std::sqrt(N - 1));
  fp.check(h, Se, Sb);

  constexpr int kPoints = 200;  // the last abscissa is one step short of Xmax
  for (std::vector<ChartPoint>* s : {&out.Series8, &out.Series2, &out.Series3, &out.Series4,
                                     &out.Series5, &out.Series9, &out.Series10})
    s->reserve(kPoints);
  for (int i = 0; i < kPoints; ++i) {
    const long double X = Xmin + i * h;
    const long double yHat = a + b * X;
    // The band for a new observation adds the scatter of that observation to the uncertainty of
    // the line, so the evaluation band of the line always lies inside it.
    const long double C0 = std::sqrt(Se * Se * (1 + 1 / N) + (e.AX - X) * (e.AX - X) * Sb * Sb);
    const long double C = std::sqrt(Se * Se / N + (X - e.AX) * (X - e.AX) * Sb * Sb);
    const double px = chartCoordinate(X);
    out.Series8.push_back({px, chartCoordinate(yHat)});
    out.Series2.push_back({px, chartCoordinate(yHat - 1.96L * Se)});
    out.Series3.push_back({px, chartCoordinate(yHat + 1.96L * Se)});
    out.Series4.push_back({px, chartCoordinate(yHat - 1.96L * C0)});
    out.Series5.push_back({px, chartCoordinate(yHat + 1.96L * C0)});
    out.Series9.push_back({px, chartCoordinate(yHat - 1.96L * C)});
    out.Series10.push_back({px, chartCoordinate(yHat + 1.96L * C)});
  }

  lines.push_back("");
  lines.push_back("LINEAR MODEL:");
  const long double F = f(0.05L, N - 1, N - 3);
  lines.push_back("fractile=" + reportNumber(F));
  FpScope fpModel;
  const long double fValue = (Se / SY) * (Se / SY);
  fpModel.check(fValue);
  lines.push_back("f=" + reportNumber(fValue));
  lines.push_back(fValue > F ? "Model is not good." : "Model is good.");
}

}  // namespace statorium
