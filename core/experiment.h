#pragma once
// The average-parameters experiment: a Monte-Carlo study of how well the law fitting recovers
// known parameters. Each check generates a series of the law, estimates its parameters and tests
// them against the true ones; the averages over the checks are tested the same way, and every
// pair of generated series is compared with the U-criterion.

#include <array>
#include <string>
#include <vector>

#include "core/randomsource.h"
#include "core/series.h"

namespace statorium {

/// The experiment's inputs as the window's edits hold them.
struct ExperimentSettings {
  SeriesLaw law = SeriesLaw::Exponential;
  std::string sizeText = "100";       // blanks around the number are ignored
  std::string checkCountText = "25";  // taken as it stands: a blank makes it no integer
  std::string firstText;              // lambda, sigma or a, in the user's number format
  std::string secondText;             // m or b; unused for the exponential law
};

/// The checks count typed as text: a decimal integer with nothing around it, 1 otherwise.
int parseCheckCount(const std::string& text);

/// What one run does: the law, its true parameters, the series size and the number of checks.
struct ExperimentPlan {
  SeriesLaw law = SeriesLaw::Exponential;
  SeriesParameters parameters;
  int size = 100;
  int checks = 25;
};

/// Reads the window's texts: a size or checks count that is no integer counts as 1; parameters
/// that are not numbers make all of the law's parameters 0, with which the first check fails.
ExperimentPlan planFromTexts(const ExperimentSettings& settings);

/// The header of the details grid.
extern const std::array<const char*, 4> kExperimentDetailsHeader;

/// The pair table's cell of two series sorted ascending: "+(0.734)" when their U-criterion,
/// taken absolutely, is at most U(0.05), otherwise "-(2.101)".
std::string pairMatchCell(const std::vector<long double>& first,
                          const std::vector<long double>& second);

class TExperiment {
 public:
  TExperiment(const ExperimentPlan& plan, TRandomSource& random) : m_plan(plan), m_random(random) {}

  int checkCount() const { return m_plan.checks; }
  int checksDone() const { return static_cast<int>(m_series.size()); }
  /// 1 for the exponential law, 2 for the others.
  int paramCount() const { return m_plan.law == SeriesLaw::Exponential ? 1 : 2; }

  /// Runs the next check and returns its row of the details grid: estimate 1, its verdict,
  /// estimate 2, its verdict (the last two empty for the exponential law). A verdict is
  /// "accepted 0.512" or "rejected -2.347". Fails with a floating-point error when the series
  /// cannot be generated or its parameters cannot be estimated; the check then does not count.
  std::array<std::string, 4> runCheck();

  /// The result lines, one per parameter: the average estimate, "; " and its verdict against
  /// the true value, with the variance of the average (the estimates' variance over the checks
  /// divided by their number). Fewer than two checks fail with an invalid operation.
  std::vector<std::string> results() const;

  /// The pair table's row i: the pairMatchCell of series i and j for every later check j; the
  /// cells on and before the diagonal are empty. The row has checksDone() cells.
  std::vector<std::string> pairRow(int i) const;

 private:
  ExperimentPlan m_plan;
  TRandomSource& m_random;
  std::vector<std::vector<long double>> m_series;  // each sorted ascending
  std::vector<long double> m_p1, m_p2;             // the estimates over the checks
};

}  // namespace statorium
