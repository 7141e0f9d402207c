#include "core/jacobi.h"

#include <cmath>

#include "core/errors.h"
#include "core/fpfault.h"

namespace statorium {

namespace {

// An element no larger than this share of the diagonal elements it couples is negligible.
constexpr double kNegligible = 100 * 5e-16;
constexpr int kSweeps = 50;

// The rotation of a pair of elements: both new values from the old ones.
inline void rot(double& x, double& y, double s, double tau) {
  const double g = x, h = y;
  x = g - s * (h + g * tau);
  y = h + s * (g - h * tau);
}

}  // namespace

bool JacobyEigenValuesAndVectors(const JacobiMatrix& a, int n, JacobiVector& d, JacobiMatrix& v,
                                 JacobiMatrix& test) {
  if (n < 0) throw listIndexError(n);
  if (a.size() < static_cast<size_t>(n) + 1) throw listIndexError(static_cast<long long>(a.size()));
  for (int i = 1; i <= n; ++i)
    if (a[i].size() < static_cast<size_t>(n) + 1) throw listIndexError(i);

  // The rotations work on a copy; the caller's matrix stays as it was.
  JacobiMatrix w(static_cast<size_t>(n) + 1, JacobiVector(static_cast<size_t>(n) + 1, 0.0));
  d.assign(static_cast<size_t>(n) + 1, 0.0);
  v.assign(static_cast<size_t>(n) + 1, JacobiVector(static_cast<size_t>(n) + 1, 0.0));
  test.assign(static_cast<size_t>(n) + 1, JacobiVector(static_cast<size_t>(n) + 1, 0.0));
  for (int i = 1; i <= n; ++i) {
    for (int j = 1; j <= n; ++j) {
      w[i][j] = a[i][j];
      test[i][j] = a[i][j];
    }
    v[i][i] = 1;
    d[i] = a[i][i];
  }

  FpScope fp;
  for (int sweep = 1; sweep <= kSweeps; ++sweep) {
    const bool ok = sweep != kSweeps;
    double sm = 0;
    for (int ip = 1; ip < n; ++ip)
      for (int iq = ip + 1; iq <= n; ++iq) sm += std::fabs(w[ip][iq]);
    if (sm == 0 || !ok) {
      fp.check(d, v, sm);
      return ok;
    }
    const double tresh = sweep < 4 ? 0.2 * sm / (static_cast<double>(n) * n) : 0.0;
    for (int ip = 1; ip < n; ++ip) {
      for (int iq = ip + 1; iq <= n; ++iq) {
        const double g = std::fabs(w[ip][iq]);
        if (sweep > 4 && g <= kNegligible * std::fabs(d[ip]) &&
            g <= kNegligible * std::fabs(d[iq])) {
          w[ip][iq] = 0;
        } else if (g > tresh) {
          double h = d[iq] - d[ip];
          double t;
          if (g <= kNegligible * std::fabs(h)) {
            t = w[ip][iq] / h;
          } else {
            const double theta = 0.5 * h / w[ip][iq];
            t = 1 / (std::fabs(theta) + std::sqrt(theta * theta + 1));
            if (theta < 0) t = -t;
          }
          const double c = 1 / std::sqrt(t * t + 1);
          const double s = t * c;
          const double tau = s / (1 + c);
          h = t * w[ip][iq];
          d[ip] -= h;
          d[iq] += h;
          w[ip][iq] = 0;
          for (int j = 1; j < ip; ++j) rot(w[j][ip], w[j][iq], s, tau);
          for (int j = ip + 1; j < iq; ++j) rot(w[ip][j], w[j][iq], s, tau);
          for (int j = iq + 1; j <= n; ++j) rot(w[ip][j], w[iq][j], s, tau);
          for (int j = 1; j <= n; ++j) rot(v[j][ip], v[j][iq], s, tau);
        }
      }
    }
  }
  return false;  // not reached: the last sweep returns above
}

}  // namespace statorium
