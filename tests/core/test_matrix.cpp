// Matrices, determinants and the Jacobi eigen decomposition: the worked cases, elimination
// against the literal cofactor expansion, singular matrices and the checks of sizes.

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "core/determinant.h"
#include "core/jacobi.h"
#include "core/matrix.h"
#include "tests/core/errortext.h"
#include "tests/support/near.h"

namespace statorium {
namespace {

using test::errorText;
using test::kDivByZero;
using Rows = std::vector<std::vector<long double>>;

TMatrix matrixOf(const Rows& rows) {
  TMatrix x(static_cast<int>(rows.size()), rows.empty() ? 0 : static_cast<int>(rows[0].size()));
  for (int i = 0; i < x.n(); ++i)
    for (int j = 0; j < x.m(); ++j) x.a(i, j) = rows[i][j];
  return x;
}

Rows rowsOf(const TMatrix& x) {
  Rows rows(x.n(), std::vector<long double>(x.m()));
  for (int i = 0; i < x.n(); ++i)
    for (int j = 0; j < x.m(); ++j) rows[i][j] = x.a(i, j);
  return rows;
}

// A random matrix with entries in [-5, 5], square of order n.
TMatrix randomMatrix(int n, std::mt19937_64& gen) {
  std::uniform_real_distribution<double> d(-5, 5);
  TMatrix x(n, n);
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) x.a(i, j) = d(gen);
  return x;
}

TEST(Determinant, WorkedCasesByEliminationAndByExpansion) {
  struct Case {
    Rows rows;
    long double det;
  };
  const Case cases[] = {
      {{{7}}, 7},
      {{{2, 1}, {1, 3}}, 5},
      {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, 1},
      {{{1, 2, 3}, {4, 5, 6}, {7, 8, 10}}, -3},
      {{{0, 1}, {1, 0}}, -1},  // needs a row exchange
  };
  for (const Case& c : cases) {
    const TDeterminant d = matrixOf(c.rows).mydet();
    EXPECT_NEAR_REL(d.Eval(), c.det, 1e-17L);
    EXPECT_EQ(d.EvalByExpansion(), c.det);
    EXPECT_NEAR_REL(matrixOf(c.rows).mydetEval(), c.det, 1e-17L);
  }
  EXPECT_EQ(TDeterminant(0).Eval(), 1);  // the empty product
  EXPECT_EQ(errorText([] { TDeterminant(0).EvalByExpansion(); }), "List index out of bounds (0)");
}

// The elimination gives the literal expansion's determinant and adjugate up to rounding.
TEST(Determinant, EliminationAgreesWithCofactorsUpToOrderSix) {
  std::mt19937_64 gen(3);
  for (int n = 1; n <= 6; ++n) {
    for (int trial = 0; trial < 5; ++trial) {
      const TMatrix x = randomMatrix(n, gen);
      const long double expansion = x.mydet().EvalByExpansion();
      // Hadamard's bound, the product of the row lengths, is the scale of the rounding.
      long double bound = 1;
      for (int i = 0; i < n; ++i) {
        long double length = 0;
        for (int j = 0; j < n; ++j) length += x.a(i, j) * x.a(i, j);
        bound *= std::sqrt(length);
      }
      EXPECT_NEAR(static_cast<double>(x.mydetEval()), static_cast<double>(expansion),
                  static_cast<double>(1e-16L * bound))
          << n;
      TMatrix fast = x.Clone(), literal = x.Clone();
      fast.reverse();
      literal.reverseByCofactors();
      for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) EXPECT_NEAR_REL(fast.a(i, j), literal.a(i, j), 1e-13L) << n;
    }
  }
}

TEST(Matrix, InverseOfTheWorkedCase) {
  TMatrix x = matrixOf({{2, 1}, {1, 3}});
  x.reverse();
  const Rows expected = {{0.6L, -0.2L}, {-0.2L, 0.4L}};
  for (int i = 0; i < 2; ++i)
    for (int j = 0; j < 2; ++j) EXPECT_NEAR_REL(x.a(i, j), expected[i][j], 1e-18L);
  EXPECT_NEAR_REL(matrixOf({{2, 1}, {1, 3}}).Aij(0, 1), -1, 1e-18L);
  EXPECT_NEAR_REL(matrixOf({{1, 2, 3}, {4, 5, 6}, {7, 8, 10}}).Aij(1, 2), 6, 1e-17L);
  TMatrix one = matrixOf({{4}});
  one.reverse();
  EXPECT_EQ(one.a(0, 0), 0.25L);
}

