#include "core/numtext.h"

#include <langinfo.h>
#include <locale.h>

#include <array>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace statorium {

namespace {

char g_separator = '.';

// The "C" locale, so that printf and strtold never see the user's separator.
locale_t cLocale() {
  static locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return loc;
}

class CLocaleScope {
 public:
  CLocaleScope() : m_old(uselocale(cLocale())) {}
  ~CLocaleScope() { uselocale(m_old); }

 private:
  locale_t m_old;
};

// Decimal digits of |v| rounded to `significant` digits, with the exponent of the first digit.
struct Decimal {
  std::string digits;  // exactly `significant` digits, the first non-zero (or all "0" for zero)
  int exponent = 0;    // v = 0.d1d2... * 10^(exponent + 1), i.e. d1 stands at 10^exponent
  bool negative = false;
};

Decimal toDecimal(long double v, int significant) {
  Decimal d;
  d.negative = std::signbit(v);
  char buf[128];
  {
    CLocaleScope scope;
    std::snprintf(buf, sizeof buf, "%.*Le", significant - 1, std::fabs(v));
  }
  // buf: d.ddddde[+-]xxxx
  const char* p = buf;
  while (*p && *p != 'e') {
    if (*p >= '0' && *p <= '9') d.digits.push_back(*p);
    ++p;
  }
  if (*p == 'e') d.exponent = std::atoi(p + 1);
  return d;
}

std::string stripZeros(std::string digits) {
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  return digits;
}

// "d.dddE[-]x" from significant digits (trailing zeros already dropped).
std::string exponentForm(const std::string& digits, int exponent, char sep) {
  std::string s(1, digits[0]);
  if (digits.size() > 1) {
    s.push_back(sep);
    s.append(digits, 1, std::string::npos);
  }
  s.push_back('E');
  s += std::to_string(exponent);
  return s;
}

std::string nonFinite(long double v) {
  if (std::isnan(v)) return "NAN";
  return v < 0 ? "-INF" : "INF";
}

// Exact powers of ten in the 64-bit significand: 10^27 = 2^27 * 5^27 and 5^27 < 2^63.
constexpr int kExactPow10 = 27;

long double pow10Exact(int k) {
  static const auto table = [] {
    std::array<long double, kExactPow10 + 1> t{};
    t[0] = 1.0L;
    for (int i = 1; i <= kExactPow10; ++i) t[i] = t[i - 1] * 10.0L;
    return t;
  }();
  return table[k];
}

// Parses sign, mantissa and exponent with the given separator; the whole text must match.
// Up to 19 significant digits are gathered into an integer; with a power of ten that is exact
// in the 64-bit significand, one rounding gives the correctly rounded value. Anything else goes
// to the C library's conversion.
// Eight ASCII digits at once (the well-known SWAR technique): whether the 8 bytes are all
// digits, and their value.
inline bool eightDigits(const char* p, uint64_t& value) {
  uint64_t v;
  std::memcpy(&v, p, 8);
  if ((((v + 0x4646464646464646ULL) | (v - 0x3030303030303030ULL)) & 0x8080808080808080ULL) != 0)
    return false;
  v -= 0x3030303030303030ULL;
  v = (v * 10) + (v >> 8);
  v = (((v & 0x000000FF000000FFULL) * (100 + (1000000ULL << 32))) +
       (((v >> 16) & 0x000000FF000000FFULL) * (1 + (10000ULL << 32)))) >>
      32;
  value = v;
  return true;
}

// Stops at the first character that cannot continue the number and leaves `stop` there.
bool parseNumberPrefix(std::string_view s, char sep, long double& out, const char*& stop) {
  const char* p = s.data();
  const char* const end = p + s.size();
  const char* const begin = p;
  bool negative = false;
  if (p < end && (*p == '+' || *p == '-')) negative = *p++ == '-';
  uint64_t mantissa = 0;
  int significant = 0;
  long scale = 0;  // value = mantissa * 10^scale (before the exponent)
  bool exact = true;
  const char* digitsStart = p;
  while (p < end && *p == '0') ++p;
  for (; p < end; ++p) {
    const unsigned d = static_cast<unsigned>(*p - '0');
    if (d > 9) break;
    if (significant < 19) {
      mantissa = mantissa * 10 + d;
      ++significant;
    } else {
      ++scale;
      exact &= d == 0;
    }
  }
  bool anyDigit = p > digitsStart;
  if (p < end && *p == sep) {
    ++p;
    const char* fractionStart = p;
    if (significant == 0) {
      for (; p < end && *p == '0'; ++p) --scale;
    }
    uint64_t eight;
    while (significant <= 11 && end - p >= 8 && eightDigits(p, eight)) {
      mantissa = mantissa * 100000000ULL + eight;
      significant += 8;  // leading zeros were skipped: every digit here is significant
      scale -= 8;
      p += 8;
    }
    for (; p < end; ++p) {
      const unsigned d = static_cast<unsigned>(*p - '0');
      if (d > 9) break;
      if (significant < 19) {
        mantissa = mantissa * 10 + d;
        ++significant;
        --scale;
      } else {
        exact &= d == 0;
      }
    }
    anyDigit |= p > fractionStart;
  }
  if (!anyDigit) return false;
  long exponent = 0;
  if (p < end && (*p == 'e' || *p == 'E')) {
    ++p;
    bool expNegative = false;
    if (p < end && (*p == '+' || *p == '-')) expNegative = *p++ == '-';
    if (p >= end || static_cast<unsigned>(*p - '0') > 9) return false;
    for (; p < end; ++p) {
      const unsigned d = static_cast<unsigned>(*p - '0');
      if (d > 9) break;
      if (exponent < 1000000) exponent = exponent * 10 + d;
    }
    if (expNegative) exponent = -exponent;
  }
  stop = p;
  if (mantissa == 0 && exact) {
    out = negative ? -0.0L : 0.0L;
    return true;
  }
  scale += exponent;
  if (exact && scale >= -kExactPow10 && scale <= kExactPow10) {
    const long double m = static_cast<long double>(mantissa);
    const long double v = scale >= 0 ? m * pow10Exact(static_cast<int>(scale))
                                     : m / pow10Exact(static_cast<int>(-scale));
    out = negative ? -v : v;
    return true;
  }
  // The slow path: the C library converts the validated text with "." as its separator.
  std::string normalized(begin, p);
  for (char& c : normalized)
    if (c == sep) c = '.';
  const long double v = strtold_l(normalized.c_str(), nullptr, cLocale());
  if (std::isinf(v) || std::isnan(v)) return false;
  out = v;
  return true;
}

bool parseNumber(std::string_view s, char sep, long double& out) {
  const char* stop = nullptr;
  long double v;
  if (!parseNumberPrefix(s, sep, v, stop) || stop != s.data() + s.size()) return false;
  out = v;
  return true;
}

}  // namespace

