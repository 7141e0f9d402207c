// The multi-dimensional analysis: the grids of a small statobject in full, the main components
// against the principal component scores computed directly, the worked cases of uncorrelated
// and perfectly correlated properties, standardization, the main components file and unsound
// statobjects.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <random>

#include "core/jacobi.h"
#include "core/ndanalysis.h"
#include "core/numtext.h"
#include "core/objectmeasures.h"
#include "tests/core/errortext.h"
#include "tests/support/near.h"
#include "tests/support/tempdir.h"

namespace statorium {
namespace {

using test::errorText;
using test::TempDir;
using Cells = std::vector<std::vector<std::string>>;

TStatsObject objectOf(const std::vector<std::vector<long double>>& props) {
  TStatsObject obj;
  for (const auto& p : props) obj.addValues(TValues(p));
  return obj;
}

NDAnalysis analyse(TStatsObject obj, bool standard = false) {
  NDAnalysis a;
  ProcessObject(obj, standard, a);
  return a;
}

// x = 1..5 and y = 2x: means 3 and 6, variances 2.5 and 10, and the correlation 1, so the
// covariation shown is sqrt(2.5) sqrt(10) = 5. The eigenpairs of [[1, 1], [1, 1]] are 2 with
// (1, 1) / sqrt(2) and 0 with (1, -1) / sqrt(2), which the decomposition returns in that order
// reversed.
TEST(NDAnalysis, GridsOfTwoProperties) {
  const NDAnalysis a = analyse(objectOf({{1, 2, 3, 4, 5}, {2, 4, 6, 8, 10}}));
  EXPECT_EQ(a.gAvg.title, "Sample averages");
  EXPECT_EQ(a.gAvg.cells, (Cells{{"  #1", "  #2"}, {"3.0000", "6.0000"}}));
  EXPECT_EQ(a.gAvg.fixedColumns, 0);
  EXPECT_EQ(a.gR.title, "Sample pair correlations");
  EXPECT_EQ(a.gR.cells,
            (Cells{{"", "  #1", "  #2"}, {"  #1", "1", "1.0000"}, {"  #2", "1.0000", "1"}}));
  EXPECT_EQ(a.gD.title, "Sample dispersions and covariations");
  EXPECT_EQ(
      a.gD.cells,
      (Cells{{"", "  #1", "  #2"}, {"  #1", "2.5000", "5.0000"}, {"  #2", "5.0000", "10.0000"}}));
  EXPECT_EQ(a.ownVV.title, "R's own values and vectors");
  EXPECT_EQ(a.ownVV.cells,
            (Cells{{"", "F1*", "F2"}, {"X1", "0.7071", "0.7071"}, {"X2", "0.7071", "-0.7071"}}));
  EXPECT_EQ(a.DD.title, "MMC table");
  EXPECT_EQ(a.DD.cells, (Cells{{"", "Lambda", "Lk/n", "Disp_k"},
                               {"  #1", "2.0000", "1.0000", "0.5000"},
                               {"  #2", "0.0000", "0.0000", "0.5000"}}));
  EXPECT_EQ(a.n2, 1);
  EXPECT_EQ(a.message(), "There are 1 main components");

  // The standardized observations are -+1.2649 (2, 1, 0, ...) times (1, 1): all on the first
  // eigenvector, at 1.2649 sqrt(2) = 1.7889 per step.
  const TransformedData& t = a.transData;
  ASSERT_EQ(t.columnCount(), 3);
  ASSERT_EQ(t.rowCount(), 6);
  const Cells expected = {{"X'", "  k1", "  k2"},        {"  l1", "-1.7889", "0.0000"},
                          {"  l2", "-0.8944", "0.0000"}, {"  l3", "0.0000", "0.0000"},
                          {"  l4", "0.8944", "0.0000"},  {"  l5", "1.7889", "0.0000"}};
  for (int row = 0; row < 6; ++row)
    for (int column = 0; column < 3; ++column)
      EXPECT_EQ(t.cell(column, row), expected[row][column]) << column << "," << row;
  EXPECT_EQ(errorText([&] { t.cell(3, 0); }), "List index out of bounds (3)");
  EXPECT_EQ(errorText([&] { a.gR.cell(0, 3); }), "List index out of bounds (3)");
}

// Unit eigenvectors of a symmetric matrix by the power method with deflation, largest first: an
// independent way to the principal components.
std::vector<std::pair<long double, std::vector<long double>>> powerEigenpairs(
    std::vector<std::vector<long double>> c) {
  const size_t p = c.size();
  std::vector<std::pair<long double, std::vector<long double>>> pairs;
  for (size_t found = 0; found < p; ++found) {
    std::vector<long double> v(p, 1), w(p);
    v[found] = 2;
    long double lambda = 0;
    for (int iteration = 0; iteration < 5000; ++iteration) {
      long double norm = 0;
      for (size_t i = 0; i < p; ++i) {
        w[i] = 0;
        for (size_t j = 0; j < p; ++j) w[i] += c[i][j] * v[j];
        norm += w[i] * w[i];
      }
      norm = std::sqrt(norm);
      lambda = 0;
      for (size_t i = 0; i < p; ++i) lambda += v[i] * w[i];
      for (size_t i = 0; i < p; ++i) v[i] = w[i] / norm;
    }
    for (size_t i = 0; i < p; ++i)
      for (size_t j = 0; j < p; ++j) c[i][j] -= lambda * v[i] * v[j];
    pairs.push_back({lambda, v});
  }
  return pairs;
}

// Four properties driven by two factors, every pair significantly correlated, whose eigenpairs
// the decomposition returns out of order. Component i of every observation must be its
// standardized values times the eigenvector of the i-th largest eigenvalue of the usual
// correlation matrix (up to the sign of each eigenvector), in "Transformed data", in the grid of
// eigenvectors and in the main components file alike.
TEST(NDAnalysis, ComponentsAreThePrincipalComponentScores) {
  constexpr int p = 4, n = 300;
  std::mt19937_64 gen(1);
  std::normal_distribution<double> d(0, 1);
  std::vector<std::vector<long double>> props(p, std::vector<long double>(n));
  for (int l = 0; l < n; ++l) {
    const double f1 = d(gen), f2 = d(gen);
    props[0][l] = f1 + 0.3 * d(gen);
    props[1][l] = 10 + 2 * f1 + f2 + 0.5 * d(gen);
    props[2][l] = -f2 + 0.4 * f1 + 0.8 * d(gen);
    props[3][l] = 3 * f1 - 2 * f2 + d(gen);
  }
  const TStatsObject obj = objectOf(props);

  // The premises: no pair is filtered out, and the decomposition's order is not the decreasing
  // one, so that taking pairs by position would go wrong.
  const TDeterminant r = R(obj);
  JacobiMatrix r2(p + 1, JacobiVector(p + 1));
  for (int i = 0; i < p; ++i)
    for (int j = 0; j < p; ++j) {
      ASSERT_NE(r.a(i, j), 0);
      r2[i + 1][j + 1] = static_cast<double>(r.a(i, j));
    }
  JacobiVector vals;
  JacobiMatrix vecs, test;
  JacobyEigenValuesAndVectors(r2, p, vals, vecs, test);
  ASSERT_FALSE(vals[1] >= vals[2] && vals[2] >= vals[3] && vals[3] >= vals[4]);

  // Directly: the standardized data, the usual correlation matrix and its eigenpairs.
  std::vector<std::vector<long double>> z(p, std::vector<long double>(n));
  for (int k = 0; k < p; ++k) {
    long double mean = 0, ss = 0;
    for (long double v : props[k]) mean += v;
    mean /= n;
    for (long double v : props[k]) ss += (v - mean) * (v - mean);
    const long double s = std::sqrt(ss / (n - 1));
    for (int l = 0; l < n; ++l) z[k][l] = (props[k][l] - mean) / s;
  }
  std::vector<std::vector<long double>> c(p, std::vector<long double>(p));
  for (int i = 0; i < p; ++i)
    for (int j = 0; j < p; ++j) {
      for (int l = 0; l < n; ++l) c[i][j] += z[i][l] * z[j][l];
      c[i][j] /= n - 1;
    }
  const auto pairs = powerEigenpairs(c);

  const NDAnalysis a = analyse(obj);
  ASSERT_TRUE(a.converged);
  ASSERT_EQ(a.n2, 2);  // 2.41 and 1.31, then 0.19 and 0.08
  const TStatsObject main = a.mainComponents();
  ASSERT_EQ(main.propCount(), 2);
  for (int i = 0; i < p; ++i) {
    const std::vector<long double>& u = pairs[i].second;
    EXPECT_NEAR(a.lambda[i], static_cast<double>(pairs[i].first), 1e-12);
    long double dot = 0;
    for (int k = 0; k < p; ++k) dot += u[k] * a.vectors[i][k];
    const long double sign = dot < 0 ? -1 : 1;
    for (int k = 0; k < p; ++k) {
      EXPECT_NEAR(a.vectors[i][k], static_cast<double>(sign * u[k]), 1e-12);
      long double shown;
      ASSERT_TRUE(parseLocaleNumber(a.ownVV.cell(i + 1, k + 1), shown));
      EXPECT_NEAR(static_cast<double>(shown), static_cast<double>(sign * u[k]), 5.1e-5);
    }
    for (int l = 0; l < n; ++l) {
      long double score = 0;
      for (int k = 0; k < p; ++k) score += z[k][l] * u[k];
      EXPECT_NEAR(a.transData.components[i][l], static_cast<double>(sign * score), 1e-11);
      if (i < a.n2) {
        EXPECT_EQ(main.Prop(i).getAt(l), a.transData.components[i][l]);
      }
    }
  }
  // "Disp_k" of property k: its squared components over the two main eigenvectors.
  for (int k = 0; k < p; ++k) {
    const long double disp =
        pairs[0].second[k] * pairs[0].second[k] + pairs[1].second[k] * pairs[1].second[k];
    long double shown;
    ASSERT_TRUE(parseLocaleNumber(a.DD.cell(3, k + 1), shown));
    EXPECT_NEAR(static_cast<double>(shown), static_cast<double>(disp), 5.1e-5);
  }
  EXPECT_EQ(a.ownVV.cell(2, 0), "F2*");
  EXPECT_EQ(a.ownVV.cell(3, 0), "F3");
}

// x, y, z pairwise exactly uncorrelated: the correlation matrix is the identity, every eigenvalue
// is 1 and every component a main one.
TEST(NDAnalysis, UncorrelatedProperties) {
  const NDAnalysis a = analyse(objectOf(
      {{1, 2, 3, 4, 5, 6, 7, 8}, {1, -1, -1, 1, 1, -1, -1, 1}, {1, 1, -1, -1, -1, -1, 1, 1}}));
  EXPECT_EQ(a.ownVV.cells[0], (std::vector<std::string>{"", "F1*", "F2*", "F3*"}));
  EXPECT_EQ(a.n2, 3);
  EXPECT_EQ(a.message(), "There are 3 main components");
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ(a.DD.cell(1, i), "1.0000");
    EXPECT_EQ(a.DD.cell(3, i), "1.0000");
  }
}

// y = 2x + 1 over 100 000 observations: the correlation is 1, the eigenvalues 2 and 0.
TEST(NDAnalysis, PerfectlyCorrelatedProperties) {
  std::vector<long double> x, y;
  for (int l = 0; l < 100000; ++l) {
    x.push_back((l * 7919) % 1000 / 10.0L);
    y.push_back(2 * x.back() + 1);
  }
  const NDAnalysis a = analyse(objectOf({x, y}));
  EXPECT_EQ(a.ownVV.cells[0], (std::vector<std::string>{"", "F1*", "F2"}));
  EXPECT_EQ(a.DD.cells[1], (std::vector<std::string>{"  #1", "2.0000", "1.0000", "0.5000"}));
  EXPECT_EQ(a.DD.cells[2], (std::vector<std::string>{"  #2", "0.0000", "0.0000", "0.5000"}));
  EXPECT_EQ(a.n2, 1);
}

TEST(NDAnalysis, StandartizationChangesTheStatobjectItself) {
  TStatsObject obj = objectOf({{1, 2, 3, 4, 5}, {2, 4, 6, 8, 11}});
  NDAnalysis a;
  ProcessObject(obj, true, a);
  EXPECT_EQ(a.gAvg.cells[1], (std::vector<std::string>{"0.0000", "0.0000"}));
  EXPECT_EQ(a.gD.cell(1, 1), "1.0000");
  EXPECT_EQ(a.gD.cell(2, 2), "1.0000");
  EXPECT_EQ(a.gD.cell(1, 2), a.gR.cell(1, 2));  // covariations of standardized data
  EXPECT_NEAR_REL(D(obj, 1), 1, 1e-18L);
  const NDAnalysis unchanged = analyse(objectOf({{1, 2, 3, 4, 5}, {2, 4, 6, 8, 11}}), false);
  EXPECT_EQ(unchanged.gAvg.cells[1], (std::vector<std::string>{"3.0000", "6.2000"}));
  // The components do not depend on it.
  EXPECT_EQ(unchanged.transData.cell(1, 1), a.transData.cell(1, 1));
}

TEST(NDAnalysis, MainComponentsFile) {
  EXPECT_EQ(mainComponentsFileName("data.sta"), "datai.sta");
  EXPECT_EQ(mainComponentsFileName("/home/u/sample.sta"), "/home/u/samplei.sta");
  EXPECT_EQ(mainComponentsFileName("table.csv"), "tablei.sta");
  EXPECT_EQ(mainComponentsFileName(""), std::nullopt);  // a composed statobject: ask the user

  const TempDir dir;
  const NDAnalysis a = analyse(objectOf({{1, 2, 3, 4, 5}, {2, 4, 6, 8, 11}, {5, 1, 4, 2, 3}}));
  const std::string path = dir.file("datai.sta");
  writeMainComponents(a, path, false);
  TStatsObject written;
  written.readObject(path);
  ASSERT_EQ(written.propCount(), a.n2);
  for (int i = 0; i < a.n2; ++i)
    for (int l = 0; l < 5; ++l) EXPECT_EQ(written.Prop(i).getAt(l), a.transData.components[i][l]);

  // An existing file is kept unless the caller says to replace it.
  const std::string before = TempDir::read(path);
  const std::string other = dir.write("other.sta", "keep me");
  EXPECT_EQ(errorText([&] { writeMainComponents(a, other, false); }),
            "The file \"" + other + "\" already exists.");
  EXPECT_EQ(TempDir::read(other), "keep me");
  writeMainComponents(a, other, true);
  EXPECT_EQ(TempDir::read(other), before);
}

// Unsound statobjects fail with a message saying what is wrong; few observations, even fewer
// than the properties, give grids without an infinity or NaN.
TEST(NDAnalysis, UnsoundStatobjects) {
  struct Case {
    std::vector<std::vector<long double>> props;
    std::string error;
  };
  const Case cases[] = {
      {{{1, 2, 3}}, "The statobject has fewer than two properties: no multi-dimensional analysis."},
      {{}, "The statobject has fewer than two properties: no multi-dimensional analysis."},
      {{{1, 2, 3}, {1, 2}}, "The properties have different numbers of values: #1 has 3, #2 has 2."},
      {{{1, 2}, {2, 1}}, "The multi-dimensional analysis needs at least 3 observations."},
      {{{1, 2, 3, 4}, {5, 5, 5, 5}},
       "The values of property #2 are all equal: it has no spread to correlate or standardize."},
  };
  for (const Case& c : cases) {
    for (bool standard : {false, true}) {
      NDAnalysis a;
      TStatsObject obj = objectOf(c.props);
      EXPECT_EQ(errorText([&] { ProcessObject(obj, standard, a); }), c.error);
      EXPECT_EQ(a.gAvg.rowCount(), 0);
      if (!c.props.empty()) {
        EXPECT_EQ(obj.Prop(0).getAt(0), c.props[0][0]);  // not standardized
      }
    }
  }

  for (const auto& props : {std::vector<std::vector<long double>>{{1, 2, 5}, {3, 1, 2}, {0, 7, 1}},
                            std::vector<std::vector<long double>>{
                                {1, 2, 4}, {3, 1, 2}, {0, 7, 1}, {2, 2, 1}, {9, 1, 0}}}) {
    const NDAnalysis a = analyse(objectOf(props));
    for (const TextGrid* g : {&a.gAvg, &a.gD, &a.gR, &a.ownVV, &a.DD})
      for (const auto& row : g->cells)
        for (const std::string& cell : row) EXPECT_EQ(cell.find_first_of("NI"), std::string::npos);
    EXPECT_GE(a.n2, 1);
  }
}

}  // namespace
}  // namespace statorium
