#pragma once
// The eigenvalues and eigenvectors of a symmetric matrix by Jacobi rotations, in 64-bit reals.

#include <vector>

namespace statorium {

/// A one-dimensional array indexed from 1; element 0 exists and holds nothing.
using JacobiVector = std::vector<double>;
/// A two-dimensional array indexed from 1 in both dimensions; row and column 0 hold nothing.
using JacobiMatrix = std::vector<std::vector<double>>;

/// Diagonalizes the symmetric matrix a[1..n][1..n] (only its upper triangle is read; a itself is
/// not changed). Sizes d to n + 1 and v, test to (n + 1) x (n + 1), then fills d[1..n] with the
/// eigenvalues in no particular order, v with the eigenvectors (column j, the elements v[k][j]
/// for k = 1..n, is the unit eigenvector of d[j]) and test with a copy of a.
///
/// Sweeps over the upper triangle rotate every element above a threshold (a fifth of the mean
/// off-diagonal magnitude in sweeps 1 to 3, zero from sweep 4 on); from sweep 5 on an element
/// negligible against both diagonal elements is set to zero. Returns true when the sum of the
/// off-diagonal magnitudes reaches exactly 0 within 49 sweeps, false otherwise (the outputs then
/// hold the state after the 49th sweep). a must have at least n + 1 rows of n + 1 elements;
/// otherwise the routine fails with "List index out of bounds".
bool JacobyEigenValuesAndVectors(const JacobiMatrix& a, int n, JacobiVector& d, JacobiMatrix& v,
                                 JacobiMatrix& test);

}  // namespace statorium
