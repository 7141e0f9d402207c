#pragma once
// The two-dimensional analysis of two properties of a statobject, free of any toolkit: the
// optional rotation to uncorrelated axes, the correlation table, the correlation field, and the
// report with basic estimates, correlation coefficient and ratio, the two-dimensional normal law
// check, the similarity and dependence verdicts, the linear regression (on a regressive
// dependence) and the parabolic regression. The window and the batch program render its result.

#include <optional>
#include <string>
#include <vector>

#include "core/correlationtable.h"
#include "core/linearregression.h"
#include "core/parabolicregression.h"
#include "core/sampleanalysis.h"  // ChartPoint
#include "core/values.h"

namespace statorium {

/// The chi-square statistic reported when the normal law check meets an arithmetic fault.
constexpr long double kNormalCheckFault = 99999999999999.0L;

/// Everything one run produces. Chart series carry the names of the "Correlation field" series
/// they fill; a series the run did not reach stays empty.
struct T2DAnalysis {
  /// The report ("Experiment results"), line by line; an empty line is an empty string.
  std::vector<std::string> lines;
  /// The correlation table of the analysed pair; it keeps the analysed (possibly rotated)
  /// samples as first() and second(). Drawn by classGrid and cellColor.
  std::optional<T2DVariant> table;
  std::vector<ChartPoint> Series7;   // the pairs (x_i, y_i), red circles
  std::vector<ChartPoint> Series11;  // the centre (AX, AY), one yellow rectangle
  /// Present only after "There is linear regressive dependence.".
  std::optional<LinearRegression> linear;
  /// Filled by the last step of every complete run.
  ParabolicRegression parabolic;

  // The estimates of the analysed pair, for the regression steps and for callers.
  PairEstimates estimates;
  /// The chi-square statistic of the normal law check: over the non-empty cells of the table,
  /// (E - O)^2 / O with O the count and E = N hx hy f(cell centre) the count the fitted normal
  /// law expects (kNormalCheckFault after an arithmetic fault).
  long double X2 = 0;
};

/// The analysis of X = first and Y = second, paired by position; `independent` is the
/// "Independent properties" check box (rotate the pair to uncorrelated axes first). The inputs
/// are not changed. `out` is cleared and then filled step by step, so after a failure it holds
/// what the run had reached, as the window shows it behind the error box.
///
/// Unsound inputs: properties of different lengths are analysed over their first min(n1, n2)
/// pairs. Fewer than 4 pairs fail with a plain Error saying so (the regressions have N - 3
/// degrees of freedom). A property whose values are all equal fails with "Invalid floating point
/// operation" when the correlation table is built, and so does a pair on a straight line when it
/// is turned (one turned axis keeps no spread). |R| within 0.0001 of 1 writes t = +-9999 (with
/// the sign of R) in its significance line; within 1e-12 of 1 (a line up to rounding, rising or
/// falling) the dependence line writes t = +-9999 and the verdict is functional. Any other
/// arithmetic fault fails with its FloatError. No infinity or NaN reaches a report line or a
/// chart point.
void ProcessObject(const TValues& first, const TValues& second, bool independent, T2DAnalysis& out);

/// The least number of pairs the analysis takes.
constexpr int kMinPairs = 4;

}  // namespace statorium
