#include "core/ndanalysis.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <numeric>

#include "core/errors.h"
#include "core/fpfault.h"
#include "core/jacobi.h"
#include "core/largearray.h"
#include "core/linearregression.h"  // reportNumber
#include "core/numtext.h"
#include "core/objectmeasures.h"
#include "core/propertygrid.h"

namespace statorium {

TextGrid::TextGrid(std::string title, int columns, int rows, int fixedColumns, int fixedRows)
    : title(std::move(title)),
      fixedColumns(fixedColumns),
      fixedRows(fixedRows),
      cells(static_cast<size_t>(rows), std::vector<std::string>(static_cast<size_t>(columns))) {}

const std::string& TextGrid::cell(int column, int row) const {
  if (row < 0 || row >= rowCount()) throw listIndexError(row);
  if (column < 0 || column >= columnCount()) throw listIndexError(column);
  return cells[row][column];
}

std::string& TextGrid::cell(int column, int row) {
  if (row < 0 || row >= rowCount()) throw listIndexError(row);
  if (column < 0 || column >= columnCount()) throw listIndexError(column);
  return cells[row][column];
}

std::string TransformedData::cell(int column, int row) const {
  if (row < 0 || row >= rowCount()) throw listIndexError(row);
  if (column < 0 || column >= columnCount()) throw listIndexError(column);
  if (row == 0) return column == 0 ? "X'" : "  k" + std::to_string(column);
  if (column == 0) return "  l" + std::to_string(row);
  // Every component was checked to be finite when it was computed.
  return formatFixed(components[column - 1][row - 1], 4);
}

std::string NDAnalysis::message() const {
  return "There are " + std::to_string(n2) + " main components";
}

TStatsObject NDAnalysis::mainComponents() const {
  TStatsObject objI;
  for (int i = 0; i < n2; ++i) {
    const std::vector<double>& c = transData.components[i];
    std::vector<long double> values;
    reserveLarge(values, c.size());
    values.assign(c.begin(), c.end());
    objI.addValues(TValues(std::move(values)));
  }
  return objI;
}

namespace {

// The eigenpairs of the correlation matrix, largest eigenvalue first.
void decompose(const TDeterminant& r, NDAnalysis& out) {
  const int n = r.n();
  JacobiMatrix r2(static_cast<size_t>(n) + 1, JacobiVector(static_cast<size_t>(n) + 1, 0.0));
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) r2[i][j] = static_cast<double>(r.a(i - 1, j - 1));
  JacobiVector vals;
  JacobiMatrix vecs, test;
  out.converged = JacobyEigenValuesAndVectors(r2, n, vals, vecs, test);

  // The decomposition gives its pairs in no particular order. Ordering them here, once, is what
  // lets every grid and the main components file speak of "component i" alike.
  std::vector<int> order(static_cast<size_t>(n));
  std::iota(order.begin(), order.end(), 1);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return vals[a] > vals[b]; });
  out.lambda.resize(n);
  out.vectors.assign(n, std::vector<double>(n));
  for (int i = 0; i < n; ++i) {
    out.lambda[i] = vals[order[i]];
    // Column order[i] of vecs is the eigenvector of that eigenvalue.
    for (int k = 0; k < n; ++k) out.vectors[i][k] = vecs[k + 1][order[i]];
  }
}

// Component i of observation l: the standardized observation times eigenvector i.
void transform(const TStatsObject& obj, NDAnalysis& out, const Progress& progress) {
  const int n = out.properties, m = out.observations;
  // The standardized values are made on the way, each as TValues::MakeStandard makes it, rather
  // than kept as a standardized copy of the whole statobject.
  std::vector<long double> mean(n), s(n);
  std::vector<const long double*> x(n);
  for (int k = 0; k < n; ++k) {
    mean[k] = obj.Prop(k).Average();
    s[k] = obj.Prop(k).AverageQuadratic();
    // A constant property has no standardized values (0/0).
    if (s[k] == 0) throw FloatError(FloatError::Kind::Invalid);
    x[k] = obj.Prop(k).data().data();
  }
  TransformedData& t = out.transData;
  t.properties = n;
  t.observations = m;
  t.components.assign(n, {});
  for (std::vector<double>& c : t.components) resizeLarge(c, static_cast<size_t>(m));
  std::vector<long double> vectors(static_cast<size_t>(n) * n);  // row i: eigenvector i
  for (int i = 0; i < n; ++i)
    for (int k = 0; k < n; ++k) vectors[static_cast<size_t>(i) * n + k] = out.vectors[i][k];
  std::vector<long double> z(n);
  ProgressCounter counter(progress, m, std::max(512, m / 100));
  FpScope fp;
  for (int l = 0; l < m; ++l) {
    for (int k = 0; k < n; ++k) z[k] = (x[k][l] - mean[k]) / s[k];
    // Each component is one sum over the properties in order; four at a time keep their
    // additions from waiting on one another.
    int i = 0;
    for (; i + 4 <= n; i += 4) {
      const long double* v0 = &vectors[static_cast<size_t>(i) * n];
      const long double *v1 = v0 + n, *v2 = v1 + n, *v3 = v2 + n;
      long double a0 = 0, a1 = 0, a2 = 0, a3 = 0;
      for (int k = 0; k < n; ++k) {
        const long double zk = z[k];
        a0 += zk * v0[k];
        a1 += zk * v1[k];
        a2 += zk * v2[k];
        a3 += zk * v3[k];
      }
      t.components[i][l] = static_cast<double>(a0);
      t.components[i + 1][l] = static_cast<double>(a1);
      t.components[i + 2][l] = static_cast<double>(a2);
      t.components[i + 3][l] = static_cast<double>(a3);
    }
    for (; i < n; ++i) {
      const long double* v = &vectors[static_cast<size_t>(i) * n];
      long double a = 0;
      for (int k = 0; k < n; ++k) a += z[k] * v[k];
      t.components[i][l] = static_cast<double>(a);
    }
    counter.at(l + 1);
  }
  fp.check(t.components);
  for (const std::vector<double>& c : t.components)
    for (double v : c)
      if (!std::isfinite(v)) throw FloatError(FloatError::Kind::Overflow);
}

}  // namespace

