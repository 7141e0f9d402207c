#pragma once
// Reading a command's arguments: positional values and --options with their values.

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace statorium::cli {

/// Walks the arguments of one command; every problem is a UsageError.
class ArgumentReader {
 public:
  explicit ArgumentReader(const std::vector<std::string>& args) : m_args(args) {}

  bool done() const { return m_pos >= m_args.size(); }
  /// The next argument without consuming it.
  const std::string& peek() const { return m_args[m_pos]; }
  /// The next argument; `what` names it in the usage error when it is missing.
  std::string next(const std::string& what);
  /// The next argument as a whole number within [low, high].
  long long nextInteger(const std::string& what, long long low, long long high);
  /// The next argument as a real number ("." or the locale's separator).
  long double nextNumber(const std::string& what);

 private:
  const std::vector<std::string>& m_args;
  size_t m_pos = 0;
};

/// Reads the arguments of a command of the form "FILE [options]", options before or after FILE:
/// `option(name, in)` takes an option it knows (reading its values from `in`) and returns true.
/// Returns FILE. An unknown option, a second FILE or a missing FILE is a UsageError.
std::string readFileAndOptions(
    const std::vector<std::string>& args,
    const std::function<bool(const std::string& name, ArgumentReader& in)>& option);

/// A real number written with "." or with the locale's decimal separator.
std::optional<long double> parseArgumentNumber(const std::string& text);

}  // namespace statorium::cli
