#pragma once
// Reserving large arrays so that the system backs them with huge pages where it can: a sample
// of millions of values otherwise costs one page fault per 4 KiB on first touch, which on a
// virtual machine takes longer than the arithmetic done on the values.

#include <cstddef>
#include <vector>

namespace statorium {

/// Asks the system to back [data, data + bytes) with huge pages; does nothing for small ranges
/// or where the system does not offer them.
void adviseHugePages(void* data, size_t bytes);

/// v.reserve(n), advising huge pages for a large fresh buffer before anything touches it.
template <class T>
void reserveLarge(std::vector<T>& v, size_t n) {
  if (n <= v.capacity()) return;
  v.reserve(n);
  adviseHugePages(v.data() + v.size(), (v.capacity() - v.size()) * sizeof(T));
}

/// v.resize(n) through reserveLarge.
template <class T>
void resizeLarge(std::vector<T>& v, size_t n) {
  reserveLarge(v, n);
  v.resize(n);
}

}  // namespace statorium
