#pragma once
// The parabolic regression step of the two-dimensional analysis: the parabola
// y = a + b x + c x^2 of the second property on the first, its bands, and the model check that
// rests on the correlation ratio.

#include <string>
#include <vector>

#include "core/sampleanalysis.h"  // ChartPoint
#include "core/values.h"

namespace statorium {

/// The fitted parabola and the points of its chart series (200 abscissas from the smallest x in
/// steps of a two-hundredth of the range; each lower line first, then the upper one).
struct ParabolicRegression {
  long double a = 0, b = 0, c = 0;  // y = a + b x + c x^2
  long double Sost = 0;             // residual standard deviation
  /// x takes fewer than three distinct values, so no parabola is determined: the straight
  /// least-squares line was fitted instead (c = 0, residual divisor N - 2).
  bool straight = false;
  std::vector<ChartPoint> Series6;             // the curve ("Regression", maroon)
  std::vector<ChartPoint> Series12, Series13;  // -/+ 1.96 Sost ("Tolerant intervals", teal)
  std::vector<ChartPoint> Series14, Series15;  // band for a new observation ("Confidence
                                               // intervals", navy)
  std::vector<ChartPoint> Series16, Series17;  // band of the curve itself ("Interval
                                               // evaluation", lime)
};

/// Fits the parabola by least squares to x and y (equal counts N >= 4, x not constant), fills
/// `out`, and appends the block "", "PARABOLIC MODEL:", "fractile=...", "f=...", "Model is good."
/// or "Model is not good." to `lines`. The model check compares (Se / Sy)^2, Se being the
/// standard error of estimate from the correlation ratio Ro, with the F quantile f(0.05, N - 1,
/// N - 3); the fitted curve does not enter it. With s = Sost, the band of the curve at X is
/// 1.96 s sqrt(1/N + fi1(X)^2 / S1 + fi2(X)^2 / S2), fi1 and fi2 the centred orthogonal
/// polynomials of degree 1 and 2 over the sample and S1, S2 their sums of squares; the band for
/// a new observation has 1 more under the root. Faults fail with the FloatError.
void ParabolicRegressionStep(const TValues& x, const TValues& y, long double Ro,
                             std::vector<std::string>& lines, ParabolicRegression& out);

}  // namespace statorium
