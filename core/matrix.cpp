#include "core/matrix.h"

#include <algorithm>
#include <string>
#include <utility>

#include "core/errors.h"
#include "core/fpfault.h"
#include "core/largearray.h"

namespace statorium {

namespace {

std::string sizeText(int n, int m) {
  return std::to_string(n) + " x " + std::to_string(m);
}

[[noreturn]] void sizesDoNotFit(const char* operation, const TMatrix& x, const TMatrix& b) {
  throw Error(std::string("Matrix sizes do not fit: ") + operation + " of " +
              sizeText(x.n(), x.m()) + " and " + sizeText(b.n(), b.m()) + ".");
}

// The elements of `x` without row `row` and column `column`, as a square array.
TDeterminant minorOf(const TMatrix& x, int row, int column) {
  const int k = x.n() - 1;
  TDeterminant minor(k);
  for (int i = 0, mi = 0; i <= k; ++i) {
    if (i == row) continue;
    for (int j = 0, mj = 0; j <= k; ++j) {
      if (j == column) continue;
      minor.a(mi, mj++) = x.a(i, j);
    }
    ++mi;
  }
  return minor;
}

}  // namespace

TMatrix::TMatrix(int n2, int m2, long double v) {
  Init(n2, m2, v);
}

void TMatrix::Init(int n2, int m2, long double v) {
  if (n2 < 0) throw listIndexError(n2);
  if (m2 < 0) throw listIndexError(m2);
  m_n = n2;
  m_m = m2;
  m_a.clear();
  // A data matrix of all observations can be large.
  resizeLarge(m_a, static_cast<size_t>(n2) * m2);
  std::fill(m_a.begin(), m_a.end(), v);
}

void TMatrix::CleanUp() {
  m_n = m_m = 0;
  std::vector<long double>().swap(m_a);
}

void TMatrix::mul(const TMatrix& b) {
  if (m_m != b.m_n) sizesDoNotFit("product", *this, b);
  if (&b == this) {
    const TMatrix copy = b;  // the result replaces the operand
    mul(copy);
    return;
  }
  const TMatrix x = std::move(*this);
  Init(x.m_n, b.m_m, 0);
  const int inner = b.m_n;
  FpScope fp;
  // Row by row of the result with the inner index outermost: every element still adds its
  // products in the order of the inner index, and both operands are read along their rows.
  for (int i = 0; i < m_n; ++i) {
    long double* out = &m_a[static_cast<size_t>(i) * m_m];
    const long double* xi = &x.m_a[static_cast<size_t>(i) * x.m_m];
    for (int k = 0; k < inner; ++k) {
      const long double f = xi[k];
      const long double* bk = &b.m_a[static_cast<size_t>(k) * b.m_m];
      for (int j = 0; j < m_m; ++j) out[j] += f * bk[j];
    }
  }
  fp.check(m_a);
}

void TMatrix::mul(long double x) {
  FpScope fp;
  for (long double& v : m_a) v *= x;
  fp.check(m_a);
}

void TMatrix::add(const TMatrix& b) {
  if (b.m_n < m_n || b.m_m < m_m) sizesDoNotFit("sum", *this, b);
  FpScope fp;
  for (int i = 0; i < m_n; ++i)
    for (int j = 0; j < m_m; ++j) a(i, j) += b.a(i, j);
  fp.check(m_a);
}

void TMatrix::sub(const TMatrix& b) {
  if (b.m_n < m_n || b.m_m < m_m) sizesDoNotFit("difference", *this, b);
  FpScope fp;
  for (int i = 0; i < m_n; ++i)
    for (int j = 0; j < m_m; ++j) a(i, j) -= b.a(i, j);
  fp.check(m_a);
}

void TMatrix::transp() {
  const TMatrix x = std::move(*this);
  Init(x.m_m, x.m_n, 0);
  for (int i = 0; i < m_n; ++i)
    for (int j = 0; j < m_m; ++j) a(i, j) = x.a(j, i);
}

void TMatrix::requireSquare(const char* operation) const {
  if (m_n != m_m)
    throw Error(std::string("Matrix sizes do not fit: ") + operation + " of " + sizeText(m_n, m_m) +
                ", which is not square.");
}

long double TMatrix::Aij(int ii, int jj) const {
  requireSquare("cofactor");
  if (ii < 0 || ii >= m_n) throw listIndexError(ii);
  if (jj < 0 || jj >= m_m) throw listIndexError(jj);
  const long double minor = minorOf(*this, ii, jj).Eval();
  return (ii + jj) % 2 == 0 ? minor : -minor;
}

void TMatrix::reverse() {
  requireSquare("inverse");
  m_a = TLUDecomposition(std::move(m_a), m_n).inverse();
}

void TMatrix::reverseByCofactors() {
  requireSquare("inverse");
  const TMatrix x = Clone();
  const long double d = x.mydet().EvalByExpansion();
  if (d == 0) throw FloatError(FloatError::Kind::DivideByZero);
  FpScope fp;
  for (int i = 0; i < m_n; ++i) {
    for (int j = 0; j < m_n; ++j) {
      // The cofactor of (j, i): the adjugate is the transposed matrix of cofactors.
      long double cofactor = 1;
      if (m_n > 1) {
        cofactor = minorOf(x, j, i).EvalByExpansion();
        if ((i + j) % 2 != 0) cofactor = -cofactor;
      }
      a(i, j) = cofactor / d;
    }
  }
  fp.check(m_a);
}

TDeterminant TMatrix::mydet() const {
  requireSquare("determinant");
  TDeterminant d(m_n);
  for (int i = 0; i < m_n; ++i)
    for (int j = 0; j < m_n; ++j) d.a(i, j) = a(i, j);
  return d;
}

long double TMatrix::mydetEval() const {
  requireSquare("determinant");
  return TLUDecomposition(m_a, m_n).determinant();
}

TMatrix crossProducts(const std::vector<const long double*>& columns, int count,
                      const Progress& progress) {
  const int p = static_cast<int>(columns.size());
  TMatrix s(p, p);
  // Blocks of observations small enough for the caches to hold every column's part; the sums
  // carry over from block to block, so each still runs over l in order. Four sums at a time keep
  // their additions from waiting on one another.
  constexpr int kBlock = 512;
  ProgressCounter counter(progress, count, std::max(kBlock, count / 100));
  FpScope fp;
  for (int start = 0; start < count; start += kBlock) {
    const int end = std::min(count, start + kBlock);
    for (int i = 0; i < p; ++i) {
      const long double* ci = columns[i];
      int j = i;
      for (; j + 4 <= p; j += 4) {
        const long double *c0 = columns[j], *c1 = columns[j + 1], *c2 = columns[j + 2],
                          *c3 = columns[j + 3];
        long double a0 = s.a(i, j), a1 = s.a(i, j + 1), a2 = s.a(i, j + 2), a3 = s.a(i, j + 3);
        for (int l = start; l < end; ++l) {
          const long double v = ci[l];
          a0 += v * c0[l];
          a1 += v * c1[l];
          a2 += v * c2[l];
          a3 += v * c3[l];
        }
        s.a(i, j) = a0;
        s.a(i, j + 1) = a1;
        s.a(i, j + 2) = a2;
        s.a(i, j + 3) = a3;
      }
      for (; j < p; ++j) {
        const long double* cj = columns[j];
        long double a = s.a(i, j);
        for (int l = start; l < end; ++l) a += ci[l] * cj[l];
        s.a(i, j) = a;
      }
    }
    counter.at(end);
  }
  for (int i = 0; i < p; ++i)
    for (int j = 0; j < i; ++j) s.a(i, j) = s.a(j, i);
  fp.check(s.data());
  return s;
}

}  // namespace statorium
