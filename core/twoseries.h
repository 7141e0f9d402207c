#pragma once
// The similarity check of two series: the rank U-criterion, and under the normal law the
// F-criterion of variances and the t-criterion of means (independent or paired series).

#include <string>
#include <vector>

#include "core/checkseries.h"
#include "core/values.h"

namespace statorium {

/// The line shown by both result lists when fewer than two series could be read.
extern const char* const kNeedTwoSeries;

/// Appends the U-criterion lines to `uLines`, then the F- and t-criterion lines to
/// `normalLines`. A series of fewer than two values, or of equal values, fails with a
/// floating-point error after the U-criterion lines are complete. The F-criterion's numerator
/// takes the degrees of freedom of the series with the larger variance.
void TwoSeriesCheck(const TValues& first, const TValues& second, bool dependent,
                    std::vector<std::string>& uLines, std::vector<std::string>& normalLines);

}  // namespace statorium
