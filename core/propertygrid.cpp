#include "core/propertygrid.h"

#include "core/numtext.h"

namespace statorium {

std::string propertyHeader(int column) {
  return "  #" + std::to_string(column + 1);
}

std::string propertyCellText(const TStatsObject& obj, int row, int column) {
  if (column < 0 || column >= obj.propCount() || row < 0 || row >= obj.MinValuesCount()) return "";
  return formatFixed(obj.Prop(column).data()[static_cast<size_t>(row)], 4);
}

}  // namespace statorium
