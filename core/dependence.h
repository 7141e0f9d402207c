#pragma once
// Property dependence, free of any toolkit: the partial and multiple correlations of every
// property ("Evaluate"), the 95% interval of a partial correlation (the grid's hint), and the
// linear regression of one property on all the others that the regression window shows.

#include <string>
#include <vector>

#include "core/ndanalysis.h"  // TextGrid
#include "core/progress.h"
#include "core/sampleanalysis.h"  // ChartPoint
#include "core/statsobject.h"

namespace statorium {

/// What "Evaluate" produces.
struct PropertyDependence {
  int properties = 0;    // n
  int observations = 0;  // m
  /// "Sample partial correlations (click and wait to see 95%-intervals)": headers "  #" + i on
  /// row 0 and column 0, the partial correlation of i and j with all others fixed in cells
  /// (i, j) and (j, i), an empty diagonal.
  TextGrid gPR;
  /// "Sample correlations (double click shows regression parameters)": header row "  #" + i over
  /// the multiple correlation of property i with all others (no header column).
  TextGrid gMR;
};

inline constexpr const char* kPartialCorrelationsTitle =
    "Sample partial correlations (click and wait to see 95%-intervals)";
inline constexpr const char* kMultipleCorrelationsTitle =
    "Sample correlations (double click shows regression parameters)";

/// Fills both grids for obj: 0.0000 stands for a correlation that its significance test
/// rejects (see TCorrelations). Fails with an Error for fewer than two properties, properties of
/// different lengths, fewer than p + 2 observations of p properties, or pair correlations that
/// do not form a positive definite matrix (kNotPositiveDefinite); a constant property fails with
/// a FloatError. The share of the work done goes to `progress`; a stop it asks for throws
/// Cancelled.
PropertyDependence Evaluate(const TStatsObject& obj, const Progress& progress = {});

/// The text the "Sample correlations" grid shows for property k: the multiple correlation with
/// four decimals. Fails as Evaluate does, and for k outside the properties.
std::string multipleCorrelationText(const TStatsObject& obj, int k);

/// The hint of the partial correlation grid after a click on cell (column, row):
/// "*No comments*" for a header cell, an empty cell or one outside the grid; "*Not important
/// value*" for a rejected (zero) correlation; otherwise the 95% interval of the shown value v
/// by Fisher's transformation, "95% in [" + low + ";" + high + "]" with
/// tanh(atanh(v) -+ U(0.025) / sqrt(m - (n - 2) - 3)) for n - 2 controls and m observations.
/// A value of +-1 gives the interval [v;v].
std::string partialCorrelationHint(const PropertyDependence& dependence, int column, int row);

/// The message for a click on a multiple correlation that is not significant.
inline constexpr const char* kNotImportant = "This correlation is not important.";

/// The regression window's "Intervals": in row 0 the headers "value-", "value", "value+"; in
/// row 1 "D*D" with the residual variance S2^2 and S2^2 -+ w, w = 1.96 S2 sqrt(1 + 1/N); row 2
/// empty; in row i + 2 (i = 1..N) "Y" + i with the fitted value and its ends. A statobject of
/// many observations gives a grid too large to keep as texts, so a cell's text is made when it
/// is asked for.
struct RegressionIntervals {
  static constexpr const char* kTitle = "Intervals";
  long double variance = 0;  // S2^2
  long double w = 0;
  /// Per observation i: the fitted value -+ XCX_i, XCX_i = 1.96 h_i S2 with h_i the sum of row i
  /// of X C X' (C = (X'X)^-1), and the fitted value itself.
  std::vector<long double> low, fitted, high;

  int columnCount() const { return 4; }
  int rowCount() const { return static_cast<int>(fitted.size()) + 3; }
  /// The text of a cell; "List index out of bounds" outside the grid.
  std::string cell(int column, int row) const;
};

/// The regression window's content for one property.
struct TRegression {
  int k = 0;  // the explained property, from 0
  /// The coefficients A of the other properties in property order (no constant term).
  std::vector<long double> A;
  /// The residual standard deviation S2 = sqrt(sum e_i^2 / (N - nn)).
  long double S2 = 0;
  /// "Regression parameters": labels " Ak-", " Ak", " Ak+", "", " st. Ak" in column 0; coefficient
  /// i in column i + 1 with its 95% ends, its value ("0.0000" when its t is within 1.96) and its
  /// standardized value s_i A_i / s_k.
  TextGrid gA;
  /// "Intervals".
  RegressionIntervals g2;
  /// The "Results" lines.
  std::vector<std::string> textResults;
  /// "Diagnostic diagram": the point (y_i, e_i) of every observation, e_i the residual.
  std::vector<ChartPoint> Series1;
};

inline constexpr const char* kRegressionParametersTitle = "Regression parameters";

/// The significance level of the model check, which its quantile line names.
constexpr long double kRegressionLevel = 0.05L;

/// The regression of property k on all other properties of obj, as a click on its cell of the
/// "Sample correlations" grid runs it; `shownR` is that cell's text ("" for a header cell).
/// A text of "0.0000", "0,0000", "" or one that is not a number fails with kNotImportant. The
/// model check uses the shown value R (four decimals): f = (N - nn - 1) / nn (1 / (1 - R^2) - 1)
/// against F = f(0.05, nn, N - nn - 1); when R shows as 1.0000, f is taken from the multiple
/// correlation itself, whose 1 - R^2 is not 0.
///
/// Fails with an Error for fewer than two properties, properties of different lengths, fewer
/// than nn + 2 observations, or k outside the properties; with "Floating point division by zero"
/// when the other properties are linearly dependent (X'X is singular). The share of the
/// observations done goes to `progress`; a stop it asks for throws Cancelled.
TRegression Regression(const TStatsObject& obj, int k, const std::string& shownR,
                       const Progress& progress = {});

}  // namespace statorium
