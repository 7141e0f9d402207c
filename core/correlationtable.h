#pragma once
// T2DVariant: the correlation table of two paired samples, with the correlation ratio of X with
// respect to the Y classes; PairCorrelation, the correlation coefficient with a significance
// filter; and what the two-dimensional window draws from a table (class grid, cell colours).

#include <cstdint>
#include <vector>

#include "core/sampleanalysis.h"  // ChartArrow
#include "core/values.h"

namespace statorium {

/// Both ranges cut into the same number n of equal classes, every pair (x_p, y_p) counted in the
/// cell of its X class (column) and Y class (row). Class c of an axis covers
/// [Min + c * width, Min + (c + 1) * width); the last class also takes the maximum, so a value on
/// an inner boundary belongs to the upper class. Built once, read afterwards.
class T2DVariant {
 public:
  /// Builds the table of X = v1 and Y = v2 (the object keeps its own copies). Only the first
  /// min(count1, count2) pairs are counted; ranges and the mean of X are taken over all values.
  /// An empty sample fails with "List index out of bounds (0)"; a sample whose values are all
  /// equal (class width 0) fails with "Invalid floating point operation".
  T2DVariant(const TValues& v1, const TValues& v2);
  /// The same, taking the two samples as the object's copies.
  T2DVariant(TValues&& v1, TValues&& v2);

  /// Count of the cell with X class i and Y class j (both from 0); "List index out of bounds"
  /// outside 0..n-1.
  int getN(int i, int j) const;

  // Read-only after the build.
  long double MinX = 0, MinY = 0, MaxX = 0, MaxY = 0;
  /// Correlation ratio of X with respect to the Y classes, in [0, 1].
  long double Ro = 0;
  /// Number of classes on each axis.
  int n = 0;
  /// The largest cell count (0 for an empty table).
  int MaxN = 0;

  /// The object's copies of the X and Y samples.
  const TValues& first() const { return m_first; }
  const TValues& second() const { return m_second; }

 private:
  TValues m_first, m_second;
  // n x n counts, row by row: row = Y class, column = X class.
  std::vector<int> m_variants;
};

/// The sample correlation coefficient of X = i and Y = j paired by position, N = count of i
/// (cross moment and deviations both with the divisor N - 1). Returns it when its
/// t = |r| sqrt(N - 2) / sqrt(1 - r^2) exceeds 1.96 (r = +-1 always), otherwise 0 (not
/// significant at 0.05). Fails with a floating-point error for N <= 2 or a constant sample, and
/// with "List index out of bounds" when j is shorter than i.
long double PairCorrelation(const TValues& i, const TValues& j);

/// The last step of PairCorrelation from its parts: the sum of the products of the centred
/// pairs, their number and both standard deviations (divisor N - 1). Fails as PairCorrelation.
long double significantCorrelation(long double centredCross, int N, long double sx,
                                   long double sy);

/// A coordinate for a chart series: v as a double. A value beyond the range of doubles fails
/// with "Floating point overflow" (a NaN with "Invalid floating point operation") rather than
/// reaching a chart.
double chartCoordinate(long double v);

/// The class grid of a table as the window's grid series shows it: for k = 0..n the horizontal
/// arrow at Y = MinY + k * (MaxY - MinY) / n across the X range, then the vertical arrow at
/// X = MinX + k * (MaxX - MinX) / n across the Y range (2 (n + 1) arrows).
std::vector<ChartArrow> classGrid(const T2DVariant& table);

/// The fill colour of cell (i, j) of the table picture as 0xRRGGBB: white for an empty cell,
/// otherwise pure red scaled by the count, trunc(count / MaxN * 255), green and blue 0.
std::uint32_t cellColor(const T2DVariant& table, int i, int j);

}  // namespace statorium
