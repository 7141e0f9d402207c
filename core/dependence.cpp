#include "core/dependence.h"

#include <cmath>

#include "core/correlationtable.h"  // chartCoordinate
#include "core/errors.h"
#include "core/fpfault.h"
#include "core/linearregression.h"  // reportNumber
#include "core/matrix.h"
#include "core/numtext.h"
#include "core/objectmeasures.h"
#include "core/propertygrid.h"
#include "core/quantiles.h"

namespace statorium {

namespace {

// The checks shared by Evaluate and the regression: two properties at least, of one length, with
// enough observations for the significance tests. Returns the number of observations.
int checkedObservations(const TStatsObject& obj) {
  if (obj.propCount() < 2)
    throw Error(
        "The statobject has fewer than two properties: there is no dependence between "
        "properties.");
  const int m = observationCount(obj);
  requireDependenceObservations(obj.propCount(), m);
  return m;
}

}  // namespace

PropertyDependence Evaluate(const TStatsObject& obj, const Progress& progress) {
  PropertyDependence out;
  const int n = obj.propCount();
  out.observations = checkedObservations(obj);
  out.properties = n;
  // The pair correlations take the time; the inverse matrix behind the partial and multiple
  // correlations costs n^3, little beside n^2 / 2 passes over the observations.
  const TCorrelations correlations(R(obj, progress), out.observations);
  out.gPR = TextGrid(kPartialCorrelationsTitle, n + 1, n + 1, 1, 1);
  out.gMR = TextGrid(kMultipleCorrelationsTitle, n, 2, 0, 1);
  for (int i = 0; i < n; ++i) {
    out.gPR.cell(i + 1, 0) = out.gPR.cell(0, i + 1) = propertyHeader(i);
    out.gMR.cell(i, 0) = propertyHeader(i);
    out.gMR.cell(i, 1) = reportNumber(correlations.MultiR(i));
    for (int j = i + 1; j < n; ++j)
      out.gPR.cell(i + 1, j + 1) = out.gPR.cell(j + 1, i + 1) =
          reportNumber(correlations.PartialR(i, j));
  }
  return out;
}

std::string multipleCorrelationText(const TStatsObject& obj, int k) {
  checkedObservations(obj);
  if (k < 0 || k >= obj.propCount()) throw listIndexError(k);
  return reportNumber(TCorrelations(obj).MultiR(k));
}

std::string partialCorrelationHint(const PropertyDependence& dependence, int column, int row) {
  const TextGrid& g = dependence.gPR;
  const char* const kNoComments = "*No comments*";
  if (row < 1 || row >= g.rowCount() || column < 1 || column >= g.columnCount()) return kNoComments;
  const std::string& text = g.cell(column, row);
  long double v;
  if (text.empty() || !parseLocaleNumber(text, v)) return kNoComments;
  if (v == 0) return "*Not important value*";
  const int n = dependence.properties, m = dependence.observations;
  requireDependenceObservations(n, m);
  long double low = v, high = v;
  if (std::fabs(v) < 1) {
    // Fisher's z of a partial correlation with n - 2 controls over m observations has the
    // standard deviation 1 / sqrt(m - (n - 2) - 3).
    FpScope fp;
    const long double z = std::atanh(v);
    const long double e = U(0.025L) / std::sqrt(static_cast<long double>(m - (n - 2) - 3));
    low = std::tanh(z - e);
    high = std::tanh(z + e);
    fp.check(low, high);
  }
  return "95% in [" + reportNumber(low) + ";" + reportNumber(high) + "]";
}

std::string RegressionIntervals::cell(int column, int row) const {
  if (row < 0 || row >= rowCount()) throw listIndexError(row);
  if (column < 0 || column >= columnCount()) throw listIndexError(column);
  static const char* const kHeaders[] = {"", "value-", "value", "value+"};
  if (row == 0) return kHeaders[column];
  if (row == 1) {
    switch (column) {
      case 0:
        return "D*D";
      case 1:
        return reportNumber(variance - w);
      case 2:
        return reportNumber(variance);
      default:
        return reportNumber(variance + w);
    }
  }
  if (row == 2) return "";
  const size_t i = static_cast<size_t>(row) - 3;
  switch (column) {
    case 0: {
      std::string header = "Y";  // appended, not concatenated: g++ 12 warns falsely on the latter
      header += std::to_string(i + 1);
      return header;
    }
    case 1:
      return reportNumber(low[i]);
    case 2:
      return reportNumber(fitted[i]);
    default:
      return reportNumber(high[i]);
  }
}

TRegression Regression(const TStatsObject& obj, int k, const std::string& shownR,
                       const Progress& progress) {
  long double R;
  if (shownR.empty() || shownR == "0.0000" || shownR == "0,0000" || !parseLocaleNumber(shownR, R) ||
      R == 0)
    throw Error(kNotImportant);
  const int nn = obj.propCount();
  const int N = checkedObservations(obj);
  if (k < 0 || k >= nn) throw listIndexError(k);

  TRegression out;
  out.k = k;
  const int q = nn - 1;  // coefficients
  // The property that coefficient i belongs to.
  auto propertyOf = [k](int i) { return i < k ? i : i + 1; };
  // The columns of X (every property but k), then Y and T, the column of 1.96 whose product
  // with H = X C X' sums the rows of H.
  const std::vector<long double> T(static_cast<size_t>(N), 1.96L);
  std::vector<const long double*> columns(q + 2);
  for (int i = 0; i < q; ++i) columns[i] = obj.Prop(propertyOf(i)).data().data();
  const long double* y = obj.Prop(k).data().data();
  columns[q] = y;
  columns[q + 1] = T.data();
  // X'X, X'Y and X'T in one pass over the observations; no N x N matrix and no copy of the data
  // matrix is made.
  // The cross products and the pass over the observations below take nearly all the time.
  const TMatrix cross = crossProducts(columns, N, progressPart(progress, 0, 0.6));
  TMatrix C(q, q), XtY(q, 1), XtT(q, 1);
  for (int i = 0; i < q; ++i) {
    for (int j = 0; j < q; ++j) C.a(i, j) = cross.a(i, j);
    XtY.a(i, 0) = cross.a(i, q);
    XtT.a(i, 0) = cross.a(i, q + 1);
  }
  C.reverse();  // linearly dependent properties fail here
  TMatrix A = C.Clone();
  A.mul(XtY);
  TMatrix CXtT = C.Clone();
  CXtT.mul(XtT);
  out.A.resize(q);
  for (int i = 0; i < q; ++i) out.A[i] = A.a(i, 0);

  // Per observation: the fitted value, the residual, and h_i (times 1.96), the row sum of H.
  out.Series1.reserve(N);
  out.g2.fitted.resize(N);
  std::vector<long double> h(static_cast<size_t>(N));
  FpScope fp;
  long double residuals = 0;
  ProgressCounter counter(progressPart(progress, 0.6, 1), N, 4096);
  for (int l = 0; l < N; ++l) {
    counter.at(l);
    long double ey = 0, hl = 0;
    for (int j = 0; j < q; ++j) {
      const long double xj = columns[j][l];
      ey += out.A[j] * xj;
      hl += xj * CXtT.a(j, 0);
    }
    const long double e = y[l] - ey;
    residuals += e * e;
    out.g2.fitted[l] = ey;
    h[l] = hl;
    out.Series1.push_back({chartCoordinate(y[l]), chartCoordinate(e)});
  }
  const long double S2 = std::sqrt(residuals / (N - nn));
  fp.check(S2, h);
  out.S2 = S2;

  const long double Sy = obj.Prop(k).AverageQuadratic();
  out.gA = TextGrid(kRegressionParametersTitle, q + 1, 5, 1, 0);
  out.gA.cell(0, 0) = " Ak-";
  out.gA.cell(0, 1) = " Ak";
  out.gA.cell(0, 2) = " Ak+";
  out.gA.cell(0, 4) = " st. Ak";
  for (int i = 0; i < q; ++i) {
    const long double si = obj.Prop(propertyOf(i)).AverageQuadratic();
    const long double a = out.A[i];
    const long double qi = std::sqrt(C.a(i, i));
    const long double margin = 1.96L * S2 * qi;
    // A zero residual leaves no scale for the t of a coefficient: each is then exact.
    const bool zero = S2 > 0 && std::fabs(a / S2 / qi) <= 1.96L;
    const long double standardized = si * a / Sy;
    fp.check(qi, margin, standardized);
    out.gA.cell(i + 1, 0) = reportNumber(a - margin);
    out.gA.cell(i + 1, 1) = zero ? "0.0000" : reportNumber(a);
    out.gA.cell(i + 1, 2) = reportNumber(a + margin);
    out.gA.cell(i + 1, 4) = reportNumber(standardized);
  }

  // The half-widths XCX = H T S2 = 1.96 h_i S2.
  out.g2.low.resize(N);
  out.g2.high.resize(N);
  for (int l = 0; l < N; ++l) {
    const long double XCX = h[l] * S2;
    out.g2.low[l] = out.g2.fitted[l] - XCX;
    out.g2.high[l] = out.g2.fitted[l] + XCX;
  }
  out.g2.variance = S2 * S2;
  out.g2.w = 1.96L * S2 * std::sqrt(1 + 1.0L / N);
  fp.check(out.g2.low, out.g2.high, out.g2.variance, out.g2.w);
  for (int l = 0; l < N; ++l)
    if (!std::isfinite(out.g2.low[l]) || !std::isfinite(out.g2.high[l]))
      throw FloatError(FloatError::Kind::Overflow);

  // The model check with the multiple correlation as the grid shows it; shown as 1.0000 it
  // leaves 1 - R^2 = 0, and the multiple correlation itself is below 1.
  long double r2 = R * R;
  long double fitR2 = r2;
  if (1 - r2 == 0) {
    const long double exact = TCorrelations(obj).MultiR(k);
    fitR2 = exact * exact;
  }
  const long double quantile = f(kRegressionLevel, nn, N - nn - 1);
  const long double fStat = static_cast<long double>(N - nn - 1) / nn * (1 / (1 - fitR2) - 1);
  fp.check(fStat);
  out.textResults.push_back(fStat > quantile ? "Regression is important (f > F):"
                                             : "Regression is NOT importan (f <= F):");
  out.textResults.push_back("f = " + reportNumber(fStat));
  // The label names the level the quantile is taken at.
  out.textResults.push_back("F(.05, n1, n2) = " + reportNumber(quantile));
  out.textResults.push_back("");
  out.textResults.push_back("R2 = " + reportNumber(r2));
  return out;
}

}  // namespace statorium
