#pragma once
// The linear regression step of the two-dimensional analysis: the line y = a + b x of the second
// property on the first, its coefficient tests and intervals, its bands and its model check.

#include <string>
#include <vector>

#include "core/sampleanalysis.h"  // ChartPoint
#include "core/values.h"

namespace statorium {

/// The estimates of a pair that the regression steps start from.
struct PairEstimates {
  int N = 0;                   // number of pairs
  long double AX = 0, AY = 0;  // means
  long double SX = 0, SY = 0;  // standard deviations, divisor N - 1
  long double R = 0;           // correlation coefficient
};

/// The fitted line and the points of its chart series (200 abscissas from the smallest x in steps
/// of a two-hundredth of the range; each lower line first, then the upper one).
struct LinearRegression {
  long double a = 0, b = 0;                   // y = a + b x
  long double Sost = 0;                       // residual variance, divisor N - 2
  std::vector<ChartPoint> Series8;            // the line ("Regression", green)
  std::vector<ChartPoint> Series2, Series3;   // -/+ 1.96 Se ("Tolerant intervals", fuchsia)
  std::vector<ChartPoint> Series4, Series5;   // band for a new observation ("Confidence
                                              // intervals", gray)
  std::vector<ChartPoint> Series9, Series10;  // band of the line itself ("Interval evaluation",
                                              // blue)
};

/// Fits the line to the N pairs of x and y (both of N values, N >= 4, |R| < 1, SX > 0), appends
/// the block from "a=0"/"a<>0" to "Model is good."/"Model is not good." to `lines` and fills
/// `out` as it goes. A zero residual, which leaves the coefficient tests without a scale, fails
/// with "Floating point division by zero".
void LinearRegressionStep(const TValues& x, const TValues& y, const PairEstimates& e,
                          std::vector<std::string>& lines, LinearRegression& out);

/// A number of the two-dimensional report: fixed, four decimals; a fault that produced it, or a
/// value that is not finite, fails with the FloatError instead of reaching the text.
std::string reportNumber(long double v);

}  // namespace statorium
