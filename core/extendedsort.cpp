#include "core/extendedsort.h"

#include "core/largearray.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

namespace statorium {

namespace {

// A long double occupies 16 bytes on this platform: the 80-bit value in bytes 0..9 (significand,
// then sign and exponent), padding after. The same slot is read as a 128-bit integer key.
static_assert(sizeof(long double) == 16, "x87 extended reals in 16-byte slots are assumed");
using Key = unsigned __int128 __attribute__((may_alias));

constexpr unsigned __int128 kMask80 = (static_cast<unsigned __int128>(1) << 80) - 1;
constexpr unsigned __int128 kSign = static_cast<unsigned __int128>(1) << 79;

// Order-preserving map of the 80-bit pattern to an unsigned integer: positive values get their
// sign bit set so they sort above negatives, negative values are inverted so that a larger
// magnitude sorts lower.
inline unsigned __int128 toKey(unsigned __int128 bits) {
  bits &= kMask80;
  return (bits & kSign) ? (~bits & kMask80) : (bits | kSign);
}

inline unsigned __int128 fromKey(unsigned __int128 key) {
  return (key & kSign) ? (key & ~kSign) : (~key & kMask80);
}

// Least-significant-digit radix sort of the 10-byte keys, one byte a pass; a pass whose byte
// is the same in every key changes nothing and is skipped. Linear in n, unlike comparison sorts,
// at the price of one buffer of the same size.
void radixSort(Key* keys, size_t n) {
  constexpr int kDigits = 10;
  std::vector<std::array<size_t, 256>> counts(kDigits);
  for (auto& c : counts) c.fill(0);
  for (size_t i = 0; i < n; ++i) {
    const unsigned __int128 k = keys[i];
    for (int d = 0; d < kDigits; ++d) ++counts[d][static_cast<uint8_t>(k >> (8 * d))];
  }
  std::vector<unsigned __int128> buffer;
  resizeLarge(buffer, n);
  Key* from = keys;
  Key* to = reinterpret_cast<Key*>(buffer.data());
  for (int d = 0; d < kDigits; ++d) {
    std::array<size_t, 256>& c = counts[d];
    if (c[static_cast<uint8_t>(from[0] >> (8 * d))] == n) continue;
    size_t sum = 0;
    for (size_t& v : c) {
      const size_t here = v;
      v = sum;
      sum += here;
    }
    for (size_t i = 0; i < n; ++i) {
      const unsigned __int128 k = from[i];
      to[c[static_cast<uint8_t>(k >> (8 * d))]++] = k;
    }
    std::swap(from, to);
  }
  if (from != keys) std::copy(from, from + n, keys);
}

}  // namespace

void sortExtended(std::vector<long double>& values) {
  Key* keys = reinterpret_cast<Key*>(values.data());
  const size_t n = values.size();
  for (size_t i = 0; i < n; ++i) keys[i] = toKey(keys[i]);
  // Below a few thousand values the comparison sort is quicker than ten counting passes.
  if (n < 4096)
    std::sort(keys, keys + n);
  else
    radixSort(keys, n);
  for (size_t i = 0; i < n; ++i) keys[i] = fromKey(keys[i]);
}

}  // namespace statorium
