#pragma once
// TMatrix: a dense matrix of extended reals with the in-place operations of the
// multi-dimensional analyses (products, sums, transpose, inverse, cofactors, determinant).

#include <cstddef>
#include <vector>

#include "core/determinant.h"
#include "core/progress.h"

namespace statorium {

/// An n x m matrix, element a(row, column) with both indexes from 0. The operations change the
/// matrix itself; matrices passed as arguments are not changed. Operands whose sizes do not fit
/// fail with an Error naming the sizes, and an arithmetic fault with its FloatError, so that no
/// infinity or NaN is left in a matrix.
class TMatrix {
 public:
  TMatrix() = default;
  /// An n2 x m2 matrix with every element v (zeros by default).
  TMatrix(int n2, int m2, long double v = 0);

  /// Number of rows.
  int n() const { return m_n; }
  /// Number of columns.
  int m() const { return m_m; }
  /// Element (row i, column j); the indexes are not checked.
  long double& a(int i, int j) { return m_a[static_cast<size_t>(i) * m_m + j]; }
  long double a(int i, int j) const { return m_a[static_cast<size_t>(i) * m_m + j]; }
  /// The elements row by row.
  const std::vector<long double>& data() const { return m_a; }

  /// (Re)allocates the matrix as n2 x m2 with every element v. Negative sizes fail with
  /// "List index out of bounds".
  void Init(int n2, int m2, long double v);
  /// Releases the elements; the matrix becomes 0 x 0.
  void CleanUp();
  /// An independent copy.
  TMatrix Clone() const { return *this; }

  /// self := self x b. Self's columns must equal b's rows; the result has self's rows and b's
  /// columns. Each element sums its products in the order of the inner index.
  void mul(const TMatrix& b);
  /// Every element multiplied by x.
  void mul(long double x);
  /// self := self + b and self := self - b over self's n x m elements (b at least as large).
  void add(const TMatrix& b);
  void sub(const TMatrix& b);
  /// self := its transpose (n x m becomes m x n).
  void transp();

  /// The cofactor of element (ii, jj): (-1)^(ii + jj) times the determinant of the matrix without
  /// row ii and column jj (self square; order 1 gives 1).
  long double Aij(int ii, int jj) const;
  /// self := its inverse, by elimination (see TLUDecomposition). A non-square matrix fails with
  /// an Error; a singular one with "Floating point division by zero", as dividing the adjugate by
  /// its zero determinant would.
  void reverse();
  /// self := its inverse as the adjugate divided by the determinant, both by cofactor expansion.
  /// Its cost grows with the factorial of the order: it is kept to check reverse on small
  /// orders. A singular matrix fails with "Floating point division by zero".
  void reverseByCofactors();
  /// A new square array holding a copy of the n x n elements (self square).
  TDeterminant mydet() const;
  /// The determinant of the n x n elements (self square), as TDeterminant::Eval.
  long double mydetEval() const;

 private:
  void requireSquare(const char* operation) const;

  int m_n = 0;
  int m_m = 0;
  std::vector<long double> m_a;
};

/// The matrix of the sums s(i, j) = sum over l < count of columns[i][l] * columns[j][l]: X'X for
/// the data matrix X whose columns are given (count rows). Each sum adds its products in the
/// order of l, as the product of the transposed matrix with the matrix does, but the data matrix
/// is neither copied nor transposed and each sum is formed once for both halves. An overflow
/// fails with "Floating point overflow". The share of the rows done goes to `progress` (about a
/// hundred reports for many rows); a stop it asks for throws Cancelled.
TMatrix crossProducts(const std::vector<const long double*>& columns, int count,
                      const Progress& progress = {});

}  // namespace statorium