// Singular matrices have a zero determinant and no inverse, whether the rows are equal, a row is
// zero, or a row is a combination of others that rounding would otherwise hide.
TEST(Matrix, SingularMatrices) {
  const Rows singular[] = {
      {{1, 2}, {2, 4}},
      {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}},
      {{0.1L, 0.2L, 0.3L}, {0.4L, 0.5L, 0.6L}, {0.5L, 0.7L, 0.9L}},
      {{1, 2, 3}, {0, 0, 0}, {4, 5, 6}},
  };
  for (const Rows& rows : singular) {
    EXPECT_EQ(matrixOf(rows).mydetEval(), 0);
    TMatrix x = matrixOf(rows);
    EXPECT_EQ(errorText([&] { x.reverse(); }), kDivByZero);
  }
  TMatrix x = matrixOf({{1, 2}, {2, 4}});
  EXPECT_EQ(errorText([&] { x.reverseByCofactors(); }), kDivByZero);
  // Far from singular however small: the test is relative to the rows.
  TMatrix small = matrixOf({{1e-30L, 0}, {0, 1e-30L}});
  small.reverse();
  EXPECT_NEAR_REL(small.a(1, 1), 1e30L, 1e-18L);
}

TEST(Matrix, ProductsSumsTransposeAndSizes) {
  TMatrix row = matrixOf({{1, 2, 3}});
  row.mul(matrixOf({{1, 0}, {0, 1}, {2, -1}}));
  EXPECT_EQ(rowsOf(row), (Rows{{7, -1}}));

  TMatrix t = matrixOf({{1, 2, 3}});
  t.transp();
  EXPECT_EQ(rowsOf(t), (Rows{{1}, {2}, {3}}));

  TMatrix s = matrixOf({{1, 2}, {3, 4}});
  s.add(matrixOf({{10, 20, 99}, {30, 40, 99}}));  // a larger operand is read over self's size
  EXPECT_EQ(rowsOf(s), (Rows{{11, 22}, {33, 44}}));
  s.sub(matrixOf({{1, 2}, {3, 4}}));
  s.mul(0.5L);
  EXPECT_EQ(rowsOf(s), (Rows{{5, 10}, {15, 20}}));
  s.mul(s);  // the operand may be the receiver itself
  EXPECT_EQ(rowsOf(s), (Rows{{175, 250}, {375, 550}}));

  EXPECT_EQ(rowsOf(TMatrix(2, 3, 1.5L)), (Rows{{1.5L, 1.5L, 1.5L}, {1.5L, 1.5L, 1.5L}}));
  TMatrix c(1, 1);
  c.Init(2, 1, -1);
  EXPECT_EQ(rowsOf(c), (Rows{{-1}, {-1}}));
  c.CleanUp();
  EXPECT_EQ(c.n(), 0);
  EXPECT_EQ(c.m(), 0);

  TMatrix bad = matrixOf({{1, 2, 3}});
  EXPECT_EQ(errorText([&] {
              bad.mul(matrixOf({{1, 2}}));
            }),
            "Matrix sizes do not fit: product of 1 x 3 and 1 x 2.");
  EXPECT_EQ(errorText([&] {
              bad.add(matrixOf({{1, 2}}));
            }),
            "Matrix sizes do not fit: sum of 1 x 3 and 1 x 2.");
  EXPECT_EQ(errorText([&] { bad.reverse(); }),
            "Matrix sizes do not fit: inverse of 1 x 3, which is not square.");
  EXPECT_EQ(errorText([] {
              TMatrix big = matrixOf({{1e4000L}});
              big.mul(1e4000L);
            }),
            test::kOverflow);
}

TEST(Matrix, CrossProductsAreTheProductOfTheTransposeWithTheMatrix) {
  std::mt19937_64 gen(8);
  std::uniform_real_distribution<double> d(-3, 3);
  constexpr int kRows = 1500, kColumns = 7;  // several blocks and a remainder of columns
  std::vector<std::vector<long double>> columns(kColumns, std::vector<long double>(kRows));
  TMatrix X(kRows, kColumns);
  for (int j = 0; j < kColumns; ++j)
    for (int l = 0; l < kRows; ++l) X.a(l, j) = columns[j][l] = d(gen);
  std::vector<const long double*> pointers;
  for (const auto& c : columns) pointers.push_back(c.data());
  TMatrix product = X.Clone();
  product.transp();
  product.mul(X);
  // The same sums in the same order: equal to the last bit.
  EXPECT_EQ(rowsOf(crossProducts(pointers, kRows)), rowsOf(product));
}

