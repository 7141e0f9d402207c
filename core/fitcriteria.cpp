#include "core/fitcriteria.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <functional>
#include <vector>

#include "core/fpfault.h"
#include "core/quantiles.h"

namespace statorium {

long double KolmogorovsDistance(const TVariants& variants, const TLaw& law,
                                const Progress& progress) {
  const std::vector<long double>& xs = variants.xs();
  const std::vector<int32_t>& ns = variants.ns();
  // In a series of distinct ascending variants Fn at variant k is the running share of the
  // frequencies up to k, which spares a search per variant; any other series asks Fn.
  const bool running = variants.m_Total > 0 &&
                       std::adjacent_find(xs.begin(), xs.end(), std::greater_equal<>()) == xs.end();
  const long double total = variants.m_Total;
  long double cumulative = 0;
  long double dMax = -1;
  long double previousF = 0;
  // The law's F is taken a block at a time, so that its fault checks run once per block.
  constexpr size_t kBlock = 4096;
  long double fs[kBlock];
  ProgressCounter counter(progress, static_cast<long long>(xs.size()), 16 * kBlock);
  for (size_t k = 0; k < xs.size(); ++k) {
    if (k % kBlock == 0) {
      counter.at(static_cast<long long>(k));
      law.Fvalues(xs.data() + k, std::min(kBlock, xs.size() - k), fs);
    }
    cumulative += ns[k];
    const long double e = running ? cumulative / total : variants.Fn(xs[k]);
    const long double fk = fs[k % kBlock];
    dMax = std::max(dMax, std::fabs(fk - e));
    if (k >= 1) dMax = std::max(dMax, std::fabs(previousF - e));
    previousF = fk;
  }
  return dMax;
}

long double KolmogorovsProbability(long double lambda, int32_t N) {
  FpScope fp;
  const long double n = N;
  const long double sqrtN = std::sqrt(n);
  const long double l2 = lambda * lambda;
  long double sum = 0;
  for (int k = 1; k <= 4; ++k) {
    const long double s = k % 2 == 0 ? 1 : -1;
    const long double k2 = k * k;
    const long double k3 = k2 * k;
    const long double k4 = k2 * k2;
    const long double f1 = k2 - (1 - s) / 2;
    const long double f2 = 5 * k2 + 22 - 7.5L * (1 - s);
    const long double B =
        1 - 2 * k3 / (3 * sqrtN) - (8 * k4 * l2 + k2 * l2 * (f1 - 4 * (f1 + 3))) / (18 * n) +
        (k2 * lambda / (27 * n * sqrtN)) * (f2 / 5 - 4 * k2 * l2 * (f2 + 45) / 15 + 8 * k4 * l2);
    sum += s * std::exp(-2 * k2 * l2) * B;
  }
  return finiteOrThrow(-2 * sum);
}

bool KolmogorovsCheck(const TVariants& variants, const TLaw& law, long double alpha,
                      const Progress& progress) {
  const long double dMax = KolmogorovsDistance(variants, law, progress);
  long double lambda;
  {
    FpScope fp;
    lambda = finiteOrThrow(std::sqrt(static_cast<long double>(variants.m_Total)) * dMax);
  }
  // Four terms of the series cannot describe the distribution for small lambda: the terms then
  // cancel and the probability comes out near 0, rejecting the closest fits. Below 0.3 the true
  // probability exceeds 0.9999, above every level that can be chosen, so such a fit is accepted.
  if (lambda < kKolmogorovSeriesFloor) return true;
  return alpha <= KolmogorovsProbability(lambda, variants.m_Total);
}

long double PearsonsStatistic(const TVariants& classes, const TLaw& law) {
  const std::vector<long double>& xs = classes.xs();
  const std::vector<int32_t>& ns = classes.ns();
  std::vector<long double> fs(xs.size());
  for (size_t i = 0; i < xs.size(); ++i) fs[i] = law.F(xs[i]);
  FpScope fp;
  const long double N = classes.m_Total;
  long double x2 = 0;
  for (size_t i = 1; i < xs.size(); ++i) {
    const long double e = (fs[i] - fs[i - 1]) * N;
    const long double d = ns[i - 1] - e;
    x2 += d * d / e;
  }
  return finiteOrThrow(x2);
}

bool PearsonsCheck(const TVariants& classes, const TLaw& law, long double alpha) {
  try {
    const long double x2 = PearsonsStatistic(classes, law);
    return x2 <= XX(alpha, classes.count() - law.paramCount() - 1);
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace statorium
