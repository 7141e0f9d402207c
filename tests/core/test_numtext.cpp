// Number texts: the general, fixed and file formats, and the two number conversions.

#include <gtest/gtest.h>
#include <locale.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "core/numtext.h"

namespace statorium {
namespace {

using L = std::numeric_limits<long double>;

// The text with every "." replaced by the separator.
std::string withSeparator(std::string text, char sep) {
  for (char& c : text)
    if (c == '.') c = sep;
  return text;
}

bool sameBits(long double a, long double b) {
  return std::memcmp(&a, &b, 10) == 0;
}

TEST(DecimalSeparator, ScopeSetsAndRestores) {
  EXPECT_EQ(decimalSeparator(), '.');
  {
    DecimalSeparatorScope comma(',');
    EXPECT_EQ(decimalSeparator(), ',');
    {
      DecimalSeparatorScope point('.');
      EXPECT_EQ(decimalSeparator(), '.');
    }
    EXPECT_EQ(decimalSeparator(), ',');
  }
  EXPECT_EQ(decimalSeparator(), '.');
}

TEST(DecimalSeparator, ComesFromTheEnvironmentLocale) {
  const char* saved = std::getenv("LC_ALL");
  const std::string restore = saved ? saved : "";
  ::setenv("LC_ALL", "C", 1);
  EXPECT_EQ(environmentDecimalSeparator(), '.');
  ::setenv("LC_ALL", "xx_NOWHERE.UTF-8", 1);  // unknown: the point
  EXPECT_EQ(environmentDecimalSeparator(), '.');
  ::setenv("LC_ALL", "de_DE.UTF-8", 1);
  locale_t german = newlocale(LC_NUMERIC_MASK, "de_DE.UTF-8", static_cast<locale_t>(nullptr));
  if (german != static_cast<locale_t>(nullptr)) {
    freelocale(german);
    EXPECT_EQ(environmentDecimalSeparator(), ',');
  }
  if (saved)
    ::setenv("LC_ALL", restore.c_str(), 1);
  else
    ::unsetenv("LC_ALL");
}

TEST(FormatGeneral, FifteenDigitsFixedInsideTheRangeExponentOutside) {
  const struct {
    long double v;
    const char* text;  // with "."
  } cases[] = {
      {0, "0"},
      {-0.0L, "0"},
      {0.05L, "0.05"},
      {-2.5L, "-2.5"},
      {100, "100"},
      {123456.789L, "123456.789"},
      {0.1L, "0.1"},
      {1.0L / 3, "0.333333333333333"},
      {2.0L / 3, "0.666666666666667"},
      {999999999999999.0L, "999999999999999"},
      {999999999999999.9L, "1E15"},
      {1e15L, "1E15"},
      {1234567890123456789.0L, "1.23456789012346E18"},
      {2e20L, "2E20"},
      {1e-5L, "0.00001"},
      {1.25e-5L, "0.0000125"},
      {9.99e-6L, "9.99E-6"},
      {1.5e-7L, "1.5E-7"},
      {-1.5e-7L, "-1.5E-7"},
      {1e100L, "1E100"},
      {1e-4000L, "1E-4000"},
      {L::max(), "1.18973149535723E4932"},
      {L::denorm_min(), "3.64519953188247E-4951"},
  };
  for (char sep : {'.', ','}) {
    DecimalSeparatorScope scope(sep);
    for (const auto& c : cases) EXPECT_EQ(formatGeneral(c.v), withSeparator(c.text, sep)) << c.text;
  }
}

TEST(FormatFixed, DecimalsRoundedToTenSignificantDigits) {
  const struct {
    long double v;
    int decimals;
    const char* text;  // with "."
  } cases[] = {
      {3.14159265L, 4, "3.1416"},
      {0, 4, "0.0000"},
      {-0.0L, 2, "0.00"},
      {-0.00001L, 4, "0.0000"},  // rounds to zero: no minus sign
      {-1234.5678L, 3, "-1234.568"},
      {99.99999L, 4, "100.0000"},
      {0.99999999999L, 4, "1.0000"},
      {123.456L, 0, "123"},
      {1234567890.4L, 0, "1234567890"},
      {0.000123456789012L, 4, "0.0001"},
      {1e-20L, 3, "0.000"},
      {1.23456789012345e-3L, 12, "0.001234567890"},
      // Places beyond the tenth significant digit are written as zeros.
      {1.23456789012345e-3L, 14, "0.00123456789000"},
      {1234567.891234L, 4, "1234567.8910"},
      {123456789.123456L, 4, "123456789.1000"},
      {9999999999.4L, 2, "9999999999.00"},
      // An integer part of more than ten digits switches to the exponent form.
      {9999999999.6L, 2, "1E10"},
      {12345678901.5L, 4, "1.23456789E10"},
      {-12345678901.0L, 0, "-1.23456789E10"},
      {2e20L, 4, "2E20"},
      {-5e15L, 3, "-5E15"},
  };
  for (char sep : {'.', ','}) {
    DecimalSeparatorScope scope(sep);
    for (const auto& c : cases)
      EXPECT_EQ(formatFixed(c.v, c.decimals), withSeparator(c.text, sep))
          << c.text << " with " << c.decimals << " decimals";
  }
}

TEST(FormatFixed, ManyDecimalsOfTinyValuesAreAllWritten) {
  for (long double v : {0.0L, 1e-300L, -1e-300L}) {
    const std::string text = formatFixed(v, 200);
    EXPECT_EQ(text, "0." + std::string(200, '0')) << static_cast<double>(v);
  }
  EXPECT_EQ(formatFixed(1e-200L, 210), "0." + std::string(199, '0') + "10000000000");
}

TEST(FormatFileField, TwentyThreeCharactersWithAPoint) {
  const struct {
    long double v;
    const char* text;
  } cases[] = {
      {1.5L, " 1.50000000000000E+0000"},
      {-0.00125L, "-1.25000000000000E-0003"},
      {0, " 0.00000000000000E+0000"},
      {-0.0L, " 0.00000000000000E+0000"},
      {1.0L / 3, " 3.33333333333333E-0001"},
      {999999.9999999999L, " 1.00000000000000E+0006"},
      {123456789012345678.0L, " 1.23456789012346E+0017"},
      {1e4000L, " 1.00000000000000E+4000"},
      {-L::denorm_min(), "-3.64519953188247E-4951"},
      {L::infinity(), "                   +Inf"},
      {-L::infinity(), "                   -Inf"},
      {L::quiet_NaN(), "                    Nan"},
  };
  DecimalSeparatorScope comma(',');  // never used by the file field
  for (const auto& c : cases) {
    EXPECT_EQ(formatFileField(c.v), c.text);
    EXPECT_EQ(formatFileField(c.v).size(), 23u);
  }
}

struct ParseCase {
  const char* text;  // with "." standing for the separator
  bool ok;
  long double value;
};

TEST(ParseLocaleNumber, AcceptsOnlyPlainNumbersInTheLocaleForm) {
  const ParseCase cases[] = {
      {" 1.5 ", true, 1.5L},
      {"\t-2e3\r", true, -2000},
      {"+.5", true, 0.5L},
      {"5.", true, 5},
      {"00012.5000", true, 12.5L},
      {"1E+0000000000003", true, 1000},
      {"-2.5e-1", true, -0.25L},
      {"1e4000", true, 1e4000L},
      {"-1e-4000", true, -1e-4000L},
      {"1e-5000", true, 0},  // underflow is silent
      {"12345678901234567890123", true, 12345678901234567890123.0L},
      {"", false, 0},
      {"   ", false, 0},
      {"abc", false, 0},
      {"1 000", false, 0},
      {"1e", false, 0},
      {"1e+", false, 0},
      {"e5", false, 0},
      {".", false, 0},
      {"-", false, 0},
      {"--1", false, 0},
      {"1.5.5", false, 0},
      {"0x10", false, 0},
      {"inf", false, 0},
      {"nan", false, 0},
      {"1e5000", false, 0},  // beyond the extended range
      {"-1e5000", false, 0},
      {"1.5x", false, 0},
  };
  for (char sep : {'.', ','}) {
    DecimalSeparatorScope scope(sep);
    for (const ParseCase& c : cases) {
      const std::string text = withSeparator(c.text, sep);
      long double v = 12345;
      EXPECT_EQ(parseLocaleNumber(text, v), c.ok) << text;
      if (c.ok) {
        EXPECT_EQ(v, c.value) << text;
      }
    }
  }
  // The other separator is no separator.
  long double v;
  {
    DecimalSeparatorScope comma(',');
    EXPECT_FALSE(parseLocaleNumber("1.5", v));
  }
  EXPECT_FALSE(parseLocaleNumber("1,5", v));
  // Negative zero keeps its sign.
  ASSERT_TRUE(parseLocaleNumber("-0", v));
  EXPECT_TRUE(std::signbit(v));
}

TEST(ParsePointNumber, AlwaysUsesThePointAndNoBlanks) {
  DecimalSeparatorScope comma(',');
  long double v = 0;
  EXPECT_TRUE(parsePointNumber("1.5", v));
  EXPECT_EQ(v, 1.5L);
  EXPECT_FALSE(parsePointNumber("1,5", v));
  EXPECT_FALSE(parsePointNumber(" 1.5", v));
  EXPECT_FALSE(parsePointNumber("1.5 ", v));
}

TEST(ParsePointToken, ReadsTheNumberUpToTheNextBlank) {
  const struct {
    const char* text;
    size_t length;  // 0: no number, the value is left alone
    long double value;
  } cases[] = {
      {"1.5", 3, 1.5L},
      {"1.5 2.5", 3, 1.5L},
      {"-2.5E-3\tremark", 7, -0.0025L},
      {"1e4000\r", 6, 1e4000L},
      {"12345678901234567890.5\n", 22, 12345678901234567890.5L},
      {"1.5x", 0, 0},
      {"1.5,", 0, 0},
      {"1,5", 0, 0},
      {"1e 5", 0, 0},
      {"abc", 0, 0},
      {"1e5000", 0, 0},
      {"", 0, 0},
  };
  DecimalSeparatorScope comma(',');  // the token always uses "."
  for (const auto& c : cases) {
    long double v = 77;
    EXPECT_EQ(parsePointToken(c.text, v), c.length) << c.text;
    EXPECT_EQ(v, c.length ? c.value : 77) << c.text;
  }
}

// Random decimal texts, from short ones that fit a 64-bit integer with a small power of ten to
// long ones with huge exponents, converted exactly as the C library converts them.
TEST(NumberParsing, AgreesWithStrtoldOnRandomTexts) {
  std::mt19937_64 rng(12345);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  int checked = 0;
  for (int i = 0; i < 200000; ++i) {
    const bool shortText = i % 2 == 0;
    const int digits = shortText ? pick(1, 19) : pick(20, 45);
    std::string mantissa;
    const int zeros = pick(0, 3) == 0 ? pick(1, 5) : 0;  // leading zeros now and then
    mantissa.append(static_cast<size_t>(zeros), '0');
    for (int d = 0; d < digits; ++d) mantissa.push_back(static_cast<char>('0' + pick(0, 9)));
    if (pick(0, 5) == 0) mantissa.append(static_cast<size_t>(pick(1, 8)), '0');  // trailing
    std::string text = pick(0, 1) ? "-" : "";
    const int point = pick(-1, static_cast<int>(mantissa.size()));
    if (point < 0) {
      text += mantissa;
    } else {
      text += mantissa.substr(0, point) + "." + mantissa.substr(point);
    }
    if (pick(0, 2) != 0) {
      const int exponent = shortText ? pick(-40, 40) : pick(-5000, 5000);
      text += pick(0, 1) ? 'e' : 'E';
      text += std::to_string(exponent);
    }
    char* end = nullptr;
    const long double expected = std::strtold(text.c_str(), &end);
    ASSERT_EQ(*end, '\0') << text;
    long double v = 0;
    const bool ok = parsePointNumber(text, v);
    if (std::isinf(expected)) {
      EXPECT_FALSE(ok) << text;
      continue;
    }
    ASSERT_TRUE(ok) << text;
    ASSERT_TRUE(sameBits(v, expected)) << text;
    DecimalSeparatorScope comma(',');
    long double w = 0;
    ASSERT_TRUE(parseLocaleNumber(withSeparator(text, ','), w)) << text;
    ASSERT_TRUE(sameBits(w, expected)) << text;
    long double t = 0;
    ASSERT_EQ(parsePointToken(text + " next", t), text.size()) << text;
    ASSERT_TRUE(sameBits(t, expected)) << text;
    ++checked;
  }
  EXPECT_GT(checked, 150000);
}

std::string decimalText(unsigned __int128 v) {
  std::string digits;
  do {
    digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(v % 10)));
    v /= 10;
  } while (v > 0);
  return digits;
}

