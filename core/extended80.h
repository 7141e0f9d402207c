#pragma once
// The 10-byte x87 extended real of the statobject file: 8 bytes of significand with its explicit
// integer bit, then 2 bytes of sign and 15-bit exponent (bias 16383), little-endian.

#include <cstdint>

namespace statorium {

/// Writes v into out[0..9]. An infinity is written as the x87 infinity and a NaN as the quiet
/// NaN (its payload is not kept); decodeExtended80 refuses both.
void encodeExtended80(long double v, uint8_t out[10]);

/// Reads the value in in[0..9] into v. Returns false for an infinity or NaN pattern, which no
/// valid file holds.
bool decodeExtended80(const uint8_t in[10], long double& v);

}  // namespace statorium
