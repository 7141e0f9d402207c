#pragma once
// The t-type comparison of an estimate with a reference value.

#include <string>

namespace statorium {

/// True when the estimate T does not differ from T0 at the level 0.05:
/// |T - T0| / sqrt(DT) <= 1.96, DT being the variance of T. DT = 0 fails with division by zero
/// (0/0, an invalid operation, when T = T0); DT < 0 with an invalid operation.
bool tTest(long double T, long double T0, long double DT);

/// (T - T0) / sqrt(DT) with 3 decimals and the user's decimal separator; fails as tTest.
std::string tTestStr(long double T, long double T0, long double DT);

/// The verdict "accepted 0.512" or "rejected -2.347": the word of tTest, a blank and tTestStr.
std::string tTestVerdict(long double T, long double T0, long double DT);

}  // namespace statorium
