// The chart model: item order, active flags, axis ranges, zoom, change notices, and the number
// patterns of axis labels.

#include <gtest/gtest.h>

#include <algorithm>
#include <cfenv>
#include <cfloat>
#include <cmath>
#include <limits>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "charts/chartmodel.h"
#include "charts/numberpattern.h"

namespace statorium {
namespace {

std::vector<std::pair<double, double>> pointsOf(const TChartSeries& s) {
  std::vector<std::pair<double, double>> out;
  for (const TChartPoint& p : s.points()) out.emplace_back(p.x, p.y);
  return out;
}

// --- Item order -------------------------------------------------------------------------------

struct OrderCase {
  const char* name;
  std::vector<double> xs;  // added in this order, with y = 10 * x
};

class ItemOrder : public ::testing::TestWithParam<OrderCase> {};

TEST_P(ItemOrder, PointsEndInAscendingXWhateverTheAdditionOrder) {
  TChartSeries line("line", TSeriesKind::Line, rgb(0, 0, 255));
  for (double x : GetParam().xs) line.AddXY(x, 10 * x);
  const std::vector<std::pair<double, double>> expected = {
      {-2, -20}, {0, 0}, {1.5, 15}, {3, 30}, {7, 70}};
  EXPECT_EQ(pointsOf(line), expected);
  EXPECT_EQ(line.count(), 5);
}

INSTANTIATE_TEST_SUITE_P(Orders, ItemOrder,
                         ::testing::Values(OrderCase{"increasing", {-2, 0, 1.5, 3, 7}},
                                           OrderCase{"decreasing", {7, 3, 1.5, 0, -2}},
                                           OrderCase{"mixed", {1.5, 7, -2, 3, 0}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ItemOrder, EqualXKeepsTheOrderOfAddition) {
  TChartSeries line("line", TSeriesKind::Line, 0);
  line.AddXY(1, 100);
  line.AddXY(0, 0);
  line.AddXY(1, 200);
  line.AddXY(1, 300);
  const std::vector<std::pair<double, double>> expected = {{0, 0}, {1, 100}, {1, 200}, {1, 300}};
  EXPECT_EQ(pointsOf(line), expected);
}

TEST(ItemOrder, ReadsBetweenAdditionsMatchAStableSortOfAllAdditions) {
  // Additions in random order with many equal x, read at random moments: every read shows
  // exactly the stable sort of what was added so far.
  std::mt19937 random(7);
  std::uniform_int_distribution<int> xOf(0, 50);
  TChartSeries series("s", TSeriesKind::Point, 0);
  std::vector<std::pair<double, double>> added;
  for (int i = 0; i < 3000; ++i) {
    const double x = xOf(random);
    series.AddXY(x, i);
    added.emplace_back(x, i);
    if (i % 397 == 0 || i == 2999) {
      auto expected = added;
      std::stable_sort(expected.begin(), expected.end(),
                       [](const auto& a, const auto& b) { return a.first < b.first; });
      ASSERT_EQ(pointsOf(series), expected) << "after " << i + 1 << " additions";
    }
  }
}

TEST(ItemOrder, ArrowsAreOrderedByStartXAndKeepTheirColoursAndLabels) {
  TChartSeries fn("fn", TSeriesKind::Arrow, rgb(0, 128, 0));
  fn.AddArrow(2, 0.5, 3, 0.5, "", rgb(0, 0, 255));
  fn.AddArrow(0, 0.1, 2, 0.1, "first", fn.seriesColor());
  fn.AddArrow(3, 1, 4, 1, "", rgb(0, 0, 255));
  const auto& arrows = fn.arrows();
  ASSERT_EQ(arrows.size(), 3u);
  EXPECT_EQ(arrows[0].x0, 0);
  EXPECT_EQ(arrows[0].x1, 2);
  EXPECT_EQ(arrows[0].color, rgb(0, 128, 0));
  EXPECT_EQ(fn.arrowLabel(arrows[0]), "first");
  EXPECT_EQ(arrows[1].x0, 2);
  EXPECT_EQ(arrows[1].color, rgb(0, 0, 255));
  EXPECT_EQ(fn.arrowLabel(arrows[1]), "");
  EXPECT_EQ(arrows[2].x0, 3);

  // The series colour changes; arrows keep the colour they were added with.
  fn.SetSeriesColor(rgb(255, 0, 0));
  EXPECT_EQ(fn.seriesColor(), rgb(255, 0, 0));
  EXPECT_EQ(fn.arrows()[1].color, rgb(0, 0, 255));
}

TEST(Items, ClearEmptiesTheSeriesAndAdditionsStartAfresh) {
  TChartSeries fn("fn", TSeriesKind::Arrow, 0);
  fn.AddArrow(5, 0, 6, 0, "old", 0);
  fn.Clear();
  EXPECT_EQ(fn.count(), 0);
  fn.AddArrow(1, 0, 2, 0, "", 0);
  ASSERT_EQ(fn.count(), 1);
  EXPECT_EQ(fn.arrows()[0].x0, 1);
  EXPECT_EQ(fn.arrowLabel(fn.arrows()[0]), "");
}

TEST(Items, AddingTheWrongKindOfItemIsAProgrammingError) {
  TChartSeries fn("fn", TSeriesKind::Arrow, 0);
  TChartSeries area("area", TSeriesKind::AreaStairs, 0);
  EXPECT_THROW(fn.AddXY(1, 2), std::logic_error);
  EXPECT_THROW(area.AddArrow(0, 0, 1, 1, "", 0), std::logic_error);
  EXPECT_EQ(fn.count(), 0);
  EXPECT_EQ(area.count(), 0);
}

TEST(Items, AnXThatIsNotANumberIsDroppedAndHugeValuesAreClampedWithoutAFaultFlag) {
  TChartSeries line("line", TSeriesKind::Line, 0);
  line.AddXY(std::numeric_limits<long double>::quiet_NaN(), 1);
  EXPECT_EQ(line.count(), 0);

  // The program reads the overflow flag as a failed computation: storing must not raise it.
  std::feclearexcept(FE_ALL_EXCEPT);
  line.AddXY(1e4000L, -1e4000L);
  EXPECT_FALSE(std::fetestexcept(FE_OVERFLOW | FE_INVALID | FE_DIVBYZERO));
  ASSERT_EQ(line.count(), 1);
  EXPECT_EQ(line.points()[0].x, DBL_MAX);
  EXPECT_EQ(line.points()[0].y, -DBL_MAX);
}

TEST(Items, AreaStairsKeepEveryPointForTheSteps) {
  // (0, 0.2), (1, 0.5), (2, 0.5): the view draws steps of 0.2 over [0, 1] and 0.5 over [1, 2].
  TChartSeries area("hist", TSeriesKind::AreaStairs, rgb(255, 128, 128));
  area.AddXY(2, 0.5);
  area.AddXY(0, 0.2);
  area.AddXY(1, 0.5);
  const std::vector<std::pair<double, double>> expected = {{0, 0.2}, {1, 0.5}, {2, 0.5}};
  EXPECT_EQ(pointsOf(area), expected);
}

// --- Chart: series list, title, change notices ------------------------------------------------

TEST(Chart, SeriesAreFoundByIndexAndByName) {
  TChart chart("Frequency histogram");
  chart.addSeries("Series1", TSeriesKind::AreaStairs, rgb(255, 128, 128));
  chart.addSeries("Series2", TSeriesKind::Arrow, rgb(0, 128, 0), false);
  EXPECT_EQ(chart.seriesCount(), 2);
  EXPECT_EQ(chart.series(1).name(), "Series2");
  EXPECT_FALSE(chart.series(1).active());
  EXPECT_EQ(chart.seriesByName("Series1"), &chart.series(0));
  EXPECT_EQ(chart.seriesByName("Series9"), nullptr);
  try {
    chart.series(2);
    FAIL() << "no error for index 2";
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (2)");
  }
}

TEST(Chart, SetTitleReplacesAllLinesByOne) {
  TChart chart;
  chart.setTitleLines({"one", "two"});
  chart.setTitle("Empirical and law function");
  EXPECT_EQ(chart.titleLines(), std::vector<std::string>{"Empirical and law function"});
}

TEST(Chart, TheChangeHandlerHearsOnceUntilTheChartIsDrawn) {
  TChart chart;
  int calls = 0;
  chart.setChangeHandler([&] { ++calls; });
  TChartSeries& s = chart.addSeries("s", TSeriesKind::FastLine, 0);
  for (int i = 0; i < 1000; ++i) s.AddXY(i, i);
  s.SetActive(false);
  EXPECT_EQ(calls, 1);
  chart.markDrawn();
  s.SetSeriesColor(rgb(1, 2, 3));
  EXPECT_EQ(calls, 2);
  // Showing and hiding always speak: a hidden view has no paint to notice it by.
  chart.setVisible(false);
  chart.setVisible(true);
  EXPECT_EQ(calls, 4);
}

// --- Axis ranges ------------------------------------------------------------------------------

TEST(Ranges, OnlyActiveSeriesCountAndAnInactiveSeriesKeepsItsItems) {
  TChart chart;
  TChartSeries& near = chart.addSeries("near", TSeriesKind::Line, 0);
  TChartSeries& far = chart.addSeries("far", TSeriesKind::Point, 0, false);
  TChartSeries& fn = chart.addSeries("fn", TSeriesKind::Arrow, 0);
  near.AddXY(1, 5);
  near.AddXY(2, 6);
  far.AddXY(-100, 1000);
  fn.AddArrow(3, 7, 4, -1, "", 0);  // both ends count

  EXPECT_EQ(dataRange(chart, TAxisKind::Bottom), (TAxisRange{1, 4}));
  EXPECT_EQ(dataRange(chart, TAxisKind::Left), (TAxisRange{-1, 7}));
  EXPECT_EQ(far.count(), 1);

  far.SetActive(true);
  EXPECT_EQ(dataRange(chart, TAxisKind::Bottom), (TAxisRange{-100, 4}));
  EXPECT_EQ(dataRange(chart, TAxisKind::Left), (TAxisRange{-1, 1000}));
}

TEST(Ranges, AutomaticRangeWidensByTheMarginAndHandlesSingleValuesAndNoData) {
  TChart chart;
  EXPECT_EQ(automaticRange(chart, TAxisKind::Bottom, 0.1), (TAxisRange{0, 1}));
  TChartSeries& s = chart.addSeries("s", TSeriesKind::Line, 0);
  s.AddXY(10, 0);
  EXPECT_EQ(automaticRange(chart, TAxisKind::Bottom, 0.1), (TAxisRange{9.5, 10.5}));
  EXPECT_EQ(automaticRange(chart, TAxisKind::Left, 0.1), (TAxisRange{-0.5, 0.5}));
  s.AddXY(20, 4);
  EXPECT_EQ(automaticRange(chart, TAxisKind::Bottom, 0.1), (TAxisRange{9, 21}));
  EXPECT_EQ(automaticRange(chart, TAxisKind::Left, 0), (TAxisRange{0, 4}));
}

TEST(Ranges, AWideDataRangeStaysWithinTheDoubleRange) {
  TChart chart;
  TChartSeries& s = chart.addSeries("s", TSeriesKind::Line, 0);
  s.AddXY(-DBL_MAX, 0);
  s.AddXY(DBL_MAX, 0);
  std::feclearexcept(FE_ALL_EXCEPT);
  EXPECT_EQ(automaticRange(chart, TAxisKind::Bottom, 0.1), (TAxisRange{-DBL_MAX, DBL_MAX}));
  EXPECT_FALSE(std::fetestexcept(FE_OVERFLOW));
}

TEST(Ranges, AFixedLeftAxisKeepsItsRangeWhateverTheData) {
  TChart chart;
  TChartSeries& s = chart.addSeries("s", TSeriesKind::AreaStairs, 0);
  s.AddXY(0, 3);
  s.AddXY(1, 7);
  chart.setLeftAxisMinMax(0, 1.01);
  EXPECT_FALSE(chart.leftAxisAutomatic());
  EXPECT_EQ(displayRange(chart, TAxisKind::Left, 0.05), (TAxisRange{0, 1.01}));
  s.AddXY(2, 50);
  EXPECT_EQ(displayRange(chart, TAxisKind::Left, 0.05), (TAxisRange{0, 1.01}));
  // The bottom axis still follows the data.
  EXPECT_EQ(displayRange(chart, TAxisKind::Bottom), (TAxisRange{0, 2}));

  chart.setLeftAxisAutomatic();
  EXPECT_EQ(displayRange(chart, TAxisKind::Left), (TAxisRange{3, 50}));
}

// --- Zoom -------------------------------------------------------------------------------------

TEST(Zoom, UndoingTheZoomOfAChartNeverZoomedChangesNothing) {
  TChart chart;
  TChartSeries& s = chart.addSeries("s", TSeriesKind::Line, 0);
  s.AddXY(0, 0);
  s.AddXY(4, 2);
  chart.markDrawn();
  int calls = 0;
  chart.setChangeHandler([&] { ++calls; });
  const auto revision = chart.revision();
  const TAxisRange bottom = displayRange(chart, TAxisKind::Bottom);

  chart.UndoZoom();

  EXPECT_EQ(chart.revision(), revision);
  EXPECT_EQ(calls, 0);
  EXPECT_FALSE(chart.zoom().has_value());
  EXPECT_EQ(displayRange(chart, TAxisKind::Bottom), bottom);
}

TEST(Zoom, UndoRestoresTheAutomaticAndFixedRanges) {
  TChart chart;
  TChartSeries& s = chart.addSeries("s", TSeriesKind::Line, 0);
  s.AddXY(0, 0.5);
  s.AddXY(4, 0.7);
  chart.setLeftAxisMinMax(0, 1.01);
  const TChartZoom zoom{{1, 2}, {0.2, 0.3}};
  chart.setZoom(zoom);
  EXPECT_EQ(displayRange(chart, TAxisKind::Bottom), zoom.bottom);
  EXPECT_EQ(displayRange(chart, TAxisKind::Left), zoom.left);

  chart.UndoZoom();
  EXPECT_EQ(displayRange(chart, TAxisKind::Bottom), (TAxisRange{0, 4}));
  EXPECT_EQ(displayRange(chart, TAxisKind::Left), (TAxisRange{0, 1.01}));
}

// --- Number patterns --------------------------------------------------------------------------

struct PatternCase {
  double value;
  const char* pattern;
  char decimal;
  const char* group;
  const char* expected;
};

class NumberPattern : public ::testing::TestWithParam<PatternCase> {};

TEST_P(NumberPattern, WritesTheValue) {
  const PatternCase& c = GetParam();
  EXPECT_EQ(formatNumberPattern(c.value, c.pattern, c.decimal, c.group), c.expected)
      << c.value << " by " << c.pattern;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NumberPattern,
    ::testing::Values(
        // The main chart's pattern: grouped thousands, up to four decimals.
        PatternCase{12345.678912, "#,##0.####", '.', ",", "12,345.6789"},
        PatternCase{1234567.5, "#,##0.####", ',', ".", "1.234.567,5"},
        PatternCase{999.99996, "#,##0.####", '.', ",", "1,000"},
        PatternCase{0.5, "#,##0.####", '.', ",", "0.5"},
        PatternCase{0, "#,##0.####", '.', ",", "0"},
        PatternCase{-1234.5, "#,##0.####", '.', ",", "-1,234.5"},
        PatternCase{-0.00001, "#,##0.####", '.', ",", "0"},  // rounds to zero: no sign
        PatternCase{100, "#,##0.####", '.', "\u00a0", "100"},
        PatternCase{1000, "#,##0.####", ',', "\u00a0", "1\u00a0000"},
        // Required digits, optional digits, literal text.
        PatternCase{3.1, "0.00", '.', ",", "3.10"}, PatternCase{0.25, "#.##", '.', ",", ".25"},
        PatternCase{7, "000", '.', ",", "007"},
        PatternCase{42.5, "'x = '0.0' m'", '.', ",", "x = 42.5 m"},
        // Beyond 1e15 the digits mean nothing on an axis: general form.
        PatternCase{1.5e20, "#,##0.####", ',', ".", "1,5E20"},
        PatternCase{2.5, "", ',', ".", "2,5"}));

}  // namespace
}  // namespace statorium
