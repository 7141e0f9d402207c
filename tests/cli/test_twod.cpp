// statorium-cli twod: the report of two properties of a statobject, the property options, the
// turned pair, failures with and without a partial report, and usage errors.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <sstream>

#include "cli/cliapp.h"
#include "core/numtext.h"
#include "tests/core/stafiles.h"
#include "tests/support/tempdir.h"

namespace {

using statorium::test::TempDir;
using statorium::test::writeStaFile;
using Lines = std::vector<std::string>;

struct Result {
  int code;
  std::string out, err;
};

Result twod(std::vector<std::string> args) {
  args.insert(args.begin(), "twod");
  std::ostringstream out, err;
  const int code = statorium::cli::runCli(args, out, err);
  return {code, out.str(), err.str()};
}

Lines linesOf(const std::string& text) {
  Lines lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Twenty pairs falling with x (the same as in the core's report test), and a third property
// with mean 4.5 and s = sqrt(165 / 19): the edges of its mean are 4.5 -+ 1.96 s / sqrt(20).
const std::vector<long double> kX = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10,
                                     11, 12, 13, 14, 15, 16, 17, 18, 19, 20};
const std::vector<long double> kY = {31, 27, 29, 24, 26, 22, 25, 20, 23, 18,
                                     21, 17, 19, 14, 16, 15, 12, 13, 9,  11};
const std::vector<long double> kZ = {5, 3, 8, 1, 9, 2, 7, 4, 6, 0, 5, 3, 8, 1, 9, 2, 7, 4, 6, 0};

class TwoDCommand : public ::testing::Test {
 protected:
  TempDir dir;
  std::string file = writeStaFile(dir, "three.sta", {kX, kY, kZ});
};

TEST_F(TwoDCommand, PrintsTheReportOfTheChosenProperties) {
  const Result r = twod({file});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.err, "");
  const Lines lines = linesOf(r.out);
  ASSERT_EQ(lines.size(), 40u);
  EXPECT_EQ(lines[1], "E{x}=10.5000 in [7.9072;13.0928]");
  EXPECT_EQ(lines[3], "E{y}=19.6000 in [16.8560;22.3440]");
  EXPECT_EQ(lines[21], "There is linear regressive dependence.");
  EXPECT_EQ(lines[39], "Model is good.");
  EXPECT_EQ(twod({file, "--x", "1", "--y", "2"}).out, r.out);

  // Properties count from 1; X and Y may be swapped or repeated.
  EXPECT_EQ(linesOf(twod({file, "--x", "2", "--y", "1"}).out)[1],
            "E{x}=19.6000 in [16.8560;22.3440]");
  const Lines third = linesOf(twod({file, "--y", "3"}).out);
  EXPECT_EQ(third[3], "E{y}=4.5000 in [3.2085;5.7915]");
  const Lines same = linesOf(twod({file, "--x", "3", "--y", "3"}).out);
  EXPECT_EQ(same[6], "R<>0 (t=9999.0000) - important");
  EXPECT_EQ(same[18], "Facts are similar.");
}

TEST_F(TwoDCommand, IndependentTurnsThePairAndTheLocaleSetsTheSeparator) {
  const Lines turned = linesOf(twod({file, "--independent"}).out);
  EXPECT_EQ(turned[6], "R=0 (t=0.0000) - not important");
  statorium::DecimalSeparatorScope comma(',');
  const Lines lines = linesOf(twod({file}).out);
  EXPECT_EQ(lines[1], "E{x}=10,5000 in [7,9072;13,0928]");
  EXPECT_EQ(lines[6], "R<>0 (t=-15,7478) - important");
  EXPECT_EQ(lines[18], "Facts are not similar.");
}

TEST_F(TwoDCommand, Failures) {
  const std::string one = writeStaFile(dir, "one.sta", {kX});
  const Result single = twod({one});
  EXPECT_EQ(single.code, 1);
  EXPECT_EQ(single.out, "");
  EXPECT_EQ(single.err,
            "The statobject has fewer than two properties: no two-dimensional analysis.\n");

  const Result missing = twod({file, "--y", "4"});
  EXPECT_EQ(missing.code, 1);
  EXPECT_EQ(missing.err, "The statobject has no property 4\n");

  const Result unreadable = twod({dir.file("none.sta")});
  EXPECT_EQ(unreadable.code, 1);
  EXPECT_EQ(unreadable.err.rfind("Cannot open file \"", 0), 0u) << unreadable.err;

  const std::string constant =
      writeStaFile(dir, "constant.sta", {kX, std::vector<long double>(20, 4)});
  const Result equal = twod({constant});
  EXPECT_EQ(equal.code, 1);
  EXPECT_EQ(equal.out, "");
  EXPECT_EQ(equal.err, "Invalid floating point operation\n");

  const std::string few = writeStaFile(dir, "few.sta", {{1, 2, 3}, {3, 1, 2}});
  EXPECT_EQ(twod({few}).err, "The two-dimensional analysis needs at least 4 pairs of values.\n");

  // Y near the largest double: the report is written up to the verdicts, and the parabola's
  // band above the largest double stops the run. What was printed stays.
  std::vector<long double> huge;
  for (int i = 1; i <= 10; ++i) huge.push_back(i % 2 ? 0 : 1.7e308L);
  const std::string far = writeStaFile(dir, "far.sta", {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, huge});
  const Result partial = twod({far});
  EXPECT_EQ(partial.code, 1);
  EXPECT_EQ(partial.err, "Floating point overflow\n");
  const Lines lines = linesOf(partial.out);
  ASSERT_EQ(lines.size(), 22u);
  EXPECT_EQ(lines[21], "Facts are independent.");
}

TEST_F(TwoDCommand, UsageErrors) {
  for (const std::vector<std::string>& args : {std::vector<std::string>{},
                                               {file, "--x"},
                                               {file, "--x", "0"},
                                               {file, "--y", "two"},
                                               {file, "--dependent"},
                                               {file, file}}) {
    const Result r = twod(args);
    EXPECT_EQ(r.code, 2) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("Usage: statorium-cli twod FILE [--x I] [--y J] [--independent]"),
              std::string::npos);
  }
  EXPECT_EQ(twod({"--help"}).code, 0);
}

// The built program under the C locale.
TEST_F(TwoDCommand, Executable) {
  const std::string out = dir.file("out.txt"), err = dir.file("err.txt");
  const std::string cmd = "LC_ALL=C " + std::string(STATORIUM_CLI_PATH) + " twod '" + file +
                          "' --y 3 >'" + out + "' 2>'" + err + "'";
  const int status = std::system(cmd.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(linesOf(TempDir::read(out))[3], "E{y}=4.5000 in [3.2085;5.7915]");
  EXPECT_EQ(TempDir::read(err), "");
}

}  // namespace
