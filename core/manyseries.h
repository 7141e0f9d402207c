#pragma once
// The similarity check of any number of series: Bartlett's criterion of equal variances, the
// one-way analysis of variance of equal means and the Kruskal-Wallis H-criterion.

#include <string>
#include <vector>

#include "core/values.h"

namespace statorium {

/// The line shown by all three result lists when fewer than two series are checked.
extern const char* const kNeedTwoSeriesAtLeast;

/// The lines of the three result lists of one check.
struct ManySeriesLines {
  std::vector<std::string> bartlett;
  std::vector<std::string> variance;
  std::vector<std::string> rank;
};

/// Checks k >= 2 series at once. Every statistic is computed before any line is written, so a
/// series of fewer than two values or of equal values fails with a floating-point error and
/// gives no line at all. Fewer than two series give the "You need ..." line in each list.
ManySeriesLines ManySeriesCheck(const std::vector<TValues>& series);

/// The Kruskal-Wallis statistic 12 / (N (N + 1)) sum n_i (R_i / n_i - (N + 1) / 2)^2, where a run
/// of equal pooled values shares the mean of its positions as rank. Computed from sorted copies
/// in O(N log N). An empty series list or an empty series fails with an invalid operation.
long double HCriterion(const std::vector<TValues>& series);

}  // namespace statorium
