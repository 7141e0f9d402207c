#include "core/ucriteria.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "core/extendedsort.h"
#include "core/fpfault.h"

namespace statorium {

long double UCriteria(const TValues& fileData1, const TValues& fileData2) {
  std::vector<long double> first = fileData1.data();
  std::vector<long double> second = fileData2.data();
  sortExtended(first);
  sortExtended(second);
  return UCriteriaSorted(first, second);
}

long double UCriteriaSorted(const std::vector<long double>& first,
                            const std::vector<long double>& second) {
  // twiceW = 2 W: for every value of the first sample, the values of the second below it count
  // twice and those equal to it once. below/notAbove only move forward as the values grow.
  uint64_t twiceW = 0;
  size_t below = 0, notAbove = 0;
  for (const long double x : first) {
    while (below < second.size() && second[below] < x) ++below;
    if (notAbove < below) notAbove = below;
    while (notAbove < second.size() && second[notAbove] <= x) ++notAbove;
    twiceW += below + notAbove;
  }
  FpScope fp;
  const long double n = first.size();
  const long double m = second.size();
  const long double W = static_cast<long double>(twiceW) / 2;
  return finiteOrThrow((W - n * m / 2) / std::sqrt(n * m * (n + m + 1) / 12));
}

}  // namespace statorium
