#include "core/extended80.h"

#include <cmath>

namespace statorium {

namespace {
constexpr int kBias = 16383;
constexpr int kMaxExponent = 0x7FFF;
}  // namespace

void encodeExtended80(long double v, uint8_t out[10]) {
  const bool negative = std::signbit(v);
  const long double a = std::fabs(v);
  uint64_t significand = 0;
  int exponent = 0;
  if (std::isinf(a)) {
    // The x87 patterns: the integer bit alone for an infinity, plus the quiet bit for a NaN.
    exponent = kMaxExponent;
    significand = uint64_t{1} << 63;
  } else if (std::isnan(a)) {
    exponent = kMaxExponent;
    significand = uint64_t{3} << 62;
  } else if (a != 0) {
    const int e = std::ilogb(a);  // a = 1.f * 2^e
    if (e >= 1 - kBias) {
      exponent = e + kBias;
      significand = static_cast<uint64_t>(std::ldexp(a, 63 - e));
    } else {
      // Denormal: exponent field 0, significand scaled by the smallest normal exponent.
      exponent = 0;
      significand = static_cast<uint64_t>(std::ldexp(a, 63 + kBias - 1));
    }
  }
  for (int i = 0; i < 8; ++i) out[i] = static_cast<uint8_t>(significand >> (8 * i));
  const unsigned top = static_cast<unsigned>(exponent) | (negative ? 0x8000u : 0u);
  out[8] = static_cast<uint8_t>(top & 0xFF);
  out[9] = static_cast<uint8_t>(top >> 8);
}

bool decodeExtended80(const uint8_t in[10], long double& v) {
  uint64_t significand = 0;
  for (int i = 0; i < 8; ++i) significand |= static_cast<uint64_t>(in[i]) << (8 * i);
  const unsigned top = static_cast<unsigned>(in[8]) | (static_cast<unsigned>(in[9]) << 8);
  const bool negative = (top & 0x8000u) != 0;
  const int exponent = static_cast<int>(top & 0x7FFFu);
  if (exponent == kMaxExponent) return false;
  // A zero exponent field means a denormal, scaled like the smallest normal exponent.
  const int e = exponent == 0 ? 1 - kBias : exponent - kBias;
  const long double a = std::ldexp(static_cast<long double>(significand), e - 63);
  v = negative ? -a : a;
  return true;
}

}  // namespace statorium
