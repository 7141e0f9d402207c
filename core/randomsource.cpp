#include "core/randomsource.h"

#include <chrono>

namespace statorium {

TRandomSource TRandomSource::fromClock() {
  return TRandomSource(
      static_cast<uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count()));
}

}  // namespace statorium
