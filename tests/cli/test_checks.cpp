// statorium-cli many-series and experiment: output blocks, errors and usage.

#include <gtest/gtest.h>

#include <sstream>

#include "cli/cliapp.h"
#include "tests/support/tempdir.h"

namespace {

using statorium::test::TempDir;

struct Result {
  int code;
  std::string out, err;
};

Result cli(std::vector<std::string> args) {
  std::ostringstream out, err;
  const int code = statorium::cli::runCli(args, out, err);
  return {code, out.str(), err.str()};
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

TEST(ManySeriesCommand, PrintsTheThreeBlocks) {
  TempDir dir;
  const std::string a = dir.write("a.txt", "1\n2\n3\n");
  const std::string b = dir.write("b.txt", "2\n4\n6\n");
  const std::string c = dir.write("c.txt", "5\n6\n7\n");
  const Result r = cli({"many-series", a, b, c});
  ASSERT_EQ(r.code, 0) << r.err;
  const std::vector<std::string> out = lines(r.out);
  ASSERT_EQ(out.size(), 14u) << r.out;
  EXPECT_EQ(out[0], "X^2 = 1.134");
  EXPECT_EQ(out[4], "");
  EXPECT_EQ(out[5], "F = 6.000");
  EXPECT_EQ(out[9], "");
  EXPECT_EQ(out[10], "H = 5.000");
  EXPECT_EQ(out[13], "Accepted. Series are similar.");
}

TEST(ManySeriesCommand, FailuresAndUsage) {
  TempDir dir;
  const std::string a = dir.write("a.txt", "1\n2\n3\n");
  const std::string one = dir.write("one.txt", "4\n");
  const Result degenerate = cli({"many-series", a, one});
  EXPECT_EQ(degenerate.code, 1);
  EXPECT_EQ(degenerate.out, "");
  EXPECT_NE(degenerate.err.find("Invalid floating point operation"), std::string::npos);
  const Result missing = cli({"many-series", a, dir.file("missing.txt")});
  EXPECT_EQ(missing.code, 1);
  EXPECT_NE(missing.err.find("I/O error 103"), std::string::npos);
  EXPECT_EQ(cli({"many-series", a}).code, 2);
  EXPECT_EQ(cli({"many-series", a, a, "--bogus"}).code, 2);
}

TEST(ExperimentCommand, PrintsTheGridsAndRepeatsWithASeed) {
  const std::vector<std::string> args{"experiment", "--law", "normal", "--size", "60",
                                      "--checks",   "4",     "--seed", "9"};
  const Result r = cli(args);
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, cli(args).out);
  const std::vector<std::string> out = lines(r.out);
  // Title, header, 4 rows, the empty row, an empty line, 2 result lines, an empty line,
  // title, 4 rows of the pair table, an empty line.
  ASSERT_EQ(out.size(), 17u) << r.out;
  EXPECT_EQ(out[0], "Evaluation details");
  EXPECT_EQ(out[1], "Parameter 1\tt-Test result\tParameter 2\tt-Test result");
  EXPECT_EQ(out[6], "\t\t\t");
  EXPECT_EQ(out[7], "");
  EXPECT_NE(out[8].find("; "), std::string::npos);
  EXPECT_NE(out[9].find("; "), std::string::npos);
  EXPECT_EQ(out[10], "");
  EXPECT_EQ(out[11], "Pair match");
  EXPECT_EQ(out[12].substr(0, 2), "\t+");
  EXPECT_EQ(out[15], "\t\t\t");
  EXPECT_EQ(out[16], "");
}

TEST(ExperimentCommand, OneCheckStopsAfterTheGrid) {
  const Result r =
      cli({"experiment", "--law", "exponential", "--size", "50", "--checks", "1", "--seed", "2"});
  EXPECT_EQ(r.code, 1);
  // Title, header, one row, the empty row and the line after the grid.
  EXPECT_EQ(lines(r.out).size(), 5u) << r.out;
  EXPECT_NE(r.err.find("Invalid floating point operation"), std::string::npos);
  EXPECT_EQ(cli({"experiment", "--law", "normal", "--size", "50"}).code, 2);
  EXPECT_EQ(cli({"experiment", "--law", "gamma", "--size", "5", "--checks", "2"}).code, 2);
}

}  // namespace
