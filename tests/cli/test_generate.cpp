// statorium-cli generate: the series file, the evaluation lines, seeds and usage errors.

#include <gtest/gtest.h>

#include <sstream>

#include "cli/cliapp.h"
#include "core/values.h"
#include "tests/support/tempdir.h"

namespace {

using statorium::test::TempDir;

struct Result {
  int code;
  std::string out, err;
};

Result generate(std::vector<std::string> args) {
  args.insert(args.begin(), "generate");
  std::ostringstream out, err;
  const int code = statorium::cli::runCli(args, out, err);
  return {code, out.str(), err.str()};
}

TEST(Generate, WritesTheSeriesAndPrintsItsEvaluation) {
  TempDir dir;
  const struct {
    std::vector<std::string> args;
    size_t lines;
    const char* first;
  } cases[] = {
      {{"--law", "exponential", "--size", "300"}, 2, "L = "},
      {{"--law", "normal", "--size", "300", "--sigma", "2", "--m", "5"}, 4, "S = "},
      {{"--law", "weibull", "--size", "300", "--alpha", "3", "--beta", "2"}, 4, "a = "},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = c.args;
    const std::string path = dir.file("series");
    args.insert(args.end(), {"--out", path, "--seed", "9"});
    const Result r = generate(args);
    ASSERT_EQ(r.code, 0) << r.err;
    std::istringstream lines(r.out);
    std::vector<std::string> got;
    for (std::string l; std::getline(lines, l);) got.push_back(l);
    ASSERT_EQ(got.size(), c.lines) << r.out;
    EXPECT_EQ(got[0].rfind(c.first, 0), 0u) << got[0];
    statorium::TValues values;
    values.LoadFromTxtFile(path);
    EXPECT_EQ(values.count(), 300);
  }
}

TEST(Generate, TheSameSeedGivesTheSameSeries) {
  TempDir dir;
  auto run = [&](const std::string& name, const std::string& seed) {
    const std::string path = dir.file(name);
    const Result r = generate({"--law", "normal", "--size", "50", "--out", path, "--seed", seed});
    EXPECT_EQ(r.code, 0) << r.err;
    return std::make_pair(r.out, TempDir::read(path));
  };
  const auto a = run("a", "123");
  EXPECT_EQ(a, run("b", "123"));
  EXPECT_NE(a.second, run("c", "124").second);
}

TEST(Generate, UsageAndAnalysisErrors) {
  TempDir dir;
  const std::string out = dir.file("s");
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--size", "10", "--out", out},
           {"--law", "gamma", "--size", "10", "--out", out},
           {"--law", "normal", "--out", out},
           {"--law", "normal", "--size", "10"},
           {"--law", "normal", "--size", "-1", "--out", out},
           {"--law", "normal", "--size", "10", "--out", out, "--sigma", "x"}}) {
    const Result r = generate(args);
    EXPECT_EQ(r.code, 2) << r.err;
  }
  // A rate of zero divides by zero, as the window's does.
  const Result zero =
      generate({"--law", "exponential", "--size", "10", "--lambda", "0", "--out", out});
  EXPECT_EQ(zero.code, 1);
  EXPECT_EQ(zero.err, "Floating point division by zero\n");
}

}  // namespace