TEST(Determinant, BlockCopyBothWays) {
  TDeterminant small(2);
  small.a(0, 0) = 1;
  small.a(0, 1) = 2;
  small.a(1, 0) = 3;
  small.a(1, 1) = 4;
  TDeterminant big(3);
  big.Init(small, 1, 0);  // small goes whole into big with its corner at row 1
  EXPECT_EQ(big.data(), (std::vector<long double>{0, 0, 0, 1, 2, 0, 3, 4, 0}));
  TDeterminant part(2);
  part.Init(big, 1, 0);  // part is filled from big from row 1 on
  EXPECT_EQ(part.data(), small.data());
  EXPECT_EQ(errorText([&] { big.Init(small, 2, 0); }), "List index out of bounds (3)");
}

JacobiMatrix oneBased(const std::vector<std::vector<double>>& rows) {
  const size_t n = rows.size();
  JacobiMatrix a(n + 1, JacobiVector(n + 1, 0.0));
  for (size_t i = 0; i < n; ++i)
    for (size_t j = 0; j < n; ++j) a[i + 1][j + 1] = rows[i][j];
  return a;
}

// One rotation with theta = 0: t = 1, c = s = 1/sqrt(2); the second sweep finds nothing left.
TEST(Jacobi, TwoByTwo) {
  const JacobiMatrix a = oneBased({{2, 1}, {1, 2}});
  JacobiVector d;
  JacobiMatrix v, test;
  ASSERT_TRUE(JacobyEigenValuesAndVectors(a, 2, d, v, test));
  EXPECT_NEAR(d[1], 1, 1e-15);
  EXPECT_NEAR(d[2], 3, 1e-15);
  const double h = 1 / std::sqrt(2.0);
  EXPECT_NEAR(v[1][1], h, 1e-15);  // column 1: (1, -1) / sqrt(2) for the eigenvalue 1
  EXPECT_NEAR(v[2][1], -h, 1e-15);
  EXPECT_NEAR(v[1][2], h, 1e-15);  // column 2: (1, 1) / sqrt(2) for 3
  EXPECT_NEAR(v[2][2], h, 1e-15);
  EXPECT_EQ(test, a);
  EXPECT_EQ(a, oneBased({{2, 1}, {1, 2}}));  // the input is not changed
}

TEST(Jacobi, DiagonalMatrixIsDoneAtOnce) {
  const JacobiMatrix a = oneBased({{3, 0, 0}, {0, -1, 0}, {0, 0, 2}});
  JacobiVector d;
  JacobiMatrix v, test;
  ASSERT_TRUE(JacobyEigenValuesAndVectors(a, 3, d, v, test));
  EXPECT_EQ(d, (JacobiVector{0, 3, -1, 2}));
  EXPECT_EQ(v, oneBased({{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}));
}

// A dense symmetric matrix: A v_j = d_j v_j, and the v_j are orthonormal.
TEST(Jacobi, EigenPairsOfADenseMatrix) {
  const std::vector<std::vector<double>> rows = {
      {4, 1, -2, 2}, {1, 2, 0, 1}, {-2, 0, 3, -2}, {2, 1, -2, -1}};
  JacobiVector d;
  JacobiMatrix v, test;
  ASSERT_TRUE(JacobyEigenValuesAndVectors(oneBased(rows), 4, d, v, test));
  for (int j = 1; j <= 4; ++j) {
    for (int i = 1; i <= 4; ++i) {
      double av = 0;
      for (int k = 1; k <= 4; ++k) av += rows[i - 1][k - 1] * v[k][j];
      EXPECT_NEAR(av, d[j] * v[i][j], 1e-13);
    }
    for (int other = 1; other <= 4; ++other) {
      double dot = 0;
      for (int k = 1; k <= 4; ++k) dot += v[k][j] * v[k][other];
      EXPECT_NEAR(dot, j == other ? 1 : 0, 1e-14);
    }
  }
  EXPECT_NEAR(d[1] + d[2] + d[3] + d[4], 8, 1e-13);  // the trace
}

TEST(Jacobi, MalformedInput) {
  JacobiVector d;
  JacobiMatrix v, test;
  EXPECT_EQ(errorText([&] { JacobyEigenValuesAndVectors(oneBased({{1}}), 2, d, v, test); }),
            "List index out of bounds (2)");
}

}  // namespace
}  // namespace statorium
