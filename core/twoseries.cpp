#include "core/twoseries.h"

#include <algorithm>
#include <cmath>

#include "core/checkseries.h"
#include "core/errors.h"
#include "core/fpfault.h"
#include "core/numtext.h"
#include "core/quantiles.h"
#include "core/ucriteria.h"

namespace statorium {

const char* const kNeedTwoSeries = "You need to have two series selected.";

namespace {

// t of the paired series: the differences of the first min(n1, n2) pairs.
long double pairedT(const TValues& first, const TValues& second) {
  const size_t n = std::min(first.data().size(), second.data().size());
  std::vector<long double> d(n);
  for (size_t i = 0; i < n; ++i) d[i] = first.data()[i] - second.data()[i];
  const TValues differences(std::move(d));
  const long double mean = differences.Average();
  const long double s = differences.AverageQuadratic();
  FpScope fp;
  // The small constant keeps t finite when every difference is the same.
  const long double t = std::sqrt(static_cast<long double>(n)) * mean / (s + 1e-7L);
  fp.check(t);
  return t;
}

long double independentT(const TValues& first, const TValues& second, long double s1,
                         long double s2) {
  const long double m1 = first.Average();
  const long double m2 = second.Average();
  FpScope fp;
  const long double n1 = first.count(), n2 = second.count();
  const long double t = (m1 - m2) / std::sqrt(s1 * s1 / n1 + s2 * s2 / n2);
  fp.check(t);
  return t;
}

}  // namespace

void TwoSeriesCheck(const TValues& first, const TValues& second, bool dependent,
                    std::vector<std::string>& uLines, std::vector<std::string>& normalLines) {
  const long double u = UCriteria(first, second);
  const long double u05 = U(0.05L);
  uLines.push_back("u = " + checkNumber(u));
  uLines.push_back("u(0.05) = " + checkNumber(u05));
  uLines.push_back(kCheckSeparator);
  uLines.push_back(std::fabs(u) <= u05 ? "Accepted. Series are similar."
                                       : "Rejected. Series are different.");

  const long double s1 = first.AverageQuadratic();
  const long double s2 = second.AverageQuadratic();
  // The ratio puts the larger variance on top, so its series gives the numerator's degrees of
  // freedom; taking them in list order would look up the quantile of another ratio.
  const bool firstLarger = s1 >= s2;
  const int dfTop = (firstLarger ? first.count() : second.count()) - 1;
  const int dfBottom = (firstLarger ? second.count() : first.count()) - 1;
  FpScope fp;
  const long double ratio = firstLarger ? s1 / s2 : s2 / s1;
  fp.check(ratio);  // before the quantile, whose own checks start afresh
  const long double f0 = f(0.05L, dfTop, dfBottom);
  const long double fValue = ratio * ratio;
  normalLines.push_back("f = " + checkNumber(fValue));
  normalLines.push_back("f(0.05," + std::to_string(dfTop) + "," + std::to_string(dfBottom) +
                        ") = " + checkNumber(f0));
  normalLines.push_back(kCheckSeparator);
  normalLines.push_back(fValue <= f0 ? "Accepted. D1 = D2." : "Rejected. D1 != D2.");
  normalLines.push_back("");
  const long double t = dependent ? pairedT(first, second) : independentT(first, second, s1, s2);
  normalLines.push_back("t = " + checkNumber(t));
  normalLines.push_back("t(0.05/2) = 1.96");
  normalLines.push_back(kCheckSeparator);
  normalLines.push_back(std::fabs(t) <= 1.96L ? "Accepted. m1 = m2." : "Rejected. m1 != m2.");
}

}  // namespace statorium
