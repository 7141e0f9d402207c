#include "core/samplegrid.h"

#include <algorithm>

#include "core/numtext.h"

namespace statorium {

SampleGridLayout SampleGridLayout::forWidth(int count, int gridWidth, int columnWidth) {
  SampleGridLayout l;
  l.valueCount = std::max(count, 0);
  // A column is at least the one pixel of its grid line, so no width can divide by zero.
  l.columns = std::max(1, gridWidth / (std::max(columnWidth, 0) + 1));
  const int full = l.valueCount / l.columns;
  const int rest = l.valueCount % l.columns;
  l.rows = std::max(1, full + (rest > 0 ? 1 : 0));
  return l;
}

long long SampleGridLayout::valueIndex(int row, int column) const {
  if (row < 0 || column < 0 || column >= columns) return -1;
  const long long index = static_cast<long long>(row) * columns + column;
  return index < valueCount ? index : -1;
}

std::string sampleCellText(const TValues& sample, const SampleGridLayout& layout, int row,
                           int column) {
  const long long i = layout.valueIndex(row, column);
  if (i < 0 || i >= sample.count()) return "";
  return formatGeneral(sample.data()[static_cast<size_t>(i)]);
}

}  // namespace statorium
