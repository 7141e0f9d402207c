// statorium-cli describe: the main window's one-dimensional analysis of a file, printed line by
// line, in-process and through the built executable.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cliapp.h"
#include "core/numtext.h"
#include "core/statsobject.h"
#include "tests/support/tempdir.h"

namespace {

using statorium::test::TempDir;
using Lines = std::vector<std::string>;

struct Outcome {
  int code;
  std::string out;
  std::string err;
};

Outcome describe(std::vector<std::string> args) {
  args.insert(args.begin(), "describe");
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

// The sample text file of sixteen values.
const char* const kSixteen = "2\n3\n3\n4\n5\n5\n5\n6\n6\n7\n7\n8\n9\n10\n12\n14\n";

// Its full report. Mean 106/16, s = sqrt(162.75/15), five classes of width 2.4 for sqrt(16) = 4
// made odd; the normal fit has lambda 1.04 (probability 0.195) and chi-square 1.62 on 2 degrees
// of freedom, accepted at 0.05. Every number was worked out from the formulas at 40 digits.
const Lines kSixteenReport = {
    "Values: 16",
    "Classes: 5",
    "Average\t4.9962\t6.6250\t8.2538\t0.8310",
    "Standard Deviation\t2.1724\t3.3242\t4.4759\t0.5876",
    "Skewness\t-0.7579\t0.7255\t2.2089\t0.7568",
    "Coefficient of variation\t0.4588\t0.5018\t0.5448\t0.0219",
    "Kurtosis\t-1.2437\t-0.2450\t0.7537\t0.5095",
    "Antikurtosis\t2.1102\t2.0204\t1.9305\t-0.0458",
    "Absolute digression\t0.5517\t0.6499\t0.7480\t0.0501",
    "Law: Normal",
    "Normal law parameters: m=6.6250, sigma=3.4332",
    "Kolmogorov's criteria: H0: Fn(x)=F(x) is accepted (0.05).",
    "Pearson's criteria: H0: Fn(x)=F(x) is accepted (0.05).",
};

class Describe : public testing::Test {
 protected:
  TempDir dir;
  const std::string sixteen = dir.write("sixteen.txt", kSixteen);
};

TEST_F(Describe, PrintsTheWholeReport) {
  const Outcome o = describe({sixteen});
  EXPECT_EQ(o.code, 0) << o.err;
  EXPECT_EQ(linesOf(o.out), kSixteenReport);
  EXPECT_EQ(o.out.back(), '\n');
  EXPECT_EQ(o.err, "");
}

struct OptionCase {
  const char* name;
  std::vector<std::string> options;
  // Lines of the report that differ from the plain run, by line number.
  std::vector<std::pair<size_t, std::string>> changed;
};

class DescribeOptions : public Describe, public testing::WithParamInterface<OptionCase> {};

TEST_P(DescribeOptions, ChangeTheirLines) {
  const OptionCase& c = GetParam();
  std::vector<std::string> args = c.options;
  args.insert(args.begin(), sixteen);
  const Outcome o = describe(args);
  ASSERT_EQ(o.code, 0) << o.err;
  Lines expected = kSixteenReport;
  for (const auto& [line, text] : c.changed) expected[line] = text;
  EXPECT_EQ(linesOf(o.out), expected);
}

const std::string kRejected = "H0: Fn(x)=F(x) is rejected, significance level is equal to ";

INSTANTIATE_TEST_SUITE_P(
    Cases, DescribeOptions,
    testing::Values(
        // Three classes leave the two-parameter law no degree of freedom in Pearson's criterion.
        OptionCase{"Classes",
                   {"--classes", "3"},
                   {{1, "Classes: 3"}, {12, "Pearson's criteria: " + kRejected + "0.05."}}},
        // 1/6.625 = 0.150943...; lambda 0.81 (probability 0.45), chi-square 5.50 on 3 degrees.
        OptionCase{"ExponentialByHand",
                   {"--law", "exponential"},
                   {{9, "Law: Exponential"}, {10, "Exponential law parameters: lambda=0.1509"}}},
        // The criteria keep the verdicts of the suggested normal law.
        OptionCase{
            "NoLaw", {"--law", "none"}, {{9, "Law: NOT DEFINED"}, {10, "Law was not selected"}}},
        // The normal fit's probability 0.195 is below 0.25; chi-square 1.62 stays below 2.89.
        OptionCase{"Level",
                   {"--level", "0.25"},
                   {{11, "Kolmogorov's criteria: " + kRejected + "0.25."},
                    {12, "Pearson's criteria: H0: Fn(x)=F(x) is accepted (0.25)."}}}),
    [](const testing::TestParamInfo<OptionCase>& info) { return std::string(info.param.name); });

struct DropCase {
  std::vector<std::string> options;
  const char* values;
  const char* average;
};

TEST_F(Describe, AbnormalModes) {
  const DropCase cases[] = {
      // 0.1 > 1/16 drops the 2 but not the 3s; of 15 left, 0.1 > 1/15 drops the 14. 90 / 14.
      {{"--drop-gamma", "0.1", "0.1"}, "Values: 14", "6.4286"},
      {{"--drop-gamma", "0", "0"}, "Values: 16", "6.6250"},
      // 4, 5, 5, 5, 6, 6, 7, 7, 8, 9: 62 / 10.
      {{"--drop-interval", "4", "9"}, "Values: 10", "6.2000"},
      {{"--drop-interval", "-100", "100"}, "Values: 16", "6.6250"},
  };
  for (const DropCase& c : cases) {
    std::vector<std::string> args = c.options;
    args.insert(args.begin(), sixteen);
    const Outcome o = describe(args);
    ASSERT_EQ(o.code, 0) << o.err;
    const Lines lines = linesOf(o.out);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], c.values) << c.options[0];
    std::istringstream row(lines[2]);
    std::string caption, left, value;
    std::getline(row, caption, '\t');
    std::getline(row, left, '\t');
    std::getline(row, value, '\t');
    EXPECT_EQ(caption, "Average");
    EXPECT_EQ(value, c.average) << c.options[0];
  }
}

