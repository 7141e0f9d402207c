#include "core/manyseries.h"

#include <algorithm>
#include <cmath>

#include "core/checkseries.h"
#include "core/errors.h"
#include "core/extendedsort.h"
#include "core/fpfault.h"
#include "core/numtext.h"
#include "core/quantiles.h"

namespace statorium {

const char* const kNeedTwoSeriesAtLeast = "You need to have two series selected at least.";

namespace {

struct SeriesMoments {
  long double n = 0;
  long double mean = 0;
  long double variance = 0;  // divisor n - 1
};

// Two passes per series: the deviations from the series' own mean keep the sums accurate when
// the values are large compared with their spread.
SeriesMoments momentsOf(const TValues& s) {
  SeriesMoments m;
  m.n = static_cast<long double>(s.count());
  FpScope fp;
  long double sum = 0;
  for (long double v : s.data()) sum += v;
  m.mean = sum / m.n;
  long double squares = 0;
  for (long double v : s.data()) squares += (v - m.mean) * (v - m.mean);
  m.variance = squares / (m.n - 1);
  fp.check(m.mean, m.variance);  // an empty series is 0/0; one value gives 0/0 too
  return m;
}

}  // namespace

long double HCriterion(const std::vector<TValues>& series) {
  std::vector<long double> pooled;
  size_t total = 0;
  for (const TValues& s : series) total += s.data().size();
  pooled.reserve(total);
  for (const TValues& s : series) pooled.insert(pooled.end(), s.data().begin(), s.data().end());
  sortExtended(pooled);

  // The distinct pooled values with the rank their run shares: S + (u + 1) / 2 for a run of u
  // equal values at positions S + 1 ... S + u.
  std::vector<long double> distinct, rank;
  for (size_t start = 0; start < pooled.size();) {
    size_t end = start + 1;
    while (end < pooled.size() && pooled[end] == pooled[start]) ++end;
    distinct.push_back(pooled[start]);
    rank.push_back(static_cast<long double>(start) + static_cast<long double>(end - start + 1) / 2);
    start = end;
  }

  const long double N = static_cast<long double>(total);
  FpScope fp;
  long double sum = 0;
  std::vector<long double> sorted;
  for (const TValues& s : series) {
    sorted.assign(s.data().begin(), s.data().end());
    sortExtended(sorted);
    long double R = 0;
    auto at = distinct.begin();
    for (long double v : sorted) {
      at = std::lower_bound(at, distinct.end(), v);
      R += rank[static_cast<size_t>(at - distinct.begin())];
    }
    const long double n = static_cast<long double>(sorted.size());
    const long double d = R / n - (N + 1) / 2;
    sum += n * d * d;
  }
  const long double H = 12 / (N * (N + 1)) * sum;
  fp.check(H);
  return H;
}

ManySeriesLines ManySeriesCheck(const std::vector<TValues>& series) {
  ManySeriesLines out;
  if (series.size() < 2) {
    out.bartlett.push_back(kNeedTwoSeriesAtLeast);
    out.variance.push_back(kNeedTwoSeriesAtLeast);
    out.rank.push_back(kNeedTwoSeriesAtLeast);
    return out;
  }
  const int k = static_cast<int>(series.size());
  std::vector<SeriesMoments> m;
  m.reserve(series.size());
  long long totalCount = 0;
  for (const TValues& s : series) {
    m.push_back(momentsOf(s));
    totalCount += s.count();
  }
  const long double N = static_cast<long double>(totalCount);
  const int dfWithin = static_cast<int>(totalCount - k);

  FpScope fp;
  // Bartlett's criterion.
  long double pooledSum = 0, grandSum = 0, inverseSum = 0, logSum = 0;
  for (size_t i = 0; i < m.size(); ++i) {
    pooledSum += (m[i].n - 1) * m[i].variance;
    grandSum += m[i].n * m[i].mean;
    inverseSum += 1 / (m[i].n - 1);
  }
  const long double s2 = pooledSum / (N - k);
  for (const SeriesMoments& mi : m) logSum += (mi.n - 1) * std::log(s2 / mi.variance);
  const long double C = 1 + (inverseSum - 1 / (N - k)) / (3 * (k - 1));
  const long double X2 = logSum / C;

  // One-way analysis of variance.
  const long double grandMean = grandSum / N;
  long double between = 0;
  for (const SeriesMoments& mi : m) between += mi.n * (mi.mean - grandMean) * (mi.mean - grandMean);
  const long double B = between / (k - 1);
  const long double F = B / s2;  // the within-series mean square is the pooled variance
  fp.check(s2, X2, F);

  const long double H = HCriterion(series);
  const long double chi = XX(0.05L, k - 1);
  const long double f0 = f(0.05L, k - 1, dfWithin);

  const std::string kText = std::to_string(k);
  out.bartlett = {"X^2 = " + checkNumber(X2),
                  "X^2(0.05," + std::to_string(k - 1) + ") = " + checkNumber(chi), kCheckSeparator,
                  X2 > chi ? std::string("Rejected. There is some Di != Dj.")
                           : "Accepted. D1 = D2 =... = D" + kText};
  out.variance = {
      "F = " + checkNumber(F),
      "F(0.05," + std::to_string(k - 1) + "," + std::to_string(dfWithin) + ") = " + checkNumber(f0),
      kCheckSeparator,
      F > f0 ? std::string("Rejected. There is mI != mJ.") : "Accepted. m1 = m2 =... = m" + kText};
  out.rank = {
      "H = " + checkNumber(H), "X^2(0.05," + std::to_string(k - 1) + ") = " + checkNumber(chi),
      kCheckSeparator,
      std::fabs(H) <= chi ? "Accepted. Series are similar." : "Rejected. Series are different."};
  return out;
}

}  // namespace statorium