char decimalSeparator() {
  return g_separator;
}

void setDecimalSeparator(char separator) {
  g_separator = separator;
}

char environmentDecimalSeparator() {
  locale_t loc = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
  if (loc == static_cast<locale_t>(nullptr)) return '.';
  const char* radix = nl_langinfo_l(RADIXCHAR, loc);
  char sep = (radix && radix[0] && !radix[1]) ? radix[0] : '.';
  freelocale(loc);
  return sep;
}

std::string formatGeneral(long double v) {
  if (!std::isfinite(v)) return nonFinite(v);
  if (v == 0) return "0";
  const Decimal d = toDecimal(v, 15);
  const std::string digits = stripZeros(d.digits);
  std::string s = d.negative ? "-" : "";
  if (d.exponent >= 15 || d.exponent < -5) return s + exponentForm(digits, d.exponent, g_separator);
  if (d.exponent >= 0) {
    const size_t intLen = static_cast<size_t>(d.exponent) + 1;
    if (digits.size() <= intLen) {
      s += digits;
      s.append(intLen - digits.size(), '0');
    } else {
      s.append(digits, 0, intLen);
      s.push_back(g_separator);
      s.append(digits, intLen, std::string::npos);
    }
  } else {
    s += '0';
    s.push_back(g_separator);
    s.append(static_cast<size_t>(-d.exponent - 1), '0');
    s += digits;
  }
  return s;
}