void ProcessObject(TStatsObject& obj, bool standard, NDAnalysis& out, const Progress& progress) {
  out = NDAnalysis();
  if (obj.propCount() < 2)
    throw Error("The statobject has fewer than two properties: no multi-dimensional analysis.");
  const int m = observationCount(obj);
  // Two observations leave the significance test of a correlation no degree of freedom.
  if (m < 3) throw Error("The multi-dimensional analysis needs at least 3 observations.");
  const int n = obj.propCount();
  requireVaryingProperties(obj);
  // The shares of the run's stages, counted in passes over the values of one property: the
  // standardization and the averages, the correlation matrix (as R counts it), the transformed
  // data (the means and deviations again, then n products per observation), the deviations.
  const double before = (standard ? 3.0 : 0.0) * n + n;
  const double correlations = 4.0 * n + n * (n + 1) / 2.0;
  const double transformed = 3.0 * n + static_cast<double>(n) * n;
  const double total = before + correlations + transformed + 3.0 * n;
  const double rStart = before / total, rEnd = (before + correlations) / total;
  const double tEnd = (before + correlations + transformed) / total;

  if (standard) MakeStandard(obj);
  out.properties = n;
  out.observations = m;

  out.gAvg = TextGrid(kAveragesTitle, n, 2, 0, 1);
  for (int i = 0; i < n; ++i) {
    out.gAvg.cell(i, 0) = propertyHeader(i);
    out.gAvg.cell(i, 1) = reportNumber(Avg(obj, i));
  }
  reportProgress(progress, rStart);

  const TDeterminant r = R(obj, progressPart(progress, rStart, rEnd));
  decompose(r, out);
  transform(obj, out, progressPart(progress, rEnd, tEnd));
  reportProgress(progress, tEnd);

  out.ownVV = TextGrid(kOwnValuesTitle, n + 1, n + 1, 1, 1);
  for (int i = 1; i <= n; ++i) {
    out.ownVV.cell(i, 0) = "F" + std::to_string(i);
    if (out.lambda[i - 1] >= kMainComponentLambda) out.ownVV.cell(i, 0) += "*";
    out.ownVV.cell(0, i) = "X" + std::to_string(i);
    for (int k = 1; k <= n; ++k) out.ownVV.cell(i, k) = reportNumber(out.vectors[i - 1][k - 1]);
  }

  while (out.n2 < n && out.lambda[out.n2] >= kMainComponentLambda) ++out.n2;

  out.DD = TextGrid(kMMCTitle, 4, n + 1, 1, 1);
  out.DD.cell(1, 0) = "Lambda";
  out.DD.cell(2, 0) = "Lk/n";
  out.DD.cell(3, 0) = "Disp_k";
  for (int i = 1; i <= n; ++i) {
    const long double lambda = out.lambda[i - 1];
    long double disp = 0;
    for (int j = 0; j < out.n2; ++j) {
      const long double c = out.vectors[j][i - 1];
      disp += c * c;
    }
    out.DD.cell(0, i) = propertyHeader(i - 1);
    out.DD.cell(1, i) = reportNumber(lambda);
    out.DD.cell(2, i) = reportNumber(lambda / n);
    out.DD.cell(3, i) = reportNumber(disp);
  }

  std::vector<long double> d(n);
  out.gR = TextGrid(kPairCorrelationsTitle, n + 1, n + 1, 1, 1);
  for (int i = 1; i <= n; ++i) {
    d[i - 1] = D(obj, i - 1);
    out.gR.cell(i, 0) = out.gR.cell(0, i) = propertyHeader(i - 1);
    out.gR.cell(i, i) = "1";
    for (int j = i + 1; j <= n; ++j)
      out.gR.cell(i, j) = out.gR.cell(j, i) = reportNumber(r.a(i - 1, j - 1));
  }

  out.gD = TextGrid(kDispersionsTitle, n + 1, n + 1, 1, 1);
  for (int i = 1; i <= n; ++i) {
    out.gD.cell(i, 0) = out.gD.cell(0, i) = propertyHeader(i - 1);
    out.gD.cell(i, i) = reportNumber(d[i - 1] * d[i - 1]);
    for (int j = i + 1; j <= n; ++j)
      out.gD.cell(i, j) = out.gD.cell(j, i) = reportNumber(d[i - 1] * d[j - 1] * r.a(i - 1, j - 1));
  }
  reportProgress(progress, 1);
}

std::optional<std::string> mainComponentsFileName(const std::string& openedFile) {
  if (openedFile.empty()) return std::nullopt;
  const size_t keep = openedFile.size() > 4 ? openedFile.size() - 4 : 0;
  return openedFile.substr(0, keep) + "i.sta";
}

void writeMainComponents(const NDAnalysis& analysis, const std::string& path, bool replace) {
  std::error_code ec;
  if (!replace && std::filesystem::exists(path, ec))
    throw Error("The file \"" + path + "\" already exists.");
  analysis.mainComponents().writeObject(path);
}

}  // namespace statorium
