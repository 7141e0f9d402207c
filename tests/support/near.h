#pragma once
// The one near-equality helper of the tests: relative tolerance for large magnitudes,
// absolute near zero.

#include <cmath>
#include <sstream>
#include <string>

namespace statorium::test {

inline bool near(long double actual, long double expected, long double tolerance = 1e-12L) {
  const long double scale = std::fmax(1.0L, std::fabs(expected));
  return std::fabs(actual - expected) <= tolerance * scale;
}

inline std::string describeNear(long double actual, long double expected) {
  std::ostringstream os;
  os.precision(21);
  os << "actual " << actual << ", expected " << expected;
  return os.str();
}

}  // namespace statorium::test

// EXPECT_NEAR_REL(actual, expected, tolerance): gtest assertion built on near().
#define EXPECT_NEAR_REL(actual, expected, tolerance)                      \
  EXPECT_TRUE(::statorium::test::near((actual), (expected), (tolerance))) \
      << ::statorium::test::describeNear((actual), (expected))
