#pragma once
// The pseudo-random source of the series generators: uniform numbers k / 1 000 000 for
// k = 0 ... 999 999, seeded from the clock or, for repeatable runs, from a given integer.

#include <cstdint>
#include <random>

namespace statorium {

class TRandomSource {
 public:
  /// A source seeded with `seed`: the same seed gives the same numbers.
  explicit TRandomSource(uint64_t seed) : m_engine(seed) {}
  /// A source seeded from the clock.
  static TRandomSource fromClock();

  /// The next uniform number, one of 0, 1/1 000 000, ..., 999 999/1 000 000.
  long double nextU() { return static_cast<long double>(m_draw(m_engine)) / 1000000.0L; }

 private:
  std::mt19937_64 m_engine;
  std::uniform_int_distribution<int> m_draw{0, 999999};
};

}  // namespace statorium