// An interval bound is taken as typed, to the last digit, as the window's edit takes it.
TEST_F(Describe, IntervalBoundKeepsEveryDigit) {
  std::string text;
  for (int i = 1; i <= 10; ++i) text += std::to_string(i / 100.0) + "\n";
  text += "0.30000000000000004\n0.5\n0.9\n";
  const std::string file = dir.write("bound.txt", text);
  const Outcome o = describe({file, "--drop-interval", "0", "0.30000000000000004"});
  ASSERT_EQ(o.code, 0) << o.err;
  EXPECT_EQ(linesOf(o.out)[0], "Values: 11");
}

TEST_F(Describe, PropertyOfAStatobject) {
  statorium::TStatsObject obj;
  obj.name = "two";
  obj.addValues(statorium::TValues({2, 3, 3, 4, 5, 5, 5, 6, 6, 7, 7, 8, 9, 10, 12, 14}));
  obj.addValues(statorium::TValues({3, -3, 2, -2, 1, -1, 0}));
  const std::string sta = dir.file("two.sta");
  obj.writeObject(sta);

  EXPECT_EQ(linesOf(describe({sta}).out), kSixteenReport);  // property 1 by default

  // -3 ... 3: mean 0, so no coefficient of variation; s = sqrt(28/6); h = sqrt(3 * 4) for the
  // uniform law; its three classes leave Pearson's criterion no degree of freedom.
  const Outcome o = describe({sta, "--property", "2"});
  ASSERT_EQ(o.code, 0) << o.err;
  EXPECT_EQ(linesOf(o.out), (Lines{
                                "Values: 7",
                                "Classes: 3",
                                "Average\t-1.6003\t0.0000\t1.6003\t0.8165",
                                "Standard Deviation\t1.0286\t2.1602\t3.2919\t0.5774",
                                "Skewness\t-0.4797\t0.0000\t0.4797\t0.2447",
                                "Kurtosis\t-3.5022\t-2.3143\t-1.1263\t0.6061",
                                "Antikurtosis\t4.8061\t0.6573\t-3.4914\t-2.1167",
                                "Absolute digression\t0.5768\t0.7130\t0.8492\t0.0695",
                                "Law: Uniform",
                                "Uniform law parameters: a=-3.4641, b=3.4641",
                                "Kolmogorov's criteria: H0: Fn(x)=F(x) is accepted (0.05).",
                                "Pearson's criteria: " + kRejected + "0.05.",
                            }));

  const Outcome missing = describe({sta, "--property", "3"});
  EXPECT_EQ(missing.code, 1);
  EXPECT_EQ(missing.err, "The statobject has no property 3\n");
  EXPECT_EQ(missing.out, "");

  // A statobject of one property has no second one either.
  statorium::TStatsObject one;
  one.name = "one";
  one.addValues(statorium::TValues({1, 2, 3, 4, 5, 6, 7, 8}));
  const std::string single = dir.file("one.sta");
  one.writeObject(single);
  EXPECT_EQ(describe({single, "--property", "1"}).code, 0);
  const Outcome second = describe({single, "--property", "2"});
  EXPECT_EQ(second.code, 1);
  EXPECT_EQ(second.err, "The statobject has no property 2\n");
}

