// The average-parameters experiment: grid rows, verdicts, averages and the pair table.

#include <gtest/gtest.h>

#include <cmath>
#include <regex>

#include "core/experiment.h"
#include "core/numtext.h"
#include "tests/core/errortext.h"
#include "tests/support/near.h"

namespace statorium {
namespace {

const std::regex kVerdict(R"((accepted|rejected) -?\d+\.\d{3})");
const std::regex kNumber(R"(-?\d+\.\d{3})");

ExperimentPlan plan(SeriesLaw law, double first, double second, int size, int checks) {
  ExperimentPlan p;
  p.law = law;
  p.parameters = {first, second};
  p.size = size;
  p.checks = checks;
  return p;
}

struct ExperimentRun {
  std::vector<std::array<std::string, 4>> rows;
  std::vector<std::string> results;
  std::vector<std::vector<std::string>> pairs;
};

ExperimentRun runExperiment(const ExperimentPlan& p, uint64_t seed) {
  TRandomSource random(seed);
  TExperiment experiment(p, random);
  ExperimentRun r;
  for (int c = 0; c < experiment.checkCount(); ++c) r.rows.push_back(experiment.runCheck());
  r.results = experiment.results();
  for (int i = 0; i < experiment.checksDone(); ++i) r.pairs.push_back(experiment.pairRow(i));
  return r;
}

// The verdict's statistic, read back from the text after the word.
long double verdictValue(const std::string& verdict) {
  long double v = 0;
  parseLocaleNumber(verdict.substr(verdict.find(' ') + 1), v);
  return v;
}

TEST(Experiment, DefaultExponentialRun) {
  const ExperimentRun r = runExperiment(plan(SeriesLaw::Exponential, 0.3, 0, 100, 25), 11);
  ASSERT_EQ(r.rows.size(), 25u);
  for (const auto& row : r.rows) {
    EXPECT_TRUE(std::regex_match(row[0], kNumber)) << row[0];
    EXPECT_TRUE(std::regex_match(row[1], kVerdict)) << row[1];
    EXPECT_EQ(row[2], "");
    EXPECT_EQ(row[3], "");
  }
  ASSERT_EQ(r.results.size(), 1u);
  EXPECT_TRUE(
      std::regex_match(r.results[0], std::regex(R"(\d+\.\d{3}; (accepted|rejected) -?\d+\.\d{3})")))
      << r.results[0];
  // 25 x 25 with the 300 cells above the diagonal filled.
  ASSERT_EQ(r.pairs.size(), 25u);
  int filled = 0;
  for (size_t i = 0; i < r.pairs.size(); ++i) {
    ASSERT_EQ(r.pairs[i].size(), 25u);
    for (size_t j = 0; j < 25; ++j) {
      if (j <= i) {
        EXPECT_EQ(r.pairs[i][j], "");
        continue;
      }
      EXPECT_TRUE(std::regex_match(r.pairs[i][j], std::regex(R"([+-]\(\d+\.\d{3}\))")));
      ++filled;
    }
  }
  EXPECT_EQ(filled, 300);
}

TEST(Experiment, TheSameSeedRepeatsTheRun) {
  const ExperimentPlan p = plan(SeriesLaw::Normal, 100.3, 35.2, 50, 4);
  const ExperimentRun a = runExperiment(p, 3), b = runExperiment(p, 3);
  EXPECT_EQ(a.rows, b.rows);
  EXPECT_EQ(a.results, b.results);
  EXPECT_EQ(a.pairs, b.pairs);
}

// The average is tested with the variance of the average: the estimates' spread squared over
// the number of checks. Recomputed from the grid's estimates (rounded to 3 decimals, which moves
// the statistic by far less than the tolerance).
TEST(Experiment, AveragesAreTestedWithTheVarianceOfTheAverage) {
  const int k = 30;
  const ExperimentRun r = runExperiment(plan(SeriesLaw::Normal, 100.3, 35.2, 200, k), 5);
  ASSERT_EQ(r.results.size(), 2u);
  const long double truth[2] = {100.3L, 35.2L};
  for (int p = 0; p < 2; ++p) {
    long double sum = 0, squares = 0;
    std::vector<long double> e;
    for (const auto& row : r.rows) {
      long double v = 0;
      ASSERT_TRUE(parseLocaleNumber(row[2 * p], v));
      e.push_back(v);
      sum += v;
    }
    const long double mean = sum / k;
    for (long double v : e) squares += (v - mean) * (v - mean);
    const long double sd = std::sqrt(squares / (k - 1));
    const std::string& line = r.results[static_cast<size_t>(p)];
    EXPECT_EQ(line.substr(0, line.find(';')), formatFixed(mean, 3));
    const long double t = (truth[p] - mean) / (sd / std::sqrt(static_cast<long double>(k)));
    EXPECT_NEAR(static_cast<double>(verdictValue(line.substr(line.find(';') + 2))),
                static_cast<double>(t), 0.01)
        << line;
  }
}

// The Weibull generator's a divides x^b while the fit estimates the scale alpha of x, so the
// estimates are compared with a^(1/b): with the start values 10.5^(1/4.2) = 1.751.
TEST(Experiment, WeibullEstimatesAreComparedInTheFitsScale) {
  int accepted = 0;
  const int runs = 20;
  for (int seed = 1; seed <= runs; ++seed) {
    const ExperimentRun r =
        runExperiment(plan(SeriesLaw::Weibull, 10.5, 4.2, 100, 10), static_cast<uint64_t>(seed));
    long double average = 0;
    ASSERT_TRUE(parseLocaleNumber(r.results[0].substr(0, r.results[0].find(';')), average));
    EXPECT_NEAR(static_cast<double>(average), std::pow(10.5, 1 / 4.2), 0.05);
    accepted += r.results[0].find("; accepted ") != std::string::npos;
  }
  EXPECT_GE(accepted, runs * 3 / 4);
}

TEST(Experiment, PairCells) {
  const std::vector<long double> a{1, 2, 3, 4, 5}, b{1, 2, 3, 4, 5};
  EXPECT_EQ(pairMatchCell(a, b), "+(0.000)");
  // No value of the second below any of the first: W = 0, u = -12.5 / sqrt(25 * 11 / 12).
  EXPECT_EQ(pairMatchCell(a, {6, 7, 8, 9, 10}), "-(2.611)");
  EXPECT_EQ(pairMatchCell({6, 7, 8, 9, 10}, a), "-(2.611)");
}

TEST(Experiment, TextsAsTheWindowReadsThem) {
  struct Case {
    std::string text;
    int count;
  };
  for (const Case& c :
       {Case{"25", 25}, Case{"25 ", 1}, Case{" 25", 1}, Case{"x", 1}, Case{"", 1}, Case{"+3", 3}})
    EXPECT_EQ(parseCheckCount(c.text), c.count) << "'" << c.text << "'";
  ExperimentSettings s;
  s.law = SeriesLaw::Normal;
  s.sizeText = " 40 ";
  s.checkCountText = "7 ";
  s.firstText = "2";
  s.secondText = "abc";  // one bad parameter zeroes both
  const ExperimentPlan p = planFromTexts(s);
  EXPECT_EQ(p.size, 40);
  EXPECT_EQ(p.checks, 1);
  EXPECT_EQ(p.parameters.first, 0);
  EXPECT_EQ(p.parameters.second, 0);
}

TEST(Experiment, FailuresStopTheRun) {
  // Zero parameters cannot be generated or estimated; one check leaves no spread; a series of
  // one value cannot be fitted.
  TRandomSource random(1);
  TExperiment zero(plan(SeriesLaw::Exponential, 0, 0, 100, 5), random);
  EXPECT_EQ(test::errorText([&] { zero.runCheck(); }), test::kDivByZero);
  EXPECT_EQ(zero.checksDone(), 0);

  TExperiment single(plan(SeriesLaw::Exponential, 0.3, 0, 100, 1), random);
  single.runCheck();
  EXPECT_EQ(test::errorText([&] { single.results(); }), test::kInvalidOp);

  TExperiment tiny(plan(SeriesLaw::Normal, 100.3, 35.2, 1, 5), random);
  EXPECT_NE(test::errorText([&] { tiny.runCheck(); }), "<no error>");
}

}  // namespace
}  // namespace statorium
