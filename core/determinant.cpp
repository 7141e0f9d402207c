#include "core/determinant.h"

#include <cfloat>
#include <cmath>
#include <utility>

#include "core/errors.h"
#include "core/fpfault.h"

namespace statorium {

namespace {

// Laplace expansion of the order-n array `a` (row by row) along its first column.
long double expand(const std::vector<long double>& a, int n) {
  if (n == 1) return a[0];
  if (n == 2) return a[0] * a[3] - a[1] * a[2];
  const int k = n - 1;
  // The minor without row 0 and column 0; before minor i its row i - 1 becomes row i - 1 of the
  // array, so that it always lacks exactly row i.
  std::vector<long double> minor(static_cast<size_t>(k) * k);
  for (int r = 1; r < n; ++r)
    for (int c = 1; c < n; ++c) minor[static_cast<size_t>(r - 1) * k + c - 1] = a[r * n + c];
  long double det = 0;
  for (int i = 0; i < n; ++i) {
    if (i > 0)
      for (int c = 1; c < n; ++c)
        minor[static_cast<size_t>(i - 1) * k + c - 1] = a[(i - 1) * n + c];
    const long double term = a[static_cast<size_t>(i) * n] * expand(minor, k);
    det += (i % 2 == 0) ? term : -term;
  }
  return det;
}

}  // namespace

TDeterminant::TDeterminant(int n2) {
  if (n2 < 0) throw listIndexError(n2);
  m_n = n2;
  m_a.assign(static_cast<size_t>(n2) * n2, 0.0L);
}

void TDeterminant::Init(const TDeterminant& s, int offsetI, int offsetJ) {
  if (offsetI < 0) throw listIndexError(offsetI);
  if (offsetJ < 0) throw listIndexError(offsetJ);
  if (m_n >= s.m_n) {
    if (offsetI + s.m_n > m_n) throw listIndexError(offsetI + s.m_n - 1);
    if (offsetJ + s.m_n > m_n) throw listIndexError(offsetJ + s.m_n - 1);
    for (int i = 0; i < s.m_n; ++i)
      for (int j = 0; j < s.m_n; ++j) a(i + offsetI, j + offsetJ) = s.a(i, j);
  } else {
    if (offsetI + m_n > s.m_n) throw listIndexError(offsetI + m_n - 1);
    if (offsetJ + m_n > s.m_n) throw listIndexError(offsetJ + m_n - 1);
    for (int i = 0; i < m_n; ++i)
      for (int j = 0; j < m_n; ++j) a(i, j) = s.a(i + offsetI, j + offsetJ);
  }
}

long double TDeterminant::Eval() const {
  return TLUDecomposition(m_a, m_n).determinant();
}

long double TDeterminant::EvalByExpansion() const {
  if (m_n == 0) throw listIndexError(0);
  FpScope fp;
  const long double det = expand(m_a, m_n);
  fp.check(det);
  return det;
}

TLUDecomposition::TLUDecomposition(std::vector<long double> a, int n)
    : m_n(n), m_lu(std::move(a)), m_perm(static_cast<size_t>(n)) {
  if (n < 0) throw listIndexError(n);
  if (m_lu.size() != static_cast<size_t>(n) * n) throw listIndexError(n);
  std::vector<long double> rowScale(static_cast<size_t>(n), 0.0L);
  for (int i = 0; i < n; ++i) {
    m_perm[i] = i;
    for (int j = 0; j < n; ++j)
      rowScale[i] = std::fmax(rowScale[i], std::fabs(m_lu[static_cast<size_t>(i) * n + j]));
  }
  // Rounding leaves a pivot of a singular array at a few epsilons of the row it came from.
  const long double tolerance = 8 * n * LDBL_EPSILON;
  FpScope fp;
  for (int k = 0; k < n; ++k) {
    int best = k;
    for (int i = k + 1; i < n; ++i)
      if (std::fabs(m_lu[static_cast<size_t>(i) * n + k]) >
          std::fabs(m_lu[static_cast<size_t>(best) * n + k]))
        best = i;
    if (best != k) {
      for (int j = 0; j < n; ++j)
        std::swap(m_lu[static_cast<size_t>(k) * n + j], m_lu[static_cast<size_t>(best) * n + j]);
      std::swap(m_perm[k], m_perm[best]);
      m_oddExchanges = !m_oddExchanges;
    }
    long double* rowK = &m_lu[static_cast<size_t>(k) * n];
    const long double pivot = rowK[k];
    if (std::fabs(pivot) <= tolerance * rowScale[m_perm[k]]) {
      // Nothing below can be eliminated with it; the remaining columns still decompose, but the
      // determinant is 0 whatever they give.
      m_singular = true;
      rowK[k] = 0;
      continue;
    }
    for (int i = k + 1; i < n; ++i) {
      long double* rowI = &m_lu[static_cast<size_t>(i) * n];
      const long double factor = rowI[k] / pivot;
      rowI[k] = factor;
      if (factor == 0) continue;
      for (int j = k + 1; j < n; ++j) rowI[j] -= factor * rowK[j];
    }
  }
  fp.check(m_lu);
  for (long double v : m_lu) finiteOrThrow(v);
}

long double TLUDecomposition::determinant() const {
  if (m_singular) return 0;
  FpScope fp;
  long double det = m_oddExchanges ? -1 : 1;
  for (int k = 0; k < m_n; ++k) det *= m_lu[static_cast<size_t>(k) * m_n + k];
  fp.check(det);
  return det;
}

std::vector<long double> TLUDecomposition::inverse() const {
  if (m_singular) throw FloatError(FloatError::Kind::DivideByZero);
  const int n = m_n;
  std::vector<long double> inv(static_cast<size_t>(n) * n, 0.0L);
  std::vector<long double> x(static_cast<size_t>(n));
  FpScope fp;
  for (int col = 0; col < n; ++col) {
    // Solves A x = e_col: L y = P e_col forward, then U x = y backward.
    for (int i = 0; i < n; ++i) {
      long double s = m_perm[i] == col ? 1 : 0;
      const long double* row = &m_lu[static_cast<size_t>(i) * n];
      for (int j = 0; j < i; ++j) s -= row[j] * x[j];
      x[i] = s;
    }
    for (int i = n - 1; i >= 0; --i) {
      const long double* row = &m_lu[static_cast<size_t>(i) * n];
      long double s = x[i];
      for (int j = i + 1; j < n; ++j) s -= row[j] * x[j];
      x[i] = s / row[i];
    }
    for (int i = 0; i < n; ++i) inv[static_cast<size_t>(i) * n + col] = x[i];
  }
  fp.check(inv);
  for (long double v : inv) finiteOrThrow(v);
  return inv;
}

}  // namespace statorium
