#include "core/classtable.h"

#include "core/numtext.h"

namespace statorium {

std::string classTableCaption(const std::string& caption, const TVariants& series) {
  return caption + ", values count equals " + std::to_string(series.m_Total);
}

std::string classTableCell(const TVariants& series, int row, int column) {
  if (column == 0) {
    static const char* const heads[3] = {"Xi", "Ni", "Fi"};
    return row >= 0 && row < 3 ? heads[row] : "";
  }
  const int i = column - 1;
  if (i < 0 || i >= series.count()) return "";
  switch (row) {
    case 0:
      return formatFixed(series.xs()[i], 4);
    case 1:
      return std::to_string(series.ns()[i]);
    case 2:
      return series.m_Total > 0
                 ? formatFixed(static_cast<long double>(series.ns()[i]) / series.m_Total, 4)
                 : "";
    default:
      return "";
  }
}

}  // namespace statorium
