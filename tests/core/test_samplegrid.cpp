// The layout of the sample grid and the texts of its cells.

#include <gtest/gtest.h>

#include "core/numtext.h"
#include "core/samplegrid.h"

namespace statorium {
namespace {

TEST(SampleGrid, AsManyColumnsAsFitAndEnoughRows) {
  const struct {
    int count, width, columnWidth;
    int columns, rows;
  } cases[] = {
      {10, 460, 45, 10, 1},  // ten columns of 45 + 1 pixels
      {11, 460, 45, 10, 2}, {20, 460, 45, 10, 2}, {21, 459, 45, 9, 3},
      {0, 460, 45, 10, 1},                      // an empty sample still has one row
      {-3, 460, 45, 10, 1}, {5, 10, 45, 1, 5},  // narrower than one column: one column
      {5, -100, 45, 1, 5},  {5, 100, 9, 10, 1},   {4, 100, 0, 100, 1},
      {4, 100, -1, 100, 1},  // a column without width is one pixel, the grid line
      {4, 100, -5, 100, 1},
  };
  for (const auto& c : cases) {
    const SampleGridLayout l = SampleGridLayout::forWidth(c.count, c.width, c.columnWidth);
    EXPECT_EQ(l.columns, c.columns) << c.count << " in " << c.width << "/" << c.columnWidth;
    EXPECT_EQ(l.rows, c.rows) << c.count << " in " << c.width << "/" << c.columnWidth;
    EXPECT_EQ(l.valueCount, c.count < 0 ? 0 : c.count);
  }
  EXPECT_EQ(SampleGridLayout::forWidth(3, 92).columns, 2);  // the default column width
}

TEST(SampleGrid, CellsInReadingOrder) {
  const SampleGridLayout l = SampleGridLayout::forWidth(11, 460);
  EXPECT_EQ(l.valueIndex(0, 0), 0);
  EXPECT_EQ(l.valueIndex(0, 9), 9);
  EXPECT_EQ(l.valueIndex(1, 0), 10);
  EXPECT_EQ(l.valueIndex(1, 1), -1);   // past the last value
  EXPECT_EQ(l.valueIndex(0, 10), -1);  // no such column
  EXPECT_EQ(l.valueIndex(-1, 0), -1);
  EXPECT_EQ(l.valueIndex(0, -1), -1);
  EXPECT_EQ(l.valueIndex(5, 0), -1);
}

TEST(SampleGrid, CellTextIsTheGeneralForm) {
  const TValues sample({1.5L, -2, 1.0L / 3, 1.5e-7L});
  const SampleGridLayout l = SampleGridLayout::forWidth(sample.count(), 92);  // two columns
  EXPECT_EQ(sampleCellText(sample, l, 0, 0), "1.5");
  EXPECT_EQ(sampleCellText(sample, l, 0, 1), "-2");
  EXPECT_EQ(sampleCellText(sample, l, 1, 0), "0.333333333333333");
  EXPECT_EQ(sampleCellText(sample, l, 1, 1), "1.5E-7");
  EXPECT_EQ(sampleCellText(sample, l, 2, 0), "");
  {
    DecimalSeparatorScope comma(',');
    EXPECT_EQ(sampleCellText(sample, l, 0, 0), "1,5");
  }
  // A layout made for more values than the sample holds shows nothing past its end.
  const SampleGridLayout stale = SampleGridLayout::forWidth(10, 92);
  EXPECT_EQ(sampleCellText(sample, stale, 2, 0), "");
}

}  // namespace
}  // namespace statorium
