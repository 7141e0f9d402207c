#include "cli/arguments.h"

#include <charconv>

#include "cli/cliapp.h"
#include "core/numtext.h"

namespace statorium::cli {

std::optional<long double> parseArgumentNumber(const std::string& text) {
  long double v;
  if (parsePointNumber(text, v) || parseLocaleNumber(text, v)) return v;
  return std::nullopt;
}

std::string ArgumentReader::next(const std::string& what) {
  if (done()) throw UsageError{"missing " + what};
  return m_args[m_pos++];
}

long long ArgumentReader::nextInteger(const std::string& what, long long low, long long high) {
  const std::string text = next(what);
  long long v = 0;
  const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || ptr != text.data() + text.size() || v < low || v > high)
    throw UsageError{"bad " + what + " '" + text + "'"};
  return v;
}

long double ArgumentReader::nextNumber(const std::string& what) {
  const std::string text = next(what);
  const std::optional<long double> v = parseArgumentNumber(text);
  if (!v) throw UsageError{"bad " + what + " '" + text + "'"};
  return *v;
}

}  // namespace statorium::cli
