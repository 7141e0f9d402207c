// The 10-byte extended real of the statobject file against the machine's own long double.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "core/extended80.h"

namespace statorium {
namespace {

using L = std::numeric_limits<long double>;

static_assert(L::digits == 64, "the tests compare with the x87 layout of long double");

// The first ten bytes of the native long double: the same layout as the file's.
void nativeBytes(long double v, uint8_t out[10]) {
  std::memcpy(out, &v, 10);
}

long double fromBytes(const uint8_t in[10]) {
  long double v = 0;
  std::memcpy(&v, in, 10);
  return v;
}

void expectSameAsNative(long double v) {
  uint8_t mine[10], native[10];
  encodeExtended80(v, mine);
  nativeBytes(v, native);
  ASSERT_EQ(std::memcmp(mine, native, 10), 0) << static_cast<double>(v);
  long double back = 1;
  ASSERT_TRUE(decodeExtended80(native, back));
  ASSERT_EQ(std::memcmp(&back, native, 10), 0) << static_cast<double>(v);
}

TEST(Extended80, KnownPatterns) {
  const struct {
    long double v;
    uint8_t bytes[10];
  } cases[] = {
      {1.5L, {0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x3F}},
      {2.5L, {0, 0, 0, 0, 0, 0, 0, 0xA0, 0x00, 0x40}},
      {3, {0, 0, 0, 0, 0, 0, 0, 0xC0, 0x00, 0x40}},
      {-1, {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0xBF}},
      {0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {-0.0L, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80}},
      {L::denorm_min(), {1, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    uint8_t out[10];
    encodeExtended80(c.v, out);
    EXPECT_EQ(std::memcmp(out, c.bytes, 10), 0) << static_cast<double>(c.v);
    long double back = 7;
    ASSERT_TRUE(decodeExtended80(c.bytes, back));
    EXPECT_EQ(std::signbit(back), std::signbit(c.v));
    EXPECT_EQ(back, c.v);
  }
}

TEST(Extended80, MatchesTheNativeLayoutOnRandomPatterns) {
  std::mt19937_64 rng(31337);
  for (int i = 0; i < 200000; ++i) {
    uint8_t bytes[10];
    const uint64_t significand = rng();
    const unsigned exponent = static_cast<unsigned>(rng() % 0x7FFF);  // never all ones
    const unsigned sign = static_cast<unsigned>(rng() & 1) << 15;
    // Normal numbers carry the integer bit; with a zero exponent it must be clear (denormal).
    const uint64_t integerBit = uint64_t{1} << 63;
    const uint64_t m = exponent == 0 ? significand & ~integerBit : significand | integerBit;
    std::memcpy(bytes, &m, 8);
    bytes[8] = static_cast<uint8_t>(exponent | sign);
    bytes[9] = static_cast<uint8_t>((exponent | sign) >> 8);
    expectSameAsNative(fromBytes(bytes));
  }
  for (long double v : {L::min(), L::max(), L::lowest(), L::denorm_min(), -L::denorm_min(),
                        L::min() - L::denorm_min(), 1e-4000L, 1e4000L, 0.1L})
    expectSameAsNative(v);
}

TEST(Extended80, DenormalsUseTheSmallestExponent) {
  for (int k = 0; k < 63; ++k) expectSameAsNative(std::ldexp(1.0L, -16445 + k));
}

TEST(Extended80, InfinitiesAndNaNsAreNoValues) {
  for (long double v : {L::infinity(), -L::infinity(), L::quiet_NaN(), -L::quiet_NaN()}) {
    uint8_t bytes[10];
    encodeExtended80(v, bytes);  // written in the machine's own pattern
    uint8_t native[10];
    nativeBytes(v, native);
    EXPECT_EQ(std::memcmp(bytes, native, 10), 0);
    long double back = 5;
    EXPECT_FALSE(decodeExtended80(bytes, back));
    EXPECT_EQ(back, 5);
  }
}

}  // namespace
}  // namespace statorium
