// statorium-cli two-series: output blocks, the paired variant, too few series and failures.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "cli/cliapp.h"
#include "tests/support/tempdir.h"

namespace {

using statorium::test::TempDir;

struct Result {
  int code;
  std::string out, err;
};

Result twoSeries(std::vector<std::string> args) {
  args.insert(args.begin(), "two-series");
  std::ostringstream out, err;
  const int code = statorium::cli::runCli(args, out, err);
  return {code, out.str(), err.str()};
}

TEST(TwoSeriesCommand, PrintsBothBlocks) {
  TempDir dir;
  const std::string a = dir.write("a.txt", "1\n2\n3\n4\n5\n");
  const std::string b = dir.write("b.txt", "2\n4\n6\n8\n10\n");
  const Result r = twoSeries({a, b});
  ASSERT_EQ(r.code, 0) << r.err;
  const std::string sep = "-----------------------------\n";
  EXPECT_EQ(r.out.substr(0, r.out.find("\n\n") + 2),
            "u = -1.567\nu(0.05) = 1.645\n" + sep + "Accepted. Series are similar.\n\n");
  EXPECT_NE(r.out.find("\nt = -1.897\n"), std::string::npos) << r.out;
  EXPECT_NE(twoSeries({a, b, "--dependent"}).out.find("\nt = -4.243\n"), std::string::npos);
}

TEST(TwoSeriesCommand, TooFewSeriesFailuresAndUsage) {
  TempDir dir;
  const std::string a = dir.write("a.txt", "1\n2\n3\n");
  const Result missing = twoSeries({a, dir.file("none.txt")});
  EXPECT_EQ(missing.code, 0);
  EXPECT_EQ(missing.out,
            "You need to have two series selected.\n\nYou need to have two series selected.\n");
  const Result equal = twoSeries({a, dir.write("e.txt", "4\n4\n4\n")});
  EXPECT_EQ(equal.code, 1);
  EXPECT_EQ(equal.err, "Floating point division by zero\n");
  EXPECT_EQ(std::count(equal.out.begin(), equal.out.end(), '\n'), 4);  // the U lines stay
  EXPECT_EQ(twoSeries({a}).code, 2);
  EXPECT_EQ(twoSeries({a, a, a}).code, 2);
  EXPECT_EQ(twoSeries({a, a, "--paired"}).code, 2);
}

}  // namespace
