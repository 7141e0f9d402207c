#pragma once
// Number patterns for axis labels: "#,##0.####" writes 12345.678912 as "12,345.6789".

#include <string>
#include <string_view>

namespace statorium {

/// Writes v by a number pattern. Placeholders: "0" a digit always written, "#" a digit written
/// only when it matters (no leading zeros before the point, no trailing zeros after it), ","
/// anywhere before the point groups the integer digits by three with `groupSeparator`, and "."
/// starts the decimals, written after `decimalSeparator`. Text before the first and after the
/// last placeholder is copied (quoted with ' or " to copy placeholder characters). The value is
/// rounded to the pattern's decimals; a negative value that does not round to zero starts with
/// "-". A value of 1e15 or more in size, or not finite, is written in the general form with up
/// to 15 significant digits ("1.5E20", "INF", "NAN") instead, since its digits mean nothing on
/// an axis. An empty pattern gives the general form for every value.
std::string formatNumberPattern(double v, std::string_view pattern, char decimalSeparator,
                                std::string_view groupSeparator);

}  // namespace statorium