// Integers exactly halfway between two neighbouring extended reals, and texts just below and
// just above them: the halfway text rounds to the even neighbour, the others to the nearer one.
TEST(NumberParsing, HalfwayCasesRoundLikeStrtold) {
  std::mt19937_64 rng(777);
  for (int i = 0; i < 2000; ++i) {
    // The neighbours m * 2^s and (m + 1) * 2^s, with a full 64-bit significand m.
    const uint64_t m = rng() | (uint64_t{1} << 63);
    const int s = 1 + static_cast<int>(rng() % 60);
    const unsigned __int128 half = (static_cast<unsigned __int128>(m) * 2 + 1) << (s - 1);
    const long double below = std::ldexp(static_cast<long double>(m), s);
    const long double above = std::ldexp(static_cast<long double>(m) + 1, s);
    const long double even = (m % 2 == 0) ? below : above;
    const struct {
      std::string text;
      long double value;
    } cases[] = {
        {decimalText(half), even},
        {decimalText(half) + ".0000000000000000000000001", above},
        {decimalText(half - 1) + ".9999999", below},
    };
    for (const auto& c : cases) {
      long double v = 0;
      ASSERT_TRUE(parsePointNumber(c.text, v)) << c.text;
      ASSERT_TRUE(sameBits(v, c.value)) << c.text;
      ASSERT_TRUE(sameBits(v, std::strtold(c.text.c_str(), nullptr))) << c.text;
    }
  }
}

}  // namespace
}  // namespace statorium
