#include "core/sampleanalysis.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "core/errors.h"
#include "core/exponentlaw.h"
#include "core/fitcriteria.h"
#include "core/fpfault.h"
#include "core/largearray.h"
#include "core/normallaw.h"
#include "core/numtext.h"
#include "core/ttest.h"
#include "core/uniformlaw.h"
#include "core/weibulllaw.h"

namespace statorium {

const std::array<const char*, kLawCount> kLawItems = {"Normal", "Exponential", "Uniform", "Weibull",
                                                      "NOT DEFINED"};

namespace {

std::unique_ptr<TLaw> makeLaw(int index) {
  switch (index) {
    case 0:
      return std::make_unique<TNormalLaw>();
    case 1:
      return std::make_unique<TExponentLaw>();
    case 2:
      return std::make_unique<TUniformLaw>();
    case 3:
      return std::make_unique<TWeibullsLaw>();
    default:
      return nullptr;
  }
}

long double parseOr(const std::string& text, long double fallback) {
  long double v;
  return parseLocaleNumber(text, v) ? v : fallback;
}

// A decimal integer with optional sign and surrounding blanks.
bool parseInteger(const std::string& text, long long& out) {
  size_t b = 0, e = text.size();
  while (b < e && static_cast<unsigned char>(text[b]) <= 32) ++b;
  while (e > b && static_cast<unsigned char>(text[e - 1]) <= 32) --e;
  const char* first = text.data() + b;
  if (b < e && *first == '+') ++first;
  const auto [ptr, ec] = std::from_chars(first, text.data() + e, out);
  return ec == std::errc() && ptr == text.data() + e && first != text.data() + e;
}

std::string fixed4(long double v) {
  return formatFixed(v, 4);
}

// A value for drawing: extended values beyond the double range are pinned to its ends (a chart
// cannot tell them apart anyway), without raising the overflow flag.
double toChart(long double v) {
  constexpr long double kMax = std::numeric_limits<double>::max();
  if (v > kMax) return std::numeric_limits<double>::max();
  if (v < -kMax) return -std::numeric_limits<double>::max();
  return static_cast<double>(v);
}

ChartPoint chartPoint(long double x, long double y) {
  return {toChart(x), toChart(y)};
}

// Values transformed between two reports of the share done.
constexpr long long kTransformStride = 1 << 16;

// Applies `f` to every value of a copy; the sample changes only when every value succeeded.
template <class F>
void transformAll(TValues& sample, F f, const Progress& progress) {
  FpScope fp;
  std::vector<long double> out;
  resizeLarge(out, sample.data().size());
  ProgressCounter counter(progress, static_cast<long long>(out.size()), kTransformStride);
  for (size_t i = 0; i < out.size(); ++i) {
    out[i] = f(sample.data()[i]);
    fp.check();
    counter.at(static_cast<long long>(i) + 1);
  }
  sample = TValues(std::move(out));
}

}  // namespace

TSampleAnalysis::TSampleAnalysis() = default;
TSampleAnalysis::~TSampleAnalysis() = default;
TSampleAnalysis::TSampleAnalysis(TSampleAnalysis&&) noexcept = default;
TSampleAnalysis& TSampleAnalysis::operator=(TSampleAnalysis&&) noexcept = default;

TSampleAnalysis TSampleAnalysis::successor() const {
  TSampleAnalysis next;
  next.setClassCount = setClassCount;
  next.classCountText = classCountText;
  next.fnByClasses = fnByClasses;
  next.histogramTab = histogramTab;
  next.level = level;
  next.gamma1Text = gamma1Text;
  next.gamma2Text = gamma2Text;
  next.leftText = leftText;
  next.rightText = rightText;
  next.lawIndex = lawIndex;
  next.classes = classes;
  next.histogram = histogram;
  next.curves = curves;
  next.lawParamsText = lawParamsText;
  next.criteria1Text = criteria1Text;
  next.criteria2Text = criteria2Text;
  next.characteristicsGrid = characteristicsGrid;
  next.characteristicsShown = characteristicsShown;
  next.chartMaximum = chartMaximum;
  return next;
}

bool TSampleAnalysis::load(TValues values) {
  if (values.empty()) return false;
  values.QuickSort();
  fileData = std::move(values);
  return true;
}

void TSampleAnalysis::applyAbnormalMode(AbnormalMode mode, const Progress& progress) {
  sample = fileData.Clone();
  if (mode == AbnormalMode::IntervalDrop)
    sample.dropAbnormalsOutOfInterval(parseOr(leftText, 0), parseOr(rightText, 1000));
  // The refresh builds the variation series; the probability mode needs it before that.
  if (mode == AbnormalMode::GammaDrop && !sample.empty()) {
    variants.setVariants(sample);
    variants.dropAbnormals(parseOr(gamma1Text, 0), parseOr(gamma2Text, 0));
    if (variants.count() == 0)
      sample.Clear();
    else
      sample.dropAbnormalsOutOfInterval(variants.xs().front(), variants.xs().back());
  }
  constexpr double kCopy = 0.1;
  reportProgress(progress, kCopy);
  refresh(progressPart(progress, kCopy, 1));
}

void TSampleAnalysis::refresh(const Progress& progress) {
  // The shares of the steps as a sample of many distinct values takes them: the variation
  // series, the classes with the first law fit, the characteristics, the suggested law's fit.
  variants.setVariants(sample);
  reportProgress(progress, 0.2);
  if (sample.empty()) return;
  if (variants.m_Total > 0) {
    classCountChanged(progressPart(progress, 0.2, 0.55));
    reportProgress(progress, 0.55);
    showCharacteristics();
    reportProgress(progress, 0.65);
  }
  findLaw(progressPart(progress, 0.65, 1));
  reportProgress(progress, 1);
}

int32_t TSampleAnalysis::classCountToUse() const {
  const int32_t automatic = TVariants::calcClassCount(variants.m_Total);
  long long k = automatic;
  if (setClassCount && !parseInteger(classCountText, k)) k = automatic;
  if (k <= 0 || k > std::numeric_limits<int32_t>::max()) k = automatic;
  return static_cast<int32_t>(k);
}

void TSampleAnalysis::classCountChanged(const Progress& progress) {
  const int32_t k = classCountToUse();
  classCountText = std::to_string(k);
  classes.setClasses(variants, k);
  showHistogram();
  fnModeChanged(progress);
  setChartScale(classes);
}

void TSampleAnalysis::showHistogram() {
  if (classes.m_Total <= 0) return;
  FpScope fp;
  std::vector<ChartPoint> points;
  points.reserve(classes.count() + 1);
  const long double total = classes.m_Total;
  for (int i = 0; i < classes.count(); ++i)
    points.push_back(chartPoint(classes.xs()[i], classes.ns()[i] / total));
  // The closing point's right edge can overflow for values at the end of the extended range.
  const long double end = classes.xs().back() + classes.m_Width;
  fp.check(end);
  points.push_back(chartPoint(end, classes.ns().back() / total));
  histogram = std::move(points);
}

void TSampleAnalysis::fnModeChanged(const Progress& progress) {
  showFn(fnByClasses ? classes : variants, progress);
}

void TSampleAnalysis::showFn(const TVariants& series, const Progress& progress) {
  if (series.m_Total > 0) {
    FpScope fp;
    std::vector<ChartArrow> arrows;
    reserveLarge(arrows, series.count());
    const long double total = series.m_Total;
    long double s = 0;
    const auto& x = series.xs();
    for (int i = 0; i + 1 < series.count(); ++i) {
      s += series.ns()[i];
      arrows.push_back({toChart(x[i]), toChart(s / total), toChart(x[i + 1]), toChart(s / total)});
    }
    arrows.push_back({toChart(x.back()), 1, toChart(finiteOrThrow(x.back() + series.m_Width)), 1});
    empirical = std::move(arrows);
  }
  // Drawing a step per variant takes about half as long as fitting the normal law to them.
  constexpr double kDrawn = 0.35;
  reportProgress(progress, kDrawn);
  lawChosen(progressPart(progress, kDrawn, 1));
}

void TSampleAnalysis::lawChosen(const Progress& progress) {
  law = makeLaw(lawIndex);
  updateLaw(progress);
}

void TSampleAnalysis::updateLaw(const Progress& progress) {
  const std::string levelText = formatGeneral(level);
  curves = LawCurves();
  if (!law || variants.m_Total <= 0 || variants.count() == 0) {
    lawParamsText = "Law was not selected";
    return;
  }
  const std::string item = kLawItems[lawIndex];
  auto verdict = [&](bool accepted) {
    return accepted ? "H0: Fn(x)=F(x) is accepted (" + levelText + ")"
                    : "H0: Fn(x)=F(x) is rejected, significance level is equal to " + levelText;
  };
  try {
    FpScope fp;
    // The parameters and Kolmogorov's criterion each pass over every variant; Pearson's
    // criterion and the curves take no time beside them.
    law->evaluateParams(variants, progressPart(progress, 0, 0.3));
    fp.check();
    reportProgress(progress, 0.3);
    const bool kolmogorov =
        KolmogorovsCheck(variants, *law, level, progressPart(progress, 0.3, 0.95));
    fp.check();
    reportProgress(progress, 0.95);
    criteria1Text = "Kolmogorov's criteria: " + verdict(kolmogorov) + ".";
    criteria2Text = "Pearson's criteria: " + verdict(PearsonsCheck(classes, *law, level)) + ".";
    clearFpFaults();  // the criterion catches its own failures

    const long double x0 = variants.xs().front();
    const long double step = (variants.xs().back() - x0) / 200;
    const long double width = classes.m_Width;
    for (int i = 0; i <= 200; ++i) {
      const long double x = x0 + i * step;
      curves.left.push_back(chartPoint(x, finiteOrThrow(law->Fleft(x))));
      curves.function.push_back(chartPoint(x, finiteOrThrow(law->F(x))));
      curves.right.push_back(chartPoint(x, finiteOrThrow(law->Fright(x))));
      curves.density.push_back(chartPoint(x, finiteOrThrow(law->ff(x) * width)));
    }
    lawParamsText = item + " law parameters: " + law->paramsToString();
  } catch (const Cancelled&) {
    throw;  // a stop is no failure of the fit
  } catch (const std::exception&) {
    clearFpFaults();
    criteria1Text = "It is imposible to apply " + item + " law to this data";
    criteria2Text.clear();
    law.reset();
  }
}

int TSampleAnalysis::suggestedLaw() const {
  long double dE = 0, dA = 0;
  const long double e = variants.Excess(&dE);
  const long double a = variants.AsymetricalCoefficent(&dA);
  if (tTest(a, 0, dA) && tTest(e, 0, dE)) return 0;
  if (tTest(a, 2, dA) && tTest(e, 6, dE)) return 1;
  if (tTest(a, 0, dA) && tTest(e, -1.2L, dE)) return 2;
  return kLawNotDefined;
}

int TSampleAnalysis::findLaw(const Progress& progress) {
  const int suggestion = suggestedLaw();
  if (suggestion != lawIndex) {
    lawIndex = suggestion;
    lawChosen(progress);
  }
  return suggestion;
}

void TSampleAnalysis::setChartScale(const TVariants& series) {
  chartMaximum = histogramTab && series.count() > 0 ? series.getMax() + 0.01L : 1.01L;
}

void TSampleAnalysis::showCharacteristics() {
  struct Row {
    const char* caption;
    long double (TVariants::*statistic)(long double*) const;
  };
  static const Row rows[7] = {
      {"Average", &TVariants::Average},
      {"Standard Deviation", &TVariants::AverageQuadratic},
      {"Skewness", &TVariants::AsymetricalCoefficent},
      {"Coefficient of variation", &TVariants::PirsonsVariation},
      {"Kurtosis", &TVariants::Excess},
      {"Antikurtosis", &TVariants::Contrexcess},
      {"Absolute digression", &TVariants::AbsoluteDigression},
  };
  CharacteristicsGrid grid;
  grid[0] = {"", "Left edge (0.05)", "Value", "Right edge (0.05)", "Quadratic Average of values"};
  const long double average = variants.Average();
  const bool zeroMean = std::fabs(average) <= 1e-9L;
  for (int r = 0; r < 7; ++r) {
    // The coefficient of variation divides by the mean: no row for a zero mean.
    if (r == 3 && zeroMean) continue;
    long double d = 0;
    const long double v = (variants.*rows[r].statistic)(&d);
    FpScope fp;
    const long double left = v - 1.96L * d;
    const long double right = v + 1.96L * d;
    fp.check(left, right);
    grid[r + 1] = {rows[r].caption, fixed4(finiteOrThrow(left)), fixed4(finiteOrThrow(v)),
                   fixed4(finiteOrThrow(right)), fixed4(finiteOrThrow(d))};
  }
  characteristicsGrid = grid;
  characteristicsShown = true;
}

bool TSampleAnalysis::doPositive(const Progress& progress) {
  if (sample.empty() || !(sample.data().front() < 0)) return false;
  const long double shift = sample.data().front() - 0.001L;
  transformAll(
      sample, [shift](long double x) { return x - shift; }, progress);
  return true;
}

void TSampleAnalysis::transformLn(const Progress& progress) {
  TValues before = sample.Clone();
  // The shift, when there is one, is a subtraction per value; the logarithms take longer.
  constexpr double kShifted = 0.2;
  try {
    doPositive(progressPart(progress, 0, kShifted));
    transformAll(
        sample,
        [](long double x) {
          // The logarithm of zero counts as an invalid operation, like that of a negative number.
          if (!(x > 0)) throw FloatError(FloatError::Kind::Invalid);
          return std::log(x);
        },
        progressPart(progress, kShifted, 1));
  } catch (...) {
    sample = std::move(before);
    throw;
  }
}

void TSampleAnalysis::transformExp(const Progress& progress) {
  transformAll(
      sample, [](long double x) { return std::exp(x); }, progress);
}

void TSampleAnalysis::transformStandard(const Progress& progress) {
  if (sample.empty()) return;
  TValues copy = sample.Clone();
  reportProgress(progress, 0.1);
  copy.MakeStandard();
  reportProgress(progress, 1);
  sample = std::move(copy);
}

void TSampleAnalysis::transformPower(long double p, const Progress& progress) {
  transformAll(
      sample, [p](long double x) { return powerOf(x, p); }, progress);
}

long double powerOf(long double x, long double p) {
  if (p == 0) return 1;
  if (x == 0 && p > 0) return 0;
  FpScope fp;
  if (p == std::trunc(p) && std::fabs(p) <= 2147483647.0L) {
    // An integer power is a product of factors, so negative x is allowed; squaring keeps the
    // number of multiplications logarithmic.
    unsigned long long k = static_cast<unsigned long long>(std::fabs(p));
    long double result = 1, base = x;
    while (k) {
      if (k & 1) result *= base;
      k >>= 1;
      if (k) base *= base;
    }
    if (p < 0) result = 1 / result;
    fp.check(result);
    return finiteOrThrow(result);
  }
  if (!(x > 0)) throw FloatError(FloatError::Kind::Invalid);
  const long double r = std::exp(p * std::log(x));
  fp.check(r);
  return finiteOrThrow(r);
}

}  // namespace statorium
