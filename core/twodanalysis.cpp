#include "core/twodanalysis.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/errors.h"
#include "core/fpfault.h"
#include "core/largearray.h"
#include "core/quantiles.h"

namespace statorium {

namespace {

// The t written for a correlation of +-1, where the statistic has no finite value.
constexpr long double kInfiniteT = 9999;
// Within this of 1, |R| is taken as 1 in the coefficient's significance line.
constexpr long double kUnitR = 0.0001L;
// Within this of 1, |R| is 1 up to rounding: y is a linear function of x.
constexpr long double kFunctionalR = 1e-12L;
// Within this of 1, the correlation ratio is taken as 1 in its significance line.
constexpr long double kUnitRo = 0.01L;
// A turned axis whose deviation is below this share of the largest value holds rounding only.
constexpr long double kTurnNoise = 1e-15L;

// "E{x}=" + value + " in [" + low + ";" + high + "]" with the 95% edges value -+ 1.96 error.
std::string estimateLine(const char* begin, long double value, long double error) {
  return begin + reportNumber(value) + " in [" + reportNumber(value - 1.96L * error) + ";" +
         reportNumber(value + 1.96L * error) + "]";
}

// "R<>0 (t=5.1234) - important" or "R=0 (t=0.8000) - not important".
std::string significanceLine(const char* name, long double T) {
  const bool zero = std::fabs(T) <= 1.96L;
  return name + std::string(zero ? "=0" : "<>0") + " (t=" + reportNumber(T) + ")" +
         (zero ? " - not important" : " - important");
}

// The correlation coefficient from centred products: the same quantity as
// N/(N-1) (mean(xy) - mean(x) mean(y)) / SX / SY, without the cancellation that costs the
// product form its digits when the means are large against the spreads (and that would keep an
// exact line from giving R = 1).
long double correlation(const std::vector<long double>& xs, const std::vector<long double>& ys,
                        long double AX, long double AY, long double SX, long double SY) {
  FpScope fp;
  long double s = 0;
  for (size_t i = 0; i < xs.size(); ++i) s += (xs[i] - AX) * (ys[i] - AY);
  const long double R = s / static_cast<long double>(xs.size() - 1) / SX / SY;
  fp.check(R);
  return R;
}

// Turns the pair to uncorrelated axes: tan(2 phi) = 2 R SX SY / (SX^2 - SY^2), phi in
// [-pi/4, pi/4]. The two-argument arc tangent also settles SX = SY, where the quotient has no
// value (phi = +-pi/4, or 0 when R = 0 as well).
void rotateToIndependent(TValues& X, TValues& Y) {
  const long double AX = X.Average(), AY = Y.Average();
  const long double SX = X.AverageQuadratic(), SY = Y.AverageQuadratic();
  const std::vector<long double>& xs = X.data();
  const std::vector<long double>& ys = Y.data();
  const long double R = correlation(xs, ys, AX, AY, SX, SY);
  constexpr long double kQuarter = std::numbers::pi_v<long double> / 4;
  long double phi = std::atan2(2 * R * SX * SY, SX * SX - SY * SY) / 2;
  // atan2 reaches past +-pi/4 when SX < SY; a quarter turn more or less gives the same axes,
  // and this keeps the new X axis the one closer to the old one, as the arc tangent of the
  // quotient does.
  if (phi > kQuarter)
    phi -= 2 * kQuarter;
  else if (phi < -kQuarter)
    phi += 2 * kQuarter;
  const long double c = std::cos(phi), s = std::sin(phi);
  std::vector<long double> rx, ry;
  resizeLarge(rx, xs.size());
  resizeLarge(ry, ys.size());
  long double largest = 0;
  for (size_t i = 0; i < xs.size(); ++i) {
    rx[i] = xs[i] * c + ys[i] * s;
    ry[i] = -xs[i] * s + ys[i] * c;
    largest = std::max({largest, std::fabs(xs[i]), std::fabs(ys[i])});
  }
  X = TValues(std::move(rx));
  Y = TValues(std::move(ry));
  // A pair on a straight line leaves one turned axis without spread, and what the rounding of
  // the turn leaves there (some 1e-19 of the values) is no data: such an axis is a constant
  // property, which has no classes.
  const long double noise = kTurnNoise * largest;
  if (X.AverageQuadratic() <= noise || Y.AverageQuadratic() <= noise)
    throw FloatError(FloatError::Kind::Invalid);
}

// The chi-square statistic of the two-dimensional normal law over the non-empty cells of the
// table, sum of (E - O)^2 / O with O the count of a cell and E = N hx hy f(centre) the count the
// fitted normal law expects there. Counts against counts: a density set against a count would
// measure nothing. Any arithmetic fault (|R| = 1 leaves no density) gives kNormalCheckFault.
long double normalLawChiSquare(const T2DVariant& t, const PairEstimates& e) {
  const int n = t.n;
  FpScope fp;
  const long double hx = (t.MaxX - t.MinX) / n;
  const long double hy = (t.MaxY - t.MinY) / n;
  const long double R = e.R;
  const long double q = 2 * (1 - R * R);
  // N hx hy times the density's factor in front of the exponent.
  const long double peak =
      e.N * hx * hy / (2 * std::numbers::pi_v<long double> * e.SX * e.SY * std::sqrt(1 - R * R));
  long double X = 0;
  for (int i = 0; i < n; ++i) {
    const long double nx = (t.MinX + (i + 0.5L) * hx - e.AX) / e.SX;
    for (int j = 0; j < n; ++j) {
      const int observed = t.getN(i, j);
      if (observed == 0) continue;
      const long double ny = (t.MinY + (j + 0.5L) * hy - e.AY) / e.SY;
      const long double expected = peak * std::exp(-(nx * nx - 2 * R * nx * ny + ny * ny) / q);
      X += (expected - observed) * (expected - observed) / observed;
    }
  }
  try {
    fp.check(X);
  } catch (const FloatError&) {
    return kNormalCheckFault;
  }
  return std::isfinite(X) ? X : kNormalCheckFault;
}

}  // namespace

void ProcessObject(const TValues& first, const TValues& second, bool independent,
                   T2DAnalysis& out) {
  out = T2DAnalysis();
  // Properties of different lengths: the pairs that exist on both sides.
  const int N = std::min(first.count(), second.count());
  if (N < kMinPairs)
    throw Error("The two-dimensional analysis needs at least " + std::to_string(kMinPairs) +
                " pairs of values.");
  std::vector<long double> xs, ys;
  reserveLarge(xs, static_cast<size_t>(N));
  reserveLarge(ys, static_cast<size_t>(N));
  xs.assign(first.data().begin(), first.data().begin() + N);
  ys.assign(second.data().begin(), second.data().begin() + N);
  TValues X(std::move(xs)), Y(std::move(ys));

  // "Independent properties": the pair turned to uncorrelated axes.
  if (independent) rotateToIndependent(X, Y);

  // The table, which keeps the pair that the rest of the run reads, and the field.
  out.table.emplace(std::move(X), std::move(Y));
  const T2DVariant& table = *out.table;
  const TValues& x = table.first();
  const TValues& y = table.second();
  const std::vector<long double>& xv = x.data();
  const std::vector<long double>& yv = y.data();
  reserveLarge(out.Series7, static_cast<size_t>(N));
  for (int i = 0; i < N; ++i)
    out.Series7.push_back({chartCoordinate(xv[i]), chartCoordinate(yv[i])});

  // Means and deviations with their standard errors. Those of the variation series are the
  // sample's own, so they are taken from the samples without building the series.
  PairEstimates& e = out.estimates;
  e.N = N;
  e.AX = x.Average();
  e.AY = y.Average();
  out.Series11.push_back({chartCoordinate(e.AX), chartCoordinate(e.AY)});
  e.SX = x.AverageQuadratic();
  e.SY = y.AverageQuadratic();
  const long double n = N;
  FpScope fp;
  const long double Dax = e.SX / std::sqrt(n), Day = e.SY / std::sqrt(n);
  const long double Dsx = e.SX / std::sqrt(2 * n), Dsy = e.SY / std::sqrt(2 * n);
  fp.check(Dax, Day, Dsx, Dsy);

  // Basic estimates.
  std::vector<std::string>& lines = out.lines;
  lines.push_back("BASIC:");
  lines.push_back(estimateLine("E{x}=", e.AX, Dax));
  lines.push_back(estimateLine("S{x}=", e.SX, Dsx));
  lines.push_back(estimateLine("E{y}=", e.AY, Day));
  lines.push_back(estimateLine("S{y}=", e.SY, Dsy));

  // Correlation coefficient.
  const long double R = correlation(xv, yv, e.AX, e.AY, e.SX, e.SY);
  e.R = R;
  const long double absR = std::fabs(R);
  FpScope fpR;
  const long double margin = (1 - R * R) * U(0.025L) / std::sqrt(n - 1);
  const long double centre = R + R * (1 - R * R) / (2 * n);
  // At |R| = 1 the statistic has no finite value; -1 is written like +1, with its sign.
  const long double TR =
      1 - absR <= kUnitR ? std::copysign(kInfiniteT, R) : R * std::sqrt(n / (1 - R * R));
  fpR.check(margin, centre, TR);
  lines.push_back("R=" + reportNumber(R) + " in [" + reportNumber(centre - margin) + ";" +
                  reportNumber(centre + margin) + "]");
  lines.push_back(significanceLine("R", TR));

  // Correlation ratio.
  const long double Ro = table.Ro;
  FpScope fpRo;
  const long double TRo =
      std::fabs(1 - Ro) <= kUnitRo ? kInfiniteT : Ro * std::sqrt((n - 2) / (1 - Ro * Ro));
  fpRo.check(TRo);
  lines.push_back("Ro=" + reportNumber(Ro));
  lines.push_back(significanceLine("Ro", TRo));
  lines.push_back("");

  // Two-dimensional normal law check.
  lines.push_back("2D NORMAL LAW CHECK:");
  out.X2 = normalLawChiSquare(table, e);
  const long double fractile = XX(0.05L, table.n * table.n);
  lines.push_back("X2=" + reportNumber(out.X2));
  lines.push_back("fractile=" + reportNumber(fractile));
  lines.push_back(out.X2 > fractile ? "It is not normal law." : "It is normal law.");
  lines.push_back("");

  // Similarity of the two properties.
  lines.push_back("SIMILARITY: ");
  FpScope fpSimilar;
  const long double TS = (e.AX - e.AY) / std::sqrt((e.SX * e.SX + e.SY * e.SY) / n);
  const long double fS =
      e.SY >= e.SX ? (e.SY / e.SX) * (e.SY / e.SX) : (e.SX / e.SY) * (e.SX / e.SY);
  fpSimilar.check(TS, fS);
  lines.push_back("t=" + reportNumber(TS));
  lines.push_back("f=" + reportNumber(fS));
  if (std::fabs(TS) <= 1.96L && std::fabs(fS) <= 1.98L) {
    lines.push_back("Facts are similar.");
  } else {
    lines.push_back("Facts are not similar.");
    lines.push_back("");
    // Dependence. A decreasing line is as functional as an increasing one.
    const bool functional = 1 - absR <= kFunctionalR;
    FpScope fpDependence;
    const long double TD =
        functional ? std::copysign(kInfiniteT, R) : std::sqrt(n - 2) * R / std::sqrt(1 - R * R);
    fpDependence.check(TD);
    lines.push_back("t=" + reportNumber(TD));
    if (std::fabs(TD) <= 1.96L) {
      lines.push_back("Facts are independent.");
    } else if (functional) {
      lines.push_back("There is linear functional dependence.");
    } else {
      lines.push_back("There is linear regressive dependence.");
      LinearRegressionStep(x, y, e, lines, out.linear.emplace());
    }
  }

  // The parabola, whatever the verdicts.
  ParabolicRegressionStep(x, y, Ro, lines, out.parabolic);
}

}  // namespace statorium
