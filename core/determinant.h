#pragma once
// TDeterminant: a square array of extended reals and its determinant, and the LU decomposition
// that evaluates determinants and inverses of the multi-dimensional analyses.

#include <cstddef>
#include <vector>

namespace statorium {

/// A square array a(i, j) of order n, both indexes from 0.
class TDeterminant {
 public:
  TDeterminant() = default;
  /// An n2 x n2 array of zeros; a negative order fails with "List index out of bounds".
  explicit TDeterminant(int n2);

  /// The order.
  int n() const { return m_n; }
  /// Element (row i, column j); the indexes are not checked.
  long double& a(int i, int j) { return m_a[static_cast<size_t>(i) * m_n + j]; }
  long double a(int i, int j) const { return m_a[static_cast<size_t>(i) * m_n + j]; }
  /// The elements row by row.
  const std::vector<long double>& data() const { return m_a; }

  /// Block copy. When self is at least as large as s, s goes whole into self with its corner at
  /// (offsetI, offsetJ); otherwise self is filled from s starting at (offsetI, offsetJ). A block
  /// reaching past either array fails with "List index out of bounds".
  void Init(const TDeterminant& s, int offsetI, int offsetJ);

  /// The determinant, by elimination with partial pivoting in extended precision (order n^3).
  /// A numerically singular array (see TLUDecomposition) gives exactly 0; order 0 gives 1, the
  /// empty product.
  long double Eval() const;

  /// The same determinant by the Laplace expansion along the first column, recursively, with one
  /// scratch array per level reused from minor to minor. Its cost grows with the factorial of
  /// the order: it is kept to check Eval on small orders. Order 0 fails with
  /// "List index out of bounds (0)".
  long double EvalByExpansion() const;

 private:
  int m_n = 0;
  std::vector<long double> m_a;
};

/// The decomposition P A = L U of a square array with partial pivoting, in extended precision.
/// A pivot no larger than 8 n epsilon times the largest element of its original row is taken as
/// zero: below that the elimination cannot tell the array from a singular one, and a singular
/// array (identical rows, a zero row, a row that is a combination of others up to rounding)
/// then gives a zero determinant and no inverse, instead of the huge quotients of its rounding.
class TLUDecomposition {
 public:
  /// Decomposes the n x n array `a` given row by row.
  TLUDecomposition(std::vector<long double> a, int n);

  int n() const { return m_n; }
  bool singular() const { return m_singular; }
  /// The determinant: the product of the pivots with the sign of the row exchanges; exactly 0
  /// when singular.
  long double determinant() const;
  /// The inverse, row by row. A singular array fails with "Floating point division by zero",
  /// as the adjugate divided by a zero determinant would; an inverse beyond the extended range
  /// with "Floating point overflow".
  std::vector<long double> inverse() const;

 private:
  int m_n;
  std::vector<long double> m_lu;  // L below the diagonal (unit diagonal implied), U on and above
  std::vector<int> m_perm;        // row m_perm[i] of the original array is row i of P A
  bool m_oddExchanges = false;
  bool m_singular = false;
};

}  // namespace statorium
