#include "core/ttest.h"

#include <cmath>

#include "core/fpfault.h"
#include "core/numtext.h"

namespace statorium {

namespace {
long double tStatistic(long double T, long double T0, long double DT) {
  FpScope fp;
  return finiteOrThrow((T - T0) / std::sqrt(DT));
}
}  // namespace

bool tTest(long double T, long double T0, long double DT) {
  return std::fabs(tStatistic(T, T0, DT)) <= 1.96L;
}

std::string tTestStr(long double T, long double T0, long double DT) {
  return formatFixed(tStatistic(T, T0, DT), 3);
}

std::string tTestVerdict(long double T, long double T0, long double DT) {
  return std::string(tTest(T, T0, DT) ? "accepted" : "rejected") + " " + tTestStr(T, T0, DT);
}

}  // namespace statorium
