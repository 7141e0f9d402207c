#pragma once
// The rank statistic comparing two samples.

#include <vector>

#include "core/values.h"

namespace statorium {

/// The normalized rank (Mann-Whitney) statistic of two samples of n and m values:
/// (W - n m / 2) / sqrt(n m (n + m + 1) / 12), where W counts the pairs (i, j) with
/// fileData1[i] > fileData2[j] and a pair of equal values counts one half. Approximately
/// standard normal when both samples come from one distribution; two identical samples give 0.
/// Counted by sorting and merging, O((n + m) log(n + m)). An empty sample fails with an invalid
/// operation (0/0).
long double UCriteria(const TValues& fileData1, const TValues& fileData2);

/// UCriteria of two samples already sorted ascending, in O(n + m): for checks that compare
/// each sample with many others and sort each once.
long double UCriteriaSorted(const std::vector<long double>& first,
                            const std::vector<long double>& second);

}  // namespace statorium
