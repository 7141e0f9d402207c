#include "core/numtext.h"

#include <langinfo.h>
#include <locale.h>

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

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Exact powers of ten in the 64-bit significand: 10^27 = 2^27 * 5^27 and 5^27 < 2^63.
constexpr int kExactPow10 = 27;

long double pow10Exact(int k) {
  long double p = 1.0L;
  for (int i = 0; i < k; ++i) p *= 10.0L;
  return p;
}

// Parses sign, mantissa and exponent with the given separator; the whole text must match.
bool parseNumber(std::string_view s, char sep, long double& out) {
  size_t i = 0;
  const size_t n = s.size();
  bool negative = false;
  if (i < n && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  uint64_t mantissa = 0;
  int significant = 0;  // digits collected into mantissa
  int dropped = 0;      // integer digits beyond 19 (each adds a power of ten)
  int fractionDigits = 0;
  bool anyDigit = false;
  bool exact = true;
  std::string normalized;  // for the slow path: digits '.' digits
  normalized.reserve(n + 8);
  if (negative) normalized.push_back('-');
  while (i < n && isDigit(s[i])) {
    anyDigit = true;
    normalized.push_back(s[i]);
    const int digit = s[i] - '0';
    if (significant == 0 && digit == 0) {
      // leading zero: nothing to collect
    } else if (significant < 19) {
      mantissa = mantissa * 10 + digit;
      ++significant;
    } else {
      ++dropped;
      if (digit != 0) exact = false;
    }
    ++i;
  }
  if (i < n && s[i] == sep) {
    ++i;
    normalized.push_back('.');
    while (i < n && isDigit(s[i])) {
      anyDigit = true;
      normalized.push_back(s[i]);
      const int digit = s[i] - '0';
      if (significant == 0 && digit == 0) {
        ++fractionDigits;
      } else if (significant < 19) {
        mantissa = mantissa * 10 + digit;
        ++significant;
        ++fractionDigits;
      } else if (digit != 0) {
        exact = false;
      }
      ++i;
    }
  }
  if (!anyDigit) return false;
  long exponent = 0;
  if (i < n && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    bool expNegative = false;
    if (i < n && (s[i] == '+' || s[i] == '-')) expNegative = s[i++] == '-';
    if (i >= n || !isDigit(s[i])) return false;
    while (i < n && isDigit(s[i])) {
      if (exponent < 1000000) exponent = exponent * 10 + (s[i] - '0');
      ++i;
    }
    if (expNegative) exponent = -exponent;
  }
  if (i != n) return false;

  const long scale = exponent + dropped - fractionDigits;
  if (exact && mantissa == 0) {
    out = negative ? -0.0L : 0.0L;
    return true;
  }
  if (exact && scale >= -kExactPow10 && scale <= kExactPow10) {
    // Both operands are exact, so one multiplication or division rounds correctly.
    const long double m = static_cast<long double>(mantissa);
    long double v = scale >= 0 ? m * pow10Exact(static_cast<int>(scale))
                               : m / pow10Exact(static_cast<int>(-scale));
    out = negative ? -v : v;
    return true;
  }
  normalized.push_back('e');
  normalized += std::to_string(exponent);
  errno = 0;
  char* end = nullptr;
  const long double v = strtold_l(normalized.c_str(), &end, cLocale());
  if (std::isinf(v) || std::isnan(v)) return false;
  out = v;
  return true;
}

}  // namespace

char decimalSeparator() { return g_separator; }

void setDecimalSeparator(char separator) { g_separator = separator; }

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
  if (v != 0 && sig.exponent >= kPrecision)
    return (sig.negative ? "-" : "") + exponentForm(stripZeros(sig.digits), sig.exponent,
                                                    g_separator);
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
    char buf[160];
    {
      CLocaleScope scope;
      std::snprintf(buf, sizeof buf, "%.*Lf", decimals, std::fabs(v));
    }
    body = buf;
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

}  // namespace statorium
