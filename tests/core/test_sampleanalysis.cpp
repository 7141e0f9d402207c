// TSampleAnalysis: the main window's one-dimensional analysis without the window: abnormal-value
// modes, class count, histogram, empirical function, chart scale, characteristics, law
// suggestion and fitting, and the transformations of the working sample.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "core/numtext.h"
#include "core/sampleanalysis.h"
#include "tests/core/errortext.h"
#include "tests/support/near.h"

namespace statorium {
namespace {

using test::errorText;
using Xs = std::vector<long double>;

// Loads the values and applies "Do not drop abnormals.", as opening a file does.
void loadInto(TSampleAnalysis& a, const Xs& values) {
  ASSERT_TRUE(a.load(TValues(values)));
  a.applyAbnormalMode(AbnormalMode::DontDrop);
}

// The standard normal quantile by bisection on the exact distribution function.
long double normalQuantile(long double p) {
  long double lo = -40, hi = 40;
  for (int i = 0; i < 200; ++i) {
    const long double mid = (lo + hi) / 2;
    (0.5L * std::erfc(-mid / std::sqrt(2.0L)) < p ? lo : hi) = mid;
  }
  return (lo + hi) / 2;
}

// Evenly spread quantiles of a law: its values at the probabilities (i + 0.5) / n.
Xs quantileSample(int n, const std::function<long double(long double)>& quantile) {
  Xs xs;
  for (int i = 0; i < n; ++i) xs.push_back(quantile((i + 0.5L) / n));
  return xs;
}

Xs normalSample() {
  return quantileSample(200, [](long double p) { return 10 + 2 * normalQuantile(p); });
}

// A small, mildly skewed sample.
const Xs kSixteen = {2, 3, 3, 4, 5, 5, 5, 6, 6, 7, 7, 8, 9, 10, 12, 14};

// ---- Abnormal-value modes ----

struct ModeCase {
  const char* name;
  AbnormalMode mode;
  const char* gamma1;
  const char* gamma2;
  const char* left;
  const char* right;
  Xs expected;
};

Xs range(int from, int to) {
  Xs xs;
  for (int v = from; v <= to; ++v) xs.push_back(v);
  return xs;
}

Xs withLow(Xs xs) {
  xs.insert(xs.begin(), -5);
  return xs;
}

Xs withHigh(Xs xs) {
  xs.push_back(1500);
  return xs;
}

Xs withEnds(const Xs& xs) {
  return withLow(withHigh(xs));
}

class AnalysisModes : public testing::TestWithParam<ModeCase> {};

// The file holds -5, 1 ... 19 and 1500.
TEST_P(AnalysisModes, WorkingSampleAfterTheMode) {
  const ModeCase& c = GetParam();
  TSampleAnalysis a;
  loadInto(a, withEnds(range(1, 19)));
  a.gamma1Text = c.gamma1;
  a.gamma2Text = c.gamma2;
  a.leftText = c.left;
  a.rightText = c.right;
  a.applyAbnormalMode(c.mode);
  EXPECT_EQ(a.sample.data(), c.expected);
  EXPECT_EQ(a.variants.m_Total, static_cast<int32_t>(c.expected.size()));
  // The edits are read, never corrected.
  EXPECT_EQ(a.rightText, c.right);
  EXPECT_EQ(a.gamma1Text, c.gamma1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AnalysisModes,
    testing::Values(ModeCase{"KeepAll", AbnormalMode::DontDrop, "0.3", "0.3", "5", "6",
                             withEnds(range(1, 19))},
                    ModeCase{"ZeroProbabilitiesDropNothing", AbnormalMode::GammaDrop, "0", "0", "0",
                             "1000", withEnds(range(1, 19))},
                    // 0.1 > 1/21 and 2/21 drop -5 and 1, 3/21 keeps 2; of the 19 left,
                    // 0.1 > 1/19 drops 1500 and 2/19 keeps 19.
                    ModeCase{"ProbabilitiesDropRareEnds", AbnormalMode::GammaDrop, "0.1", "0.1",
                             "0", "1000", range(2, 19)},
                    ModeCase{"UnparsableProbabilityIsZero", AbnormalMode::GammaDrop, "abc", "0.1",
                             "0", "1000", withLow(range(1, 18))},
                    ModeCase{"UnparsableRightBoundIs1000", AbnormalMode::IntervalDrop, "0.05",
                             "0.05", "5", "", range(5, 19)},
                    ModeCase{"UnparsableLeftBoundIsZero", AbnormalMode::IntervalDrop, "0.05",
                             "0.05", "x", "10", range(1, 10)},
                    ModeCase{"BoundsBelongToTheInterval", AbnormalMode::IntervalDrop, "0.05",
                             "0.05", "3", "1500", withHigh(range(3, 19))}),
    [](const testing::TestParamInfo<ModeCase>& info) { return std::string(info.param.name); });

TEST(AnalysisModes, ApplyingAModeStartsFromTheLoadedValues) {
  TSampleAnalysis a;
  loadInto(a, kSixteen);
  a.transformLn();
  a.transformPower(2);
  a.sample.Add(100);
  a.applyAbnormalMode(AbnormalMode::DontDrop);  // "Initial"
  EXPECT_EQ(a.sample.data(), kSixteen);
  EXPECT_EQ(a.fileData.data(), kSixteen);
}

TEST(AnalysisModes, DroppingEverythingKeepsTheViews) {
  TSampleAnalysis a;
  loadInto(a, kSixteen);
  const auto histogram = a.histogram.size();
  const std::string params = a.lawParamsText;
  const std::string average = a.characteristicsGrid[1][2];
  a.gamma1Text = "2";
  a.gamma2Text = "0";
  a.applyAbnormalMode(AbnormalMode::GammaDrop);
  EXPECT_TRUE(a.sample.empty());
  EXPECT_EQ(a.variants.m_Total, 0);
  EXPECT_EQ(a.histogram.size(), histogram);
  EXPECT_EQ(a.lawParamsText, params);
  EXPECT_EQ(a.characteristicsGrid[1][2], average);
}

TEST(AnalysisLoad, AnEmptyReadChangesNothing) {
  TSampleAnalysis a;
  loadInto(a, kSixteen);
  EXPECT_FALSE(a.load(TValues()));
  EXPECT_EQ(a.fileData.data(), kSixteen);
  // A load sorts the values.
  EXPECT_TRUE(a.load(TValues({3, 1, 2})));
  EXPECT_EQ(a.fileData.data(), (Xs{1, 2, 3}));
}

// ---- Class count ----

struct ClassCountCase {
  const char* name;
  bool set;
  const char* text;
  int32_t expected;
};

class AnalysisClassCount : public testing::TestWithParam<ClassCountCase> {};

// 25 values: the automatic count is trunc(sqrt(25)) = 5.
TEST_P(AnalysisClassCount, CountInUseIsWrittenBack) {
  const ClassCountCase& c = GetParam();
  TSampleAnalysis a;
  loadInto(a, range(1, 25));
  a.setClassCount = c.set;
  a.classCountText = c.text;
  a.classCountChanged();
  EXPECT_EQ(a.classes.count(), c.expected);
  EXPECT_EQ(a.classCountText, std::to_string(c.expected));
  EXPECT_EQ(a.histogram.size(), static_cast<size_t>(c.expected) + 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, AnalysisClassCount,
                         testing::Values(ClassCountCase{"NotANumber", true, "abc", 5},
                                         ClassCountCase{"Zero", true, "0", 5},
                                         ClassCountCase{"Negative", true, "-3", 5},
                                         ClassCountCase{"Empty", true, "", 5},
                                         ClassCountCase{"Seven", true, "7", 7},
                                         ClassCountCase{"Two", true, "2", 2},
                                         // Unchecked: the edit's text is ignored and replaced.
                                         ClassCountCase{"Unchecked", false, "7", 5}),
                         [](const testing::TestParamInfo<ClassCountCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(AnalysisClassCount, FourEqualValuesCannotFormTheClasses) {
  TSampleAnalysis a;
  loadInto(a, kSixteen);
  const auto histogram = a.histogram;
  const auto grid = a.characteristicsGrid;
  ASSERT_TRUE(a.load(TValues({7, 7, 7, 7})));
  EXPECT_EQ(errorText([&] { a.applyAbnormalMode(AbnormalMode::DontDrop); }), "Class count error");
  // The automatic count 3 was written before the classes failed; the views stay as they were.
  EXPECT_EQ(a.classCountText, "3");
  ASSERT_EQ(a.histogram.size(), histogram.size());
  for (size_t i = 0; i < histogram.size(); ++i) EXPECT_EQ(a.histogram[i].y, histogram[i].y);
  EXPECT_EQ(a.characteristicsGrid, grid);
}

// ---- Histogram, empirical function and chart scale ----

// 1, 2, 2, 3, 7, 9, 9 in 3 classes of width 8/3: [1, 11/3] holds 1, 2, 2, 3; the middle class
// is empty; the last holds 7, 9, 9.
class AnalysisCharts : public testing::Test {
 protected:
  void SetUp() override {
    a.setClassCount = true;
    a.classCountText = "3";
    loadInto(a, {1, 2, 2, 3, 7, 9, 9});
  }
  TSampleAnalysis a;
  const long double w = 8.0L / 3;
};

// Chart points and arrows are doubles: compared within a few of their roundings.
void expectPoints(const std::vector<ChartPoint>& actual,
                  const std::vector<std::array<long double, 2>>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_NEAR_REL(actual[i].x, expected[i][0], 1e-15L) << "point " << i;
    EXPECT_NEAR_REL(actual[i].y, expected[i][1], 1e-15L) << "point " << i;
  }
}

void expectArrows(const std::vector<ChartArrow>& actual,
                  const std::vector<std::array<long double, 4>>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    const ChartArrow& a = actual[i];
    const std::array<long double, 4> got = {a.x0, a.y0, a.x1, a.y1};
    for (int k = 0; k < 4; ++k) EXPECT_NEAR_REL(got[k], expected[i][k], 1e-15L) << i << "," << k;
  }
}

TEST_F(AnalysisCharts, HistogramHoldsRelativeFrequenciesAndAClosingPoint) {
  expectPoints(a.histogram, {{1, 4.0L / 7}, {1 + w, 0}, {1 + 2 * w, 3.0L / 7}, {9, 3.0L / 7}});
}

TEST_F(AnalysisCharts, EmpiricalFunctionOfTheVariants) {
  // The last arrow runs from the largest value over the variation series' width 0.01.
  expectArrows(a.empirical, {{1, 1.0L / 7, 2, 1.0L / 7},
                             {2, 3.0L / 7, 3, 3.0L / 7},
                             {3, 4.0L / 7, 7, 4.0L / 7},
                             {7, 5.0L / 7, 9, 5.0L / 7},
                             {9, 1, 9.01L, 1}});
}

TEST_F(AnalysisCharts, EmpiricalFunctionOfTheClasses) {
  a.fnByClasses = true;
  a.fnModeChanged();
  expectArrows(a.empirical, {{1, 4.0L / 7, 1 + w, 4.0L / 7},
                             {1 + w, 4.0L / 7, 1 + 2 * w, 4.0L / 7},
                             {1 + 2 * w, 1, 9, 1}});
}

TEST_F(AnalysisCharts, ChartMaximumFollowsTheTab) {
  EXPECT_NEAR_REL(a.chartMaximum, 4.0L / 7 + 0.01L, 1e-15L);
  a.histogramTab = false;
  a.setChartScale(a.classes);
  EXPECT_EQ(a.chartMaximum, 1.01L);
  a.histogramTab = true;
  a.setChartScale(TVariants());
  EXPECT_EQ(a.chartMaximum, 1.01L);
}

// ---- Characteristics grid ----

// The seven characteristics and their standard errors, straight from their definitions over
// the raw values.
struct Characteristic {
  long double value, error;
};

std::vector<Characteristic> referenceCharacteristics(const Xs& x) {
  const long double n = x.size();
  long double sum = 0;
  for (long double v : x) sum += v;
  const long double mean = sum / n;
  long double m2 = 0, m3 = 0, m4 = 0, absolute = 0;
  for (long double v : x) {
    const long double d = v - mean;
    m2 += d * d;
    m3 += d * d * d;
    m4 += d * d * d * d;
    absolute += std::fabs(d);
  }
  const long double s = std::sqrt(m2 / (n - 1));
  const long double skew = m3 * std::sqrt(n * (n - 1)) / ((n - 2) * n * s * s * s);
  const long double g = (m4 / n) / (s * s * s * s);
  const long double e = (n * n - 1) / ((n - 2) * (n - 3)) * (g - 3 + 6 / (n + 1));
  return {
      {mean, s / std::sqrt(n)},
      {s, s / std::sqrt(2 * n)},
      {skew, std::sqrt(24 / n * (1 - 225 / (15 * n + 124)))},
      {s / mean, std::sqrt(std::fabs(e) / (29 * n)) * std::pow(std::fabs(e * e - 1), 0.75L)},
      {e, std::sqrt(6 / n * (1 - 12 / (2 * n + 7)))},
      {1 / std::sqrt(std::fabs(e)), e * std::sqrt(2 * e * e + 1) / std::sqrt(2 * n)},
      {absolute * std::sqrt(2 / 3.1415926L) * (1 + 2 / (8 * n - 9)) / (s * std::sqrt(n * (n - 1))),
       std::sqrt((0.04507L - 0.079L / n) / n)},
  };
}

const char* const kCaptions[7] = {
    "Average",  "Standard Deviation", "Skewness",           "Coefficient of variation",
    "Kurtosis", "Antikurtosis",       "Absolute digression"};

TEST(AnalysisCharacteristics, GridOfSixteenValues) {
  TSampleAnalysis a;
  loadInto(a, kSixteen);
  const CharacteristicsGrid& g = a.characteristicsGrid;
  EXPECT_EQ(g[0], (std::array<std::string, 5>{"", "Left edge (0.05)", "Value", "Right edge (0.05)",
                                              "Quadratic Average of values"}));
  const std::vector<Characteristic> ref = referenceCharacteristics(kSixteen);
  for (int r = 0; r < 7; ++r) {
    const Characteristic& c = ref[r];
    EXPECT_EQ(g[r + 1],
              (std::array<std::string, 5>{
                  kCaptions[r], formatFixed(c.value - 1.96L * c.error, 4), formatFixed(c.value, 4),
                  formatFixed(c.value + 1.96L * c.error, 4), formatFixed(c.error, 4)}))
        << kCaptions[r];
  }
  // By hand: the mean is 106/16, s = sqrt(162.75/15), and its error s/sqrt(16).
  EXPECT_EQ(g[1][2], "6.6250");
  EXPECT_EQ(g[2][2], "3.3242");
  EXPECT_EQ(g[1][4], "0.8310");
}

TEST(AnalysisCharacteristics, ZeroMeanBlanksTheCoefficientOfVariation) {
  TSampleAnalysis standardized;
  loadInto(standardized, kSixteen);
  standardized.transformStandard();
  standardized.refresh();

  TSampleAnalysis exact;
  loadInto(exact, range(-3, 3));  // mean exactly 0

  for (const TSampleAnalysis* a : {&standardized, &exact}) {
    const CharacteristicsGrid& g = a->characteristicsGrid;
    EXPECT_EQ(g[4], (std::array<std::string, 5>{}));  // caption included
    for (int r : {1, 2, 3, 5, 6, 7}) {
      EXPECT_EQ(g[r][0], kCaptions[r - 1]);
      for (int c = 1; c < 5; ++c) EXPECT_FALSE(g[r][c].empty()) << r << "," << c;
    }
  }
  EXPECT_EQ(exact.characteristicsGrid[1][2], "0.0000");
  EXPECT_EQ(standardized.characteristicsGrid[2][2], "1.0000");
}

// ---- Law suggestion ----

struct SuggestionCase {
  const char* name;
  std::function<Xs()> sample;
  int expected;
};

class AnalysisSuggestion : public testing::TestWithParam<SuggestionCase> {};

TEST_P(AnalysisSuggestion, RefreshSelectsTheSuggestedLaw) {
  const SuggestionCase& c = GetParam();
  TSampleAnalysis a;
  loadInto(a, c.sample());
  EXPECT_EQ(a.lawIndex, c.expected);
  EXPECT_EQ(a.findLaw(), c.expected);
  EXPECT_EQ(a.law != nullptr, c.expected != kLawNotDefined);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AnalysisSuggestion,
    testing::Values(
        SuggestionCase{"Normal", normalSample, 0},
        // Each value three times rarer than the one before: skewness 2.16, kurtosis 5.73.
        SuggestionCase{"Exponential",
                       [] {
                         Xs xs;
                         for (int k = 0, n = 729; k <= 6; ++k, n /= 3) xs.insert(xs.end(), n, k);
                         return xs;
                       },
                       1},
        SuggestionCase{"Uniform",
                       [] { return quantileSample(200, [](long double p) { return p; }); }, 2},
        // Skewness 0 and kurtosis -0.85 pass both the normal and the uniform rule: normal first.
        SuggestionCase{"NormalBeforeUniform",
                       [] { return Xs{1, 2, 2, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 6, 6, 7}; }, 0},
        SuggestionCase{"LognormalIsNotDefined",
                       [] {
                         return quantileSample(
                             200, [](long double p) { return std::exp(normalQuantile(p)); });
                       },
                       kLawNotDefined},
        // Even a Weibull sample is never called Weibull.
        SuggestionCase{"WeibullIsNotDefined",
                       [] {
                         return quantileSample(200, [](long double p) {
                           return std::pow(-std::log(1 - p), 1 / 1.5L);
                         });
                       },
                       kLawNotDefined}),
    [](const testing::TestParamInfo<SuggestionCase>& info) {
      return std::string(info.param.name);
    });

TEST(AnalysisSuggestion, HandChoiceSurvivesTheClassCountButNotARefresh) {
  TSampleAnalysis a;
  loadInto(a, normalSample());
  a.lawIndex = 3;
  a.lawChosen();
  ASSERT_EQ(a.lawParamsText.rfind("Weibull law parameters: alpha=", 0), 0u) << a.lawParamsText;
  a.setClassCount = true;
  a.classCountText = "7";
  a.classCountChanged();
  EXPECT_EQ(a.lawIndex, 3);
  EXPECT_EQ(a.lawParamsText.rfind("Weibull law parameters: ", 0), 0u) << a.lawParamsText;
  a.refresh();  // as after any transformation or edit
  EXPECT_EQ(a.lawIndex, 0);
  EXPECT_EQ(a.lawParamsText.rfind("Normal law parameters: ", 0), 0u) << a.lawParamsText;
}

// ---- Law fitting ----

struct FitCase {
  const char* name;
  std::function<Xs()> sample;
  int law;
  long double level;
  const char* params;
  const char* kolmogorov;
  const char* pearson;
};

class AnalysisFit : public testing::TestWithParam<FitCase> {};

TEST_P(AnalysisFit, LabelTexts) {
  const FitCase& c = GetParam();
  TSampleAnalysis a;
  loadInto(a, c.sample());
  a.level = c.level;
  a.lawIndex = c.law;
  a.lawChosen();
  EXPECT_EQ(a.lawParamsText, c.params);
  EXPECT_EQ(a.criteria1Text, c.kolmogorov);
  EXPECT_EQ(a.criteria2Text, c.pearson);
}

// Two humps, 0 ... 4.9 and 20 ... 24.9 in steps of 0.1.
Xs twoHumps() {
  Xs xs;
  for (int i = 0; i < 50; ++i) xs.push_back(i / 10.0L);
  for (int i = 0; i < 50; ++i) xs.push_back(20 + i / 10.0L);
  return xs;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AnalysisFit,
    testing::Values(
        // The normal quantiles lie within 0.008 of the normal law (lambda 0.11) and fill the
        // classes as expected (chi-square 0.02 on 2 degrees of freedom).
        FitCase{"NormalAcceptedAtPointOne", normalSample, 0, 0.1L,
                "Normal law parameters: m=10.0000, sigma=2.0036",
                "Kolmogorov's criteria: H0: Fn(x)=F(x) is accepted (0.1).",
                "Pearson's criteria: H0: Fn(x)=F(x) is accepted (0.1)."},
        // Half the values lie far on each side of the mean: lambda 2.8, chi-square 225.
        FitCase{"NormalRejectedAtPointZeroFive", twoHumps, 0, 0.05L,
                "Normal law parameters: m=12.4500, sigma=10.2056",
                "Kolmogorov's criteria: H0: Fn(x)=F(x) is rejected, significance level is equal to "
                "0.05.",
                "Pearson's criteria: H0: Fn(x)=F(x) is rejected, significance level is equal to "
                "0.05."},
        // A uniform law on normal values: lambda 0.90 (probability 0.37) passes, the classes
        // (chi-square 33) do not.
        FitCase{"UniformOnNormalValues", normalSample, 2, 0.05L,
                "Uniform law parameters: a=6.5470, b=13.4530",
                "Kolmogorov's criteria: H0: Fn(x)=F(x) is accepted (0.05).",
                "Pearson's criteria: H0: Fn(x)=F(x) is rejected, significance level is equal to "
                "0.05."},
        // Three classes leave no degree of freedom for a two-parameter law.
        FitCase{"NoDegreesOfFreedom", [] { return range(-3, 3); }, 2, 0.05L,
                "Uniform law parameters: a=-3.4641, b=3.4641",
                "Kolmogorov's criteria: H0: Fn(x)=F(x) is accepted (0.05).",
                "Pearson's criteria: H0: Fn(x)=F(x) is rejected, significance level is equal to "
                "0.05."}),
    [](const testing::TestParamInfo<FitCase>& info) { return std::string(info.param.name); });

TEST(AnalysisFit, CurvesHave201PointsOverTheRange) {
  TSampleAnalysis a;
  loadInto(a, normalSample());
  ASSERT_EQ(a.lawIndex, 0);
  const Xs& x = a.sample.data();
  const long double lo = x.front(), hi = x.back();
  for (const auto* curve :
       {&a.curves.left, &a.curves.function, &a.curves.right, &a.curves.density}) {
    ASSERT_EQ(curve->size(), 201u);
    for (int i = 0; i <= 200; ++i) EXPECT_NEAR_REL((*curve)[i].x, lo + i * (hi - lo) / 200, 1e-15L);
  }
  for (int i = 0; i <= 200; ++i) {
    EXPECT_LE(a.curves.left[i].y, a.curves.function[i].y);
    EXPECT_GE(a.curves.right[i].y, a.curves.function[i].y);
  }
  // The middle point is the mean 10 of the symmetric sample: F = 1/2, and the density times
  // the class width (5 classes) is w / (sigma sqrt(2 pi)), with sigma = sqrt(q - m^2) N/(N - 1).
  long double q = 0;
  for (long double v : x) q += v * v / x.size();
  const long double sigma = std::sqrt(q - 100) * 200 / 199;
  const long double w = (hi - lo) / 5;
  EXPECT_NEAR_REL(a.curves.function[100].y, 0.5L, 1e-7L);
  EXPECT_NEAR_REL(a.curves.density[100].y, w / (sigma * std::sqrt(2 * M_PIl)), 1e-9L);
}

TEST(AnalysisFit, OneDistinctValueDrawsEveryPointAtIt) {
  TSampleAnalysis a;
  a.sample = TValues({3, 3, 3});
  a.variants.setVariants(a.sample);
  a.lawIndex = 1;
  a.classCountChanged();  // one class of width 0
  ASSERT_EQ(a.curves.function.size(), 201u);
  for (int i = 0; i <= 200; ++i) {
    EXPECT_EQ(a.curves.function[i].x, 3);
    EXPECT_NEAR_REL(a.curves.function[i].y, 1 - std::exp(-1.0L), 1e-15L);  // lambda = 1/3
    EXPECT_EQ(a.curves.density[i].y, 0);
  }
  EXPECT_EQ(a.lawParamsText, "Exponential law parameters: lambda=0.3333");
}

TEST(AnalysisFit, NotDefinedKeepsTheCriteriaTexts) {
  TSampleAnalysis a;
  loadInto(a, normalSample());
  const std::string k = a.criteria1Text, p = a.criteria2Text;
  ASSERT_EQ(k, "Kolmogorov's criteria: H0: Fn(x)=F(x) is accepted (0.05).");
  a.lawIndex = kLawNotDefined;
  a.lawChosen();
  EXPECT_EQ(a.law, nullptr);
  EXPECT_EQ(a.lawParamsText, "Law was not selected");
  EXPECT_EQ(a.criteria1Text, k);
  EXPECT_EQ(a.criteria2Text, p);
  EXPECT_TRUE(a.curves.function.empty());
  EXPECT_TRUE(a.curves.density.empty());
}

struct FailureCase {
  const char* name;
  Xs sample;
  int law;
  const char* text;
};

class AnalysisFitFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(AnalysisFitFailure, IsReportedAndResetsTheLaw) {
  const FailureCase& c = GetParam();
  TSampleAnalysis a;
  loadInto(a, c.sample);
  const std::string params = a.lawParamsText;
  ASSERT_NE(params, "Distribution law parameters: ");
  a.lawIndex = c.law;
  a.lawChosen();
  EXPECT_EQ(a.criteria1Text, c.text);
  EXPECT_EQ(a.criteria2Text, "");
  EXPECT_EQ(a.law, nullptr);
  EXPECT_EQ(a.lawIndex, c.law);  // the choice stays, so the next refit tries it again
  EXPECT_EQ(a.lawParamsText, params);
}

INSTANTIATE_TEST_SUITE_P(Cases, AnalysisFitFailure,
                         testing::Values(
                             // The mean 0 gives no lambda.
                             FailureCase{"ExponentialOnZeroMean", range(-3, 3), 1,
                                         "It is imposible to apply Exponential law to this data"},
                             FailureCase{"WeibullOnZero", range(0, 7), 3,
                                         "It is imposible to apply Weibull law to this data"},
                             FailureCase{"WeibullOnNegative", range(-2, 6), 3,
                                         "It is imposible to apply Weibull law to this data"}),
                         [](const testing::TestParamInfo<FailureCase>& info) {
                           return std::string(info.param.name);
                         });

// ---- Transformations ----

void expectValues(const TValues& actual, const Xs& expected, long double tolerance = 1e-15L) {
  ASSERT_EQ(actual.count(), static_cast<int>(expected.size()));
  for (size_t i = 0; i < expected.size(); ++i)
    EXPECT_NEAR_REL(actual.data()[i], expected[i], tolerance) << "value " << i;
}

TEST(AnalysisTransform, MoveShiftsTheFirstValueTo0001) {
  TSampleAnalysis a;
  a.sample = TValues({-5, -1, 2});
  EXPECT_TRUE(a.doPositive());
  expectValues(a.sample, {0.001L, 4.001L, 7.001L});
  for (const Xs& unchanged : {Xs{0, 1, 2}, Xs{3, 4}, Xs{}}) {
    a.sample = TValues(unchanged);
    EXPECT_FALSE(a.doPositive());
    EXPECT_EQ(a.sample.data(), unchanged);
  }
}

TEST(AnalysisTransform, LnMovesFirst) {
  TSampleAnalysis a;
  a.sample = TValues({-5, -1, 2});
  a.transformLn();
  expectValues(a.sample, {std::log(0.001L), std::log(4.001L), std::log(7.001L)});
  a.sample = TValues({1, std::exp(2.0L)});
  a.transformLn();
  expectValues(a.sample, {0, 2});
}

struct FailingTransform {
  const char* name;
  Xs sample;
  std::function<void(TSampleAnalysis&)> transform;
  const char* error;
};

class AnalysisTransformFailure : public testing::TestWithParam<FailingTransform> {};

// A failing transformation leaves the working sample exactly as it was.
TEST_P(AnalysisTransformFailure, LeavesTheSampleUnchanged) {
  const FailingTransform& c = GetParam();
  TSampleAnalysis a;
  a.sample = TValues(c.sample);
  EXPECT_EQ(errorText([&] { c.transform(a); }), c.error);
  EXPECT_EQ(a.sample.data(), c.sample);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AnalysisTransformFailure,
    testing::Values(FailingTransform{"LnOfZero",
                                     {0, 1, 2},
                                     [](TSampleAnalysis& a) { a.transformLn(); },
                                     test::kInvalidOp},
                    // Out of order after a power: the first value is positive, a later one is not.
                    FailingTransform{"LnOfALaterNegative",
                                     {3, -1, 2},
                                     [](TSampleAnalysis& a) { a.transformLn(); },
                                     test::kInvalidOp},
                    // The shift to 0.001, -3.999, 3.001 is undone as well.
                    FailingTransform{"LnAfterMove",
                                     {-1, -5, 2},
                                     [](TSampleAnalysis& a) { a.transformLn(); },
                                     test::kInvalidOp},
                    FailingTransform{"ExpOverflow",
                                     {1, 20000},
                                     [](TSampleAnalysis& a) { a.transformExp(); },
                                     test::kOverflow},
                    FailingTransform{"StandardOfEqualValues",
                                     {4, 4, 4},
                                     [](TSampleAnalysis& a) { a.transformStandard(); },
                                     test::kInvalidOp},
                    FailingTransform{"StandardOfOneValue",
                                     {4},
                                     [](TSampleAnalysis& a) { a.transformStandard(); },
                                     test::kInvalidOp},
                    FailingTransform{"HalfPowerOfNegative",
                                     {4, -1, 9},
                                     [](TSampleAnalysis& a) { a.transformPower(0.5L); },
                                     test::kInvalidOp},
                    FailingTransform{"NegativePowerOfZero",
                                     {2, 0},
                                     [](TSampleAnalysis& a) { a.transformPower(-1); },
                                     test::kDivByZero}),
    [](const testing::TestParamInfo<FailingTransform>& info) {
      return std::string(info.param.name);
    });

TEST(AnalysisTransform, ExpAndStandard) {
  TSampleAnalysis a;
  a.sample = TValues({0, 1, -1});
  a.transformExp();
  expectValues(a.sample, {1, std::exp(1.0L), std::exp(-1.0L)});
  // Mean 3 and s = sqrt(10/4).
  a.sample = TValues({1, 2, 3, 4, 5});
  a.transformStandard();
  const long double s = std::sqrt(2.5L);
  expectValues(a.sample, {-2 / s, -1 / s, 0, 1 / s, 2 / s});
  a.sample = TValues();
  a.transformStandard();
  EXPECT_TRUE(a.sample.empty());
}

TEST(AnalysisTransform, PowerKeepsThePositions) {
  TSampleAnalysis a;
  a.sample = TValues({-3, -1, 2});
  a.transformPower(2);
  EXPECT_EQ(a.sample.data(), (Xs{9, 1, 4}));
  a.sample = TValues({1, 2, 4});
  a.transformPower(-1);
  EXPECT_EQ(a.sample.data(), (Xs{1, 0.5L, 0.25L}));
  a.transformPower(0);
  EXPECT_EQ(a.sample.data(), (Xs{1, 1, 1}));
}

struct PowerCase {
  long double x, p, expected;
  const char* error;  // nullptr when it succeeds
  long double tolerance = 1e-15L;
};

TEST(AnalysisTransform, PowerOf) {
  const PowerCase cases[] = {
      {5, 0, 1, nullptr},
      {0, 0, 1, nullptr},
      {-7, 0, 1, nullptr},
      {0, 2.5L, 0, nullptr},
      {0, 3, 0, nullptr},
      {-3, 2, 9, nullptr},
      {-2, 3, -8, nullptr},
      {-2, -3, -0.125L, nullptr},
      {2, 10, 1024, nullptr},
      {2, -2, 0.25L, nullptr},
      {4, 0.5L, 2, nullptr},
      {8, -1.0L / 3, 0.5L, nullptr},
      // The largest integer power is still a product, so a negative base is allowed.
      {-1, 2147483647.0L, -1, nullptr},
      // About 60 roundings, each magnified by the power.
      {1.0000001L, 2147483647.0L, std::exp(2147483647.0L * std::log(1.0000001L)), nullptr, 1e-9L},
      {-1, 0.5L, 0, test::kInvalidOp},
      {0, -0.5L, 0, test::kInvalidOp},
      // Beyond the integer range the power is e^(p ln x), which needs x > 0.
      {-1, 2147483648.0L, 0, test::kInvalidOp},
      {0, -1, 0, test::kDivByZero},
      {0, -2, 0, test::kDivByZero},
      {10, 5000, 0, test::kOverflow},
      {10, 5000.5L, 0, test::kOverflow},
  };
  for (const PowerCase& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << "x=" << static_cast<double>(c.x) << " p=" << static_cast<double>(c.p));
    if (c.error) {
      EXPECT_EQ(errorText([&] { powerOf(c.x, c.p); }), c.error);
    } else {
      EXPECT_NEAR_REL(powerOf(c.x, c.p), c.expected, c.tolerance);
    }
  }
}

// ---- Progress of the steps ----

// The steps that report their share done, each on an analysis of a loaded sample.
struct ReportingStep {
  const char* name;
  std::function<void(TSampleAnalysis&, const Progress&)> run;
  bool transformation = false;
};

const std::vector<ReportingStep>& reportingSteps() {
  static const std::vector<ReportingStep> steps = {
      {"class count", [](TSampleAnalysis& a, const Progress& p) { a.classCountChanged(p); }},
      {"function by classes",
       [](TSampleAnalysis& a, const Progress& p) {
         a.fnByClasses = true;
         a.fnModeChanged(p);
       }},
      {"uniform law",
       [](TSampleAnalysis& a, const Progress& p) {
         a.lawIndex = 2;
         a.lawChosen(p);
       }},
      {"refresh", [](TSampleAnalysis& a, const Progress& p) { a.refresh(p); }},
      {"Move", [](TSampleAnalysis& a, const Progress& p) { a.doPositive(p); }, true},
      {"Ln", [](TSampleAnalysis& a, const Progress& p) { a.transformLn(p); }, true},
      {"Exp", [](TSampleAnalysis& a, const Progress& p) { a.transformExp(p); }, true},
      {"Standard", [](TSampleAnalysis& a, const Progress& p) { a.transformStandard(p); }, true},
      {"Power", [](TSampleAnalysis& a, const Progress& p) { a.transformPower(3, p); }, true},
  };
  return steps;
}

// 70000 distinct values from -10 to 10: enough for the transformations to report on the way.
Xs wideSample() {
  Xs xs;
  for (int i = 0; i < 70000; ++i) xs.push_back(-10 + i * (20.0L / 70000));
  return xs;
}

// What a step leaves in the analysis.
std::vector<std::string> stepResults(const TSampleAnalysis& a) {
  std::vector<std::string> r = {a.classCountText, a.lawParamsText, a.criteria1Text, a.criteria2Text,
                                std::to_string(a.lawIndex)};
  for (const auto& row : a.characteristicsGrid)
    for (const std::string& cell : row) r.push_back(cell);
  r.push_back(std::to_string(a.empirical.size()) + " steps, " +
              std::to_string(a.curves.function.size()) + " law points");
  return r;
}

TEST(AnalysisStepProgress, StepsReportGrowingSharesAndComputeWhatTheyComputeWithout) {
  const Xs values = wideSample();
  for (const ReportingStep& step : reportingSteps()) {
    SCOPED_TRACE(step.name);
    TSampleAnalysis plain, watched;
    loadInto(plain, values);
    loadInto(watched, values);
    std::vector<double> shares;
    step.run(plain, {});
    step.run(watched, [&](double done) {
      shares.push_back(done);
      return true;
    });
    EXPECT_EQ(watched.sample.data(), plain.sample.data());
    EXPECT_EQ(stepResults(watched), stepResults(plain));
    ASSERT_FALSE(shares.empty());
    EXPECT_GE(shares.front(), 0.0);
    EXPECT_LE(shares.back(), 1.0);
    EXPECT_TRUE(std::is_sorted(shares.begin(), shares.end()));
  }
}

TEST(AnalysisStepProgress, AStopThrowsCancelledAndATransformationKeepsTheSample) {
  const Xs values = wideSample();
  for (const ReportingStep& step : reportingSteps()) {
    // Stopped at the first report, and at the last one the step makes.
    for (bool atFirst : {true, false}) {
      SCOPED_TRACE(testing::Message() << step.name << (atFirst ? ", first" : ", last"));
      TSampleAnalysis counted;
      loadInto(counted, values);
      size_t reports = 0;
      step.run(counted, [&](double) { return ++reports, true; });
      TSampleAnalysis a;
      loadInto(a, values);
      const size_t stopAt = atFirst ? 1 : reports;
      size_t made = 0;
      EXPECT_THROW(step.run(a, [&](double) { return ++made < stopAt; }), Cancelled);
      EXPECT_EQ(made, stopAt);
      // A stop is no failure: the law texts tell of none.
      EXPECT_EQ(a.criteria1Text.find("imposible"), std::string::npos);
      if (step.transformation) {
        EXPECT_EQ(a.sample.data(), values);
      }
    }
  }
}

}  // namespace
}  // namespace statorium
