#pragma once
// Ascending sort of extended reals by their bit patterns, which is several times faster than
// comparing them as floating-point numbers.

#include <vector>

namespace statorium {

/// Sorts finite extended reals ascending in place (-0 before +0; equal values in any order).
void sortExtended(std::vector<long double>& values);

}  // namespace statorium
