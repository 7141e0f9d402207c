#pragma once
// The texts of a grid that shows the properties of a statobject side by side.

#include <string>

#include "core/statsobject.h"

namespace statorium {

/// The header of property column c (from 0): "  #" followed by c + 1.
std::string propertyHeader(int column);

/// Value `row` (from 0) of property `column` with 4 decimals; "" outside the shown rows,
/// which end at the shortest property's length.
std::string propertyCellText(const TStatsObject& obj, int row, int column);

}  // namespace statorium