TEST_F(Describe, UsageErrorsExitWith2) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {sixteen, "--classes", "0"},
      {sixteen, "--classes", "many"},
      {sixteen, "--classes"},
      {sixteen, "--property", "0"},
      {sixteen, "--law", "cauchy"},
      {sixteen, "--level", "0"},
      {sixteen, "--level", "1"},
      {sixteen, "--level", "abc"},
      {sixteen, "--drop-gamma", "0.1"},
      {sixteen, "--drop-interval", "a", "1"},
      {sixteen, "--drop-gamma", "0.1", "0.1", "--drop-interval", "0", "1"},
      {sixteen, "--frobnicate"},
      {sixteen, sixteen},
  };
  for (const auto& args : cases) {
    const Outcome o = describe(args);
    std::string shown;
    for (const std::string& a : args) shown += a + " ";
    EXPECT_EQ(o.code, 2) << shown;
    EXPECT_EQ(o.out, "") << shown;
    EXPECT_EQ(o.err.rfind("statorium-cli describe: ", 0), 0u) << o.err;
    EXPECT_NE(o.err.find("Usage: statorium-cli describe FILE"), std::string::npos) << o.err;
  }
}

TEST_F(Describe, AnalysisErrorsExitWith1) {
  const std::string empty = dir.write("empty.txt", "");
  const struct {
    std::string file;
    std::string message;
  } cases[] = {
      {dir.file("absent.txt"), "I/O error 103"},
      {empty, "No values were read from \"" + empty + "\""},
      // Four equal values ask for three classes, and only one can be formed.
      {dir.write("equal.txt", "7\n7\n7\n7\n"), "Class count error"},
      // The kurtosis divides by N - 3.
      {dir.write("three.txt", "1\n2\n4\n"), "Floating point division by zero"},
  };
  for (const auto& c : cases) {
    const Outcome o = describe({c.file});
    EXPECT_EQ(o.code, 1) << c.file;
    EXPECT_EQ(o.err, c.message + "\n");
    EXPECT_EQ(o.out, "");
  }
}

TEST_F(Describe, DecimalComma) {
  statorium::DecimalSeparatorScope comma(',');
  const Outcome o = describe({sixteen, "--level", "0,25"});
  ASSERT_EQ(o.code, 0) << o.err;
  const Lines lines = linesOf(o.out);
  ASSERT_EQ(lines.size(), kSixteenReport.size());
  EXPECT_EQ(lines[2], "Average\t4,9962\t6,6250\t8,2538\t0,8310");
  EXPECT_EQ(lines[8], "Absolute digression\t0,5517\t0,6499\t0,7480\t0,0501");
  EXPECT_EQ(lines[10], "Normal law parameters: m=6,6250, sigma=3,4332");
  EXPECT_EQ(lines[11], "Kolmogorov's criteria: " + kRejected + "0,25.");
  EXPECT_EQ(lines[12], "Pearson's criteria: H0: Fn(x)=F(x) is accepted (0,25).");

  // Bounds may be written with either separator.
  for (const char* left : {"3,5", "3.5"}) {
    const Outcome d = describe({sixteen, "--drop-interval", left, "9"});
    ASSERT_EQ(d.code, 0) << d.err;
    EXPECT_EQ(linesOf(d.out)[0], "Values: 10") << left;
  }
}

// The built program prints the same report under the C locale and reports errors on stderr.
TEST_F(Describe, Executable) {
  const std::string out = dir.file("out.txt"), err = dir.file("err.txt");
  const auto run = [&](const std::string& file) {
    const std::string cmd = "LC_ALL=C " + std::string(STATORIUM_CLI_PATH) + " describe '" + file +
                            "' >'" + out + "' 2>'" + err + "'";
    const int status = std::system(cmd.c_str());
    EXPECT_TRUE(WIFEXITED(status)) << cmd;
    return WEXITSTATUS(status);
  };
  EXPECT_EQ(run(sixteen), 0);
  EXPECT_EQ(linesOf(TempDir::read(out)), kSixteenReport);
  EXPECT_EQ(TempDir::read(err), "");

  EXPECT_EQ(run(dir.write("equal.txt", "7\n7\n7\n7\n")), 1);
  EXPECT_EQ(TempDir::read(out), "");
  EXPECT_EQ(TempDir::read(err), "Class count error\n");
}

}  // namespace
