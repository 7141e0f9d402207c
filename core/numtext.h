#pragma once
// Number texts: the three output formats and the two input conversions of the program.
// Every function here is independent of the C library's locale; the decimal separator is the
// one set with setDecimalSeparator (the apps set it from the user's locale at start).

#include <cstddef>
#include <string>
#include <string_view>

namespace statorium {

/// The decimal separator used by the locale-dependent functions below ('.' until set).
char decimalSeparator();
/// Sets the decimal separator for texts shown to and typed by the user.
void setDecimalSeparator(char separator);
/// The decimal separator of the environment's numeric locale (LC_ALL, LC_NUMERIC, LANG);
/// '.' when the locale is unknown or its separator is not a single byte.
char environmentDecimalSeparator();

/// Sets the separator for the lifetime of the object and restores the previous one after.
class DecimalSeparatorScope {
 public:
  explicit DecimalSeparatorScope(char separator) : m_saved(decimalSeparator()) {
    setDecimalSeparator(separator);
  }
  ~DecimalSeparatorScope() { setDecimalSeparator(m_saved); }
  DecimalSeparatorScope(const DecimalSeparatorScope&) = delete;
  DecimalSeparatorScope& operator=(const DecimalSeparatorScope&) = delete;

 private:
  char m_saved;
};

/// Shortest general form: at most 15 significant digits, trailing zeros dropped; fixed notation
/// for 1e-5 <= |v| < 1e15, otherwise "1.5E-7" / "2E20". Example: 0.05 -> "0.05" (or "0,05").
std::string formatGeneral(long double v);

/// Fixed notation with `decimals` decimals, rounded to 10 significant digits (the places beyond
/// them written as zeros); a value whose integer part needs more than 10 digits is written in
/// exponent form with up to 10 significant digits. Example: (3.14159265, 4) -> "3.1416".
std::string formatFixed(long double v, int decimals);

/// The sample text file's 23-character scientific field, always with ".":
/// 1.5 -> " 1.50000000000000E+0000", -0.00125 -> "-1.25000000000000E-0003".
std::string formatFileField(long double v);

/// Converts a number typed with the locale's decimal separator: surrounding blanks ignored,
/// optional sign, digits with an optional fraction, optional exponent; no thousands separators.
/// Returns false for any other text and for a value beyond the extended range.
bool parseLocaleNumber(std::string_view text, long double& out);

/// Converts a token of a sample text file: "." as the decimal point whatever the locale,
/// no surrounding blanks. Returns false when the token is not a number or overflows.
bool parsePointNumber(std::string_view token, long double& out);

/// Converts the token at the start of `text` (which must not start with a blank) as
/// parsePointNumber does, where the token ends at the first character with a code of 32 or less.
/// Returns the token's length, or 0 when it is not a number (then `out` is unchanged).
size_t parsePointToken(std::string_view text, long double& out);

}  // namespace statorium
