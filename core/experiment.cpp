#include "core/experiment.h"

#include <charconv>
#include <cmath>

#include "core/extendedsort.h"
#include "core/fpfault.h"
#include "core/numtext.h"
#include "core/quantiles.h"
#include "core/ttest.h"
#include "core/ucriteria.h"
#include "core/variants.h"

namespace statorium {

const std::array<const char*, 4> kExperimentDetailsHeader = {"Parameter 1", "t-Test result",
                                                             "Parameter 2", "t-Test result"};

namespace {

std::string fixed3(long double v) {
  return formatFixed(finiteOrThrow(v), 3);
}

// The average of the estimates with its verdict. The average of k estimates varies k times
// less than one estimate, so it is tested with the estimates' variance divided by k.
std::string averageLine(const std::vector<long double>& estimates, long double trueValue) {
  const TValues values(estimates);
  const long double average = values.Average();
  const long double spread = values.AverageQuadratic();  // fewer than two checks: invalid
  FpScope fp;
  const long double variance = spread * spread / static_cast<long double>(estimates.size());
  fp.check(variance);
  return fixed3(average) + "; " + tTestVerdict(trueValue, average, variance);
}

}  // namespace

int parseCheckCount(const std::string& text) {
  int n = 0;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (first != last && *first == '+') ++first;
  const auto [ptr, ec] = std::from_chars(first, last, n);
  if (ec != std::errc() || ptr != last || first == last) return 1;
  return n;
}

ExperimentPlan planFromTexts(const ExperimentSettings& settings) {
  ExperimentPlan plan;
  plan.law = settings.law;
  plan.parameters = parseSeriesParameters(settings.law, settings.firstText, settings.secondText);
  plan.size = parseSeriesSize(settings.sizeText);
  plan.checks = parseCheckCount(settings.checkCountText);
  return plan;
}

std::array<std::string, 4> TExperiment::runCheck() {
  TValues series = generateSeries(m_plan.law, m_plan.parameters, m_plan.size, m_random);
  series.QuickSort();
  TVariants variants;
  variants.setVariants(series);
  const LawEstimates e = estimateLawParameters(m_plan.law, variants);
  const LawReference truth = fittedScale(m_plan.law, m_plan.parameters);
  std::array<std::string, 4> row;
  row[0] = fixed3(e.first);
  row[1] = tTestVerdict(truth.first, e.first, e.firstVariance);
  if (paramCount() == 2) {
    row[2] = fixed3(e.second);
    row[3] = tTestVerdict(truth.second, e.second, e.secondVariance);
  }
  m_p1.push_back(e.first);
  if (paramCount() == 2) m_p2.push_back(e.second);
  m_series.push_back(series.data());
  return row;
}

std::vector<std::string> TExperiment::results() const {
  const LawReference truth = fittedScale(m_plan.law, m_plan.parameters);
  std::vector<std::string> lines{averageLine(m_p1, truth.first)};
  if (paramCount() == 2) lines.push_back(averageLine(m_p2, truth.second));
  return lines;
}

std::string pairMatchCell(const std::vector<long double>& first,
                          const std::vector<long double>& second) {
  const long double u = std::fabs(UCriteriaSorted(first, second));
  return (u <= U(0.05L) ? "+(" : "-(") + fixed3(u) + ")";
}

std::vector<std::string> TExperiment::pairRow(int i) const {
  std::vector<std::string> row(m_series.size());
  for (size_t j = static_cast<size_t>(i) + 1; j < m_series.size(); ++j)
    row[j] = pairMatchCell(m_series[static_cast<size_t>(i)], m_series[j]);
  return row;
}

}  // namespace statorium
