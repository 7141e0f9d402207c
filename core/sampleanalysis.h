#pragma once
// TSampleAnalysis: the one-dimensional analysis behind the main window, free of any toolkit.
// It keeps the loaded values, the working sample, its variation series and classes and the
// chosen law, runs the steps of the refresh chain, and keeps the texts and points that the window
// shows. The window copies its controls into the inputs, calls a step, and renders the results;
// the batch program runs the same steps. A step that fails throws and leaves every result it had
// not reached as it was.

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "core/law.h"
#include "core/progress.h"
#include "core/values.h"
#include "core/variants.h"

namespace statorium {

/// How abnormal values are dropped from the working sample.
enum class AbnormalMode { DontDrop, GammaDrop, IntervalDrop };

/// The items of the law choice, in order; the last one is "NOT DEFINED".
constexpr int kLawCount = 5;
constexpr int kLawNotDefined = 4;
extern const std::array<const char*, kLawCount> kLawItems;

// Points and arrows are for drawing only, so double precision serves and halves the memory
// a million-variant series takes.
struct ChartPoint {
  double x = 0;
  double y = 0;
};

struct ChartArrow {
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

/// The law's curves: left edge, distribution function, right edge, density times class width.
struct LawCurves {
  std::vector<ChartPoint> left, function, right, density;
};

/// The characteristics grid: 8 rows of 5 texts; row 0 is the header.
using CharacteristicsGrid = std::array<std::array<std::string, 5>, 8>;

class TSampleAnalysis {
 public:
  TSampleAnalysis();
  ~TSampleAnalysis();
  TSampleAnalysis(TSampleAnalysis&&) noexcept;
  TSampleAnalysis& operator=(TSampleAnalysis&&) noexcept;

  // ---- Inputs, copied from the window's controls before a step ----
  bool setClassCount = false;        // "Set class count"
  std::string classCountText = "0";  // the class count edit; rewritten by the class step
  bool fnByClasses = false;          // "Empirical function by classes"
  bool histogramTab = true;          // the histogram tab is the active one
  long double level = 0.05L;         // significance level of the criteria
  std::string gamma1Text = "0.05", gamma2Text = "0.05";  // probability mode edits
  std::string leftText = "0", rightText = "1000";        // interval mode edits
  int lawIndex = kLawNotDefined;                         // the selected law item

  // ---- Data ----
  TValues fileData;           // the loaded values, sorted
  TValues sample;             // the working sample
  TVariants variants;         // its variation series
  TVariants classes;          // its classes
  std::unique_ptr<TLaw> law;  // the fitted law, none for "NOT DEFINED" or after a failed fit

  // ---- Results ----
  std::vector<ChartPoint> histogram;  // relative class frequencies, drawn as stairs
  std::vector<ChartArrow> empirical;  // the empirical distribution function's steps
  LawCurves curves;
  std::string lawParamsText = "Distribution law parameters: ";
  std::string criteria1Text = "Criterias: ";
  std::string criteria2Text = "Criterias: ";
  CharacteristicsGrid characteristicsGrid;
  bool characteristicsShown = false;  // the grid holds a computed sample
  long double chartMaximum = 1.01L;   // the left axis runs from 0 to this

  /// A new analysis without data for a load that must leave this one as it is until the new
  /// one is complete: the same inputs, and the same results where a step leaves those it does
  /// not reach as they were (the texts, the characteristics, the classes, the histogram, the
  /// law's curves and the chart scale). The empirical function's steps, as many as the values,
  /// are not copied: the new analysis has none until a step draws them.
  TSampleAnalysis successor() const;

  // ---- Steps ----
  /// Takes freshly read values as the file data (sorted); false, changing nothing, when empty.
  bool load(TValues values);
  /// Makes the working sample a copy of the file data with the mode applied (the edits'
  /// texts parsed, unparsable ones falling back to 0, 0 and 0, 1000), then refreshes.
  void applyAbnormalMode(AbnormalMode mode, const Progress& progress = {});
  /// The refresh chain: variation series, then (for a non-empty sample) classes, histogram,
  /// empirical function, law fit, chart scale, characteristics, and the suggested law. The
  /// share done goes to `progress` between these steps; a stop it asks for throws Cancelled,
  /// leaving the results as a failure there would (a caller that must keep them refreshes a
  /// copy). The steps below report and stop the same way.
  void refresh(const Progress& progress = {});
  /// Class count (rewriting classCountText), classes, histogram, empirical function with the
  /// law refit, chart scale. Fails with "Class count error" when the classes cannot be formed.
  void classCountChanged(const Progress& progress = {});
  /// Redraws the empirical function (by classes or variants) and refits the law.
  void fnModeChanged(const Progress& progress = {});
  /// Recreates the law of lawIndex and refits it.
  void lawChosen(const Progress& progress = {});
  /// Fits the law, runs both criteria, writes the three texts and the curves. A failure of the
  /// fit is reported in criteria1Text ("It is imposible to apply ...") and never thrown.
  void updateLaw(const Progress& progress = {});
  /// Selects the suggested law (refitting when the selection changes); returns its index.
  int findLaw(const Progress& progress = {});
  /// The left axis maximum for `series` on the active tab.
  void setChartScale(const TVariants& series);
  /// Fills the characteristics grid from the variation series.
  void showCharacteristics();

  // ---- Transformations of the working sample (each leaves it unchanged when it fails) ----
  // The share of the values done goes to `progress`; a stop it asks for throws Cancelled and
  // leaves the sample unchanged too.

  /// Shifts a sample whose first value is negative so that it starts at 0.001; false when not.
  bool doPositive(const Progress& progress = {});
  /// doPositive, then the natural logarithm of every value.
  void transformLn(const Progress& progress = {});
  /// e^x of every value.
  void transformExp(const Progress& progress = {});
  /// (x - mean) / s for every value; nothing for an empty sample.
  void transformStandard(const Progress& progress = {});
  /// x raised to p (p = 0 gives 1; integer p multiplies, so negative x is allowed; otherwise
  /// e^(p ln x)).
  void transformPower(long double p, const Progress& progress = {});

  /// The suggested law index from skewness and kurtosis (without selecting it).
  int suggestedLaw() const;
  /// The class count asked for by the inputs: the edit when "Set class count" is checked and it
  /// holds a positive integer, otherwise the automatic count.
  int32_t classCountToUse() const;

 private:
  void showHistogram();
  void showFn(const TVariants& series, const Progress& progress);
};

/// Raises x to the power p as the Power transformation does; faults are FloatErrors.
long double powerOf(long double x, long double p);

}  // namespace statorium
