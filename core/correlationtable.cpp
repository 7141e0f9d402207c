#include "core/correlationtable.h"

#include <algorithm>
#include <cmath>

#include "core/errors.h"
#include "core/fpfault.h"
#include "core/variants.h"

namespace statorium {

namespace {

// The class of v on an axis starting at min with classes of the given width: the integer part
// of the quotient, the maximum (and anything rounded past the end) going to the last class.
inline int classOf(long double v, long double min, long double width, int n) {
  const long double q = (v - min) / width;
  return q >= n ? n - 1 : static_cast<int>(q);
}

}  // namespace

T2DVariant::T2DVariant(const TValues& v1, const TValues& v2) : T2DVariant(v1.Clone(), v2.Clone()) {}

T2DVariant::T2DVariant(TValues&& v1, TValues&& v2)
    : m_first(std::move(v1)), m_second(std::move(v2)) {
  const int c = std::min(m_first.count(), m_second.count());
  n = TVariants::calcClassCount(c);
  MaxX = m_first.Max();
  MinX = m_first.Min();
  MaxY = m_second.Max();
  MinY = m_second.Min();
  const long double AY = m_first.Average();
  FpScope fp;
  const long double dx = (MaxX - MinX) / n;
  const long double dy = (MaxY - MinY) / n;
  fp.check(dx, dy);
  // Equal values leave no width to divide by; every class index would be 0/0.
  if (!(dx > 0) || !(dy > 0)) throw FloatError(FloatError::Kind::Invalid);

  m_variants.assign(static_cast<size_t>(n) * n, 0);
  std::vector<long double> rowSum(n, 0.0L);
  std::vector<int> rowCount(n, 0);
  long double SY = 0;
  const std::vector<long double>& xs = m_first.data();
  const std::vector<long double>& ys = m_second.data();
  for (int p = 0; p < c; ++p) {
    const long double x = xs[p], y = ys[p];
    const int column = classOf(x, MinX, dx, n);
    const int row = classOf(y, MinY, dy, n);
    ++m_variants[static_cast<size_t>(row) * n + column];
    rowSum[row] += x;
    ++rowCount[row];
    SY += (x - AY) * (x - AY);
  }
  MaxN = m_variants.empty() ? 0 : *std::max_element(m_variants.begin(), m_variants.end());

  long double SAY = 0;
  for (int r = 0; r < n; ++r) {
    if (rowCount[r] == 0) continue;
    const long double d = rowSum[r] / rowCount[r] - AY;
    SAY += rowCount[r] * d * d;
  }
  Ro = std::sqrt(SAY / SY);
  fp.check(Ro);
}

int T2DVariant::getN(int i, int j) const {
  if (i < 0 || i >= n) throw listIndexError(i);
  if (j < 0 || j >= n) throw listIndexError(j);
  return m_variants[static_cast<size_t>(j) * n + i];
}

long double PairCorrelation(const TValues& i, const TValues& j) {
  const int N = i.count();
  const long double mx = i.Average();
  const long double my = j.Average();
  const long double sx = i.AverageQuadratic();
  const long double sy = j.AverageQuadratic();
  // The pairs run over the first sample; a shorter second one has no value at position count.
  if (j.count() < N) throw listIndexError(j.count());
  FpScope fp;
  long double cross = 0;
  const std::vector<long double>& xs = i.data();
  const std::vector<long double>& ys = j.data();
  for (int k = 0; k < N; ++k) cross += (xs[k] - mx) * (ys[k] - my);
  fp.check(cross);
  return significantCorrelation(cross, N, sx, sy);
}

long double significantCorrelation(long double centredCross, int N, long double sx,
                                   long double sy) {
  FpScope fp;
  // The cross moment takes the divisor N - 1 as the deviations do: with N in one place and
  // N - 1 in the other every coefficient came out (N - 1) / N too small, so that perfectly
  // related samples of 4 values gave -0.75 instead of -1, and two equal properties did not
  // give a correlation matrix of eigenvalues 2 and 0. Rounding can carry the ratio a hair
  // beyond 1; it is a correlation, so it is clamped.
  const long double ratio = centredCross / ((N - 1) * sx * sy);
  fp.check(ratio);
  const long double r = std::clamp(ratio, -1.0L, 1.0L);
  if (N <= 2) throw FloatError(FloatError::Kind::Invalid);  // no degree of freedom for the test
  if (std::fabs(r) == 1) return r;  // a functional relation is as significant as it gets
  const long double t =
      std::fabs(r) * std::sqrt(static_cast<long double>(N - 2)) / std::sqrt(1 - r * r);
  fp.check(t);
  return t > 1.96L ? r : 0.0L;
}

double chartCoordinate(long double v) {
  const double d = static_cast<double>(v);
  if (!std::isfinite(d)) {
    clearFpFaults();  // the flag of the fault is reported by the error itself
    throw FloatError(std::isnan(d) ? FloatError::Kind::Invalid : FloatError::Kind::Overflow);
  }
  return d;
}

std::vector<ChartArrow> classGrid(const T2DVariant& table) {
  std::vector<ChartArrow> grid;
  const int n = table.n;
  if (n <= 0) return grid;
  grid.reserve(2 * static_cast<size_t>(n + 1));
  const long double sx = (table.MaxX - table.MinX) / n;
  const long double sy = (table.MaxY - table.MinY) / n;
  const double minX = chartCoordinate(table.MinX), maxX = chartCoordinate(table.MaxX);
  const double minY = chartCoordinate(table.MinY), maxY = chartCoordinate(table.MaxY);
  for (int k = 0; k <= n; ++k) {
    const double y = chartCoordinate(table.MinY + k * sy);
    const double x = chartCoordinate(table.MinX + k * sx);
    grid.push_back({minX, y, maxX, y});
    grid.push_back({x, minY, x, maxY});
  }
  return grid;
}

std::uint32_t cellColor(const T2DVariant& table, int i, int j) {
  const int z = table.getN(i, j);
  if (z == 0) return 0xFFFFFFu;
  // In integers the quotient is truncated exactly; z <= MaxN keeps red within 0..255.
  const auto red = static_cast<std::uint32_t>(static_cast<long long>(z) * 255 / table.MaxN);
  return red << 16;
}

}  // namespace statorium
