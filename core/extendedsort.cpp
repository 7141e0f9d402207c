#include "core/extendedsort.h"

#include <algorithm>
#include <cstring>

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

}  // namespace

void sortExtended(std::vector<long double>& values) {
  Key* keys = reinterpret_cast<Key*>(values.data());
  const size_t n = values.size();
  for (size_t i = 0; i < n; ++i) keys[i] = toKey(keys[i]);
  std::sort(keys, keys + n);
  for (size_t i = 0; i < n; ++i) keys[i] = fromKey(keys[i]);
}

}  // namespace statorium
