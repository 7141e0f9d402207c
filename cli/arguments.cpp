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

std::string readFileAndOptions(
    const std::vector<std::string>& args,
    const std::function<bool(const std::string& name, ArgumentReader& in)>& option) {
  ArgumentReader in(args);
  std::optional<std::string> file;
  while (!in.done()) {
    const std::string a = in.next("argument");
    if (option(a, in)) continue;
    // "-1.5" is not an option: a file may be named like a negative number.
    if (a.size() > 1 && a[0] == '-' && !parseArgumentNumber(a))
      throw UsageError{"unknown option '" + a + "'"};
    if (file) throw UsageError{"unexpected argument '" + a + "'"};
    file = a;
  }
  if (!file) throw UsageError{"missing FILE"};
  return *file;
}

}  // namespace statorium::cli
