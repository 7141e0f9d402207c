#include "core/largearray.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace statorium {

void adviseHugePages(void* data, size_t bytes) {
#ifdef MADV_HUGEPAGE
  constexpr size_t kHuge = size_t{2} << 20;
  if (bytes < 2 * kHuge) return;
  // Only whole huge pages inside the range can be advised.
  const uintptr_t begin = (reinterpret_cast<uintptr_t>(data) + kHuge - 1) & ~(kHuge - 1);
  const uintptr_t end = (reinterpret_cast<uintptr_t>(data) + bytes) & ~(kHuge - 1);
  if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
  static_cast<void>(data);
  static_cast<void>(bytes);
#endif
}

}  // namespace statorium
