#include "charts/numberpattern.h"

#include <charconv>
#include <cmath>

namespace statorium {

namespace {

bool isPlaceholder(char c) {
  return c == '0' || c == '#' || c == '.' || c == ',';
}

// The parts of a pattern: literal text around one number field.
struct Pattern {
  std::string prefix;
  std::string suffix;
  int minInteger = 0;    // '0's before the point
  bool grouped = false;  // a ',' before the point
  int minDecimals = 0;   // '0's after the point
  int maxDecimals = 0;   // '0's and '#'s after the point
};

Pattern parse(std::string_view text) {
  Pattern p;
  bool inField = false, fieldDone = false, afterPoint = false;
  char quote = 0;
  for (char c : text) {
    if (quote) {
      if (c == quote)
        quote = 0;
      else
        (inField || fieldDone ? p.suffix : p.prefix) += c;
      continue;
    }
    if (c == '\'' || c == '"') {
      quote = c;
      if (inField) {
        inField = false;
        fieldDone = true;
      }
      continue;
    }
    if (isPlaceholder(c) && !fieldDone) {
      inField = true;
      if (c == '.') {
        afterPoint = true;
      } else if (c == ',') {
        if (!afterPoint) p.grouped = true;
      } else if (afterPoint) {
        ++p.maxDecimals;
        if (c == '0') p.minDecimals = p.maxDecimals;
      } else if (c == '0') {
        ++p.minInteger;
      }
      continue;
    }
    if (inField) {
      inField = false;
      fieldDone = true;
    }
    (fieldDone ? p.suffix : p.prefix) += c;
  }
  return p;
}

// Shortest general form with up to 15 significant digits: "0.05", "1.5E20", "1E-7".
std::string general(double v, char decimalSeparator) {
  if (std::isnan(v)) return "NAN";
  if (std::isinf(v)) return v < 0 ? "-INF" : "INF";
  char buf[64];
  const char* end = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 15).ptr;
  std::string out;
  for (const char* c = buf; c != end; ++c) {
    if (*c == '.') {
      out += decimalSeparator;
    } else if (*c == 'e') {
      out += 'E';
      const char* e = c + 1;
      if (*e == '-') out += '-';
      if (*e == '+' || *e == '-') ++e;
      while (e + 1 != end && *e == '0') ++e;  // "e+07" -> "E7"
      out.append(e, static_cast<std::size_t>(end - e));
      break;
    } else {
      out += *c;
    }
  }
  return out;
}

}  // namespace

std::string formatNumberPattern(double v, std::string_view pattern, char decimalSeparator,
                                std::string_view groupSeparator) {
  if (pattern.empty() || !std::isfinite(v) || std::fabs(v) >= 1e15)
    return general(v, decimalSeparator);
  const Pattern p = parse(pattern);

  // Round |v| to the pattern's decimals; to_chars is exact and free of the C locale.
  char buf[64];
  const auto end =
      std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::fixed, p.maxDecimals)
          .ptr;
  const std::string_view digits(buf, static_cast<std::size_t>(end - buf));
  const std::size_t point = digits.find('.');
  std::string integer(digits.substr(0, point));
  std::string decimals(point == std::string_view::npos ? std::string_view()
                                                       : digits.substr(point + 1));
  while (static_cast<int>(decimals.size()) > p.minDecimals && decimals.back() == '0')
    decimals.pop_back();

  const bool zero = integer.find_first_not_of('0') == std::string::npos &&
                    decimals.find_first_not_of('0') == std::string::npos;
  integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size()));
  if (static_cast<int>(integer.size()) < p.minInteger)
    integer.insert(0, static_cast<std::size_t>(p.minInteger) - integer.size(), '0');

  std::string out;
  if (std::signbit(v) && !zero) out += '-';
  out += p.prefix;
  for (std::size_t i = 0; i < integer.size(); ++i) {
    if (p.grouped && i > 0 && (integer.size() - i) % 3 == 0) out += groupSeparator;
    out += integer[i];
  }
  if (!decimals.empty()) {
    out += decimalSeparator;
    out += decimals;
  }
  out += p.suffix;
  return out;
}

}  // namespace statorium
