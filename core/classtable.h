#pragma once
// The texts of the class data table: one column per variant or class, rows Xi, Ni and Fi.

#include <string>

#include "core/variants.h"

namespace statorium {

/// The table's caption: caption + ", values count equals " + the total number of values.
std::string classTableCaption(const std::string& caption, const TVariants& series);

/// Cell (row 0..2, column) of the table: column 0 holds "Xi", "Ni", "Fi"; column i + 1 the
/// value (4 decimals), frequency and relative frequency (4 decimals) of element i.
std::string classTableCell(const TVariants& series, int row, int column);

}  // namespace statorium
