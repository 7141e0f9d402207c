#pragma once
// How the sample grid lays a sample out: row by row, as many columns as fit in its width.

#include <string>

#include "core/values.h"

namespace statorium {

struct SampleGridLayout {
  int columns = 1;
  int rows = 1;
  int valueCount = 0;

  /// The layout of `count` values in a grid `gridWidth` pixels wide whose columns are
  /// `columnWidth` pixels plus one for the grid line; never fewer than one column or row.
  static SampleGridLayout forWidth(int count, int gridWidth, int columnWidth = 45);

  /// The position in the sample of the value in cell (row, column) in reading order, or -1
  /// for a cell past the last value.
  long long valueIndex(int row, int column) const;
};

/// The text of a sample grid cell: the value in the shortest general form, "" for no value.
std::string sampleCellText(const TValues& sample, const SampleGridLayout& layout, int row,
                           int column);

}  // namespace statorium