std::string formatFixed(long double v, int decimals) {
  if (!std::isfinite(v)) return nonFinite(v);
  if (decimals < 0) decimals = 0;
  const int kPrecision = 10;
  const Decimal sig = toDecimal(v, kPrecision);
  if (v != 0 && sig.exponent >= kPrecision) {
    std::string s = sig.negative ? "-" : "";
    s += exponentForm(stripZeros(sig.digits), sig.exponent, g_separator);
    return s;
  }
  std::string body;  // digits without sign, '.' as separator
  if (v != 0 && sig.exponent + 1 + decimals > kPrecision) {
    // Ten significant digits end before the last decimal: round there, pad with zeros.
    const int intLen = sig.exponent + 1;
    if (intLen > 0) {
      body = sig.digits.substr(0, intLen);
      body.push_back('.');
      body += sig.digits.substr(intLen);
    } else {
      body = "0.";
      body.append(static_cast<size_t>(-intLen), '0');
      body += sig.digits;
    }
    const size_t point = body.find('.');
    const size_t have = body.size() - point - 1;
    if (have < static_cast<size_t>(decimals)) body.append(decimals - have, '0');
    if (decimals == 0) body.pop_back();
  } else {
    // Up to ten integer digits, but a tiny value (or zero) may ask for any number of decimals.
    CLocaleScope scope;
    const long double a = std::fabs(v);
    const int length = std::snprintf(nullptr, 0, "%.*Lf", decimals, a);
    body.resize(length > 0 ? static_cast<size_t>(length) : 0);
    std::snprintf(body.data(), body.size() + 1, "%.*Lf", decimals, a);
  }
  bool allZero = true;
  for (char c : body)
    if (c != '0' && c != '.') allZero = false;
  std::string s = (std::signbit(v) && !allZero) ? "-" : "";
  for (char c : body) s.push_back(c == '.' ? g_separator : c);
  return s;
}

std::string formatFileField(long double v) {
  if (std::isnan(v)) return std::string(20, ' ') + "Nan";
  if (std::isinf(v)) return std::string(19, ' ') + (v < 0 ? "-Inf" : "+Inf");
  const Decimal d = toDecimal(v, 15);
  std::string s(1, d.negative && v != 0 ? '-' : ' ');
  s.push_back(d.digits[0]);
  s.push_back('.');
  s.append(d.digits, 1, std::string::npos);
  s.push_back('E');
  const int e = v == 0 ? 0 : d.exponent;
  s.push_back(e < 0 ? '-' : '+');
  char exp[16];
  std::snprintf(exp, sizeof exp, "%04d", e < 0 ? -e : e);
  s += exp;
  return s;
}

bool parseLocaleNumber(std::string_view text, long double& out) {
  size_t b = 0, e = text.size();
  while (b < e && static_cast<unsigned char>(text[b]) <= 32) ++b;
  while (e > b && static_cast<unsigned char>(text[e - 1]) <= 32) --e;
  return parseNumber(text.substr(b, e - b), g_separator, out);
}

bool parsePointNumber(std::string_view token, long double& out) {
  return parseNumber(token, '.', out);
}

size_t parsePointToken(std::string_view text, long double& out) {
  const char* stop = nullptr;
  long double v;
  if (!parseNumberPrefix(text, '.', v, stop)) return 0;
  const size_t used = static_cast<size_t>(stop - text.data());
  // The number must be the whole token: what follows it, if anything, is a blank.
  if (used < text.size() && static_cast<unsigned char>(text[used]) > 32) return 0;
  out = v;
  return used;
}

}  // namespace statorium
