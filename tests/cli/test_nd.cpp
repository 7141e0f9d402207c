// statorium-cli nd, dependence, regression and nd-similarity: the grids as printed, the main
// components file and its protection, the regression of one property, the similarity check of
// files, failures and usage errors.

#include <gtest/gtest.h>

#include <sstream>

#include "cli/cliapp.h"
#include "core/numtext.h"
#include "core/quantiles.h"
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

Result cli(const std::vector<std::string>& args) {
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

// x = 1..5 and y = 2x: means 3 and 6, variances 2.5 and 10, correlation 1, the eigenvalues
// 2 and 0.
const std::string kTwoProperties =
    "Sample averages\n"
    "  #1\t  #2\n"
    "3.0000\t6.0000\n"
    "\n"
    "Sample dispersions and covariations\n"
    "\t  #1\t  #2\n"
    "  #1\t2.5000\t5.0000\n"
    "  #2\t5.0000\t10.0000\n"
    "\n"
    "Sample pair correlations\n"
    "\t  #1\t  #2\n"
    "  #1\t1\t1.0000\n"
    "  #2\t1.0000\t1\n"
    "\n"
    "R's own values and vectors\n"
    "\tF1*\tF2\n"
    "X1\t0.7071\t0.7071\n"
    "X2\t0.7071\t-0.7071\n"
    "\n"
    "MMC table\n"
    "\tLambda\tLk/n\tDisp_k\n"
    "  #1\t2.0000\t1.0000\t0.5000\n"
    "  #2\t0.0000\t0.0000\t0.5000\n"
    "\n"
    "Transformed data\n"
    "X'\t  k1\t  k2\n"
    "  l1\t-1.7889\t0.0000\n"
    "  l2\t-0.8944\t0.0000\n"
    "  l3\t0.0000\t0.0000\n"
    "  l4\t0.8944\t0.0000\n"
    "  l5\t1.7889\t0.0000\n"
    "\n"
    "There are 1 main components\n";

class NDCommands : public ::testing::Test {
 protected:
  TempDir dir;
  std::string two = writeStaFile(dir, "data.sta", {{1, 2, 3, 4, 5}, {2, 4, 6, 8, 10}});
};

TEST_F(NDCommands, NdPrintsTheGridsAndWritesTheMainComponentsBesideTheFile) {
  const Result r = cli({"nd", two});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, kTwoProperties);
  statorium::TStatsObject written;
  written.readObject(dir.file("datai.sta"));
  ASSERT_EQ(written.propCount(), 1);
  EXPECT_EQ(statorium::formatFixed(written.Prop(0).getAt(0), 4), "-1.7889");

  // A second run keeps the file it would replace, after printing everything; a path named on
  // the command line is replaced.
  const std::string before = TempDir::read(dir.file("datai.sta"));
  const Result again = cli({"nd", two, "--standard"});
  EXPECT_EQ(again.code, 1);
  EXPECT_EQ(again.err, "The file \"" + dir.file("datai.sta") +
                           "\" already exists. Name the main components file with --components "
                           "to replace it.\n");
  EXPECT_EQ(linesOf(again.out)[2], "0.0000\t0.0000");  // standardized
  EXPECT_EQ(linesOf(again.out).back(), "There are 1 main components");
  const std::string elsewhere = dir.write("elsewhere.sta", "old");
  EXPECT_EQ(cli({"nd", "--components", elsewhere, two}).code, 0);
  EXPECT_EQ(TempDir::read(elsewhere), before);
}

TEST_F(NDCommands, NdFailuresAndUsage) {
  const std::string one = writeStaFile(dir, "one.sta", {{1, 2, 3}});
  const Result single = cli({"nd", one});
  EXPECT_EQ(single.code, 1);
  EXPECT_EQ(single.out, "");
  EXPECT_EQ(single.err,
            "The statobject has fewer than two properties: no multi-dimensional analysis.\n");
  EXPECT_EQ(cli({"nd", dir.file("none.sta")}).code, 1);
  for (const Lines& args : {Lines{"nd"}, Lines{"nd", two, "--components"}, Lines{"nd", two, "-x"},
                            Lines{"nd", two, two}})
    EXPECT_EQ(cli(args).code, 2) << args.back();

  const statorium::DecimalSeparatorScope comma(',');
  EXPECT_EQ(linesOf(cli({"nd", two, "--components", dir.file("c.sta")}).out)[2], "3,0000\t6,0000");
}

// x3 = x1 + x2 + noise over twenty observations (the fixture of the core's dependence tests).
std::vector<std::vector<long double>> noisySum() {
  std::vector<std::vector<long double>> p(3);
  for (int l = 0; l < 20; ++l) {
    p[0].push_back(l + (l * 37) % 7);
    p[1].push_back(0.5L * l + 2 * ((l * 53) % 11));
    p[2].push_back(p[0].back() + p[1].back() + 0.5L * ((l * 71) % 11 - 5));
  }
  return p;
}

TEST_F(NDCommands, DependencePrintsBothGrids) {
  const std::string sum = writeStaFile(dir, "sum.sta", noisySum());
  const Result r = cli({"dependence", sum});
  ASSERT_EQ(r.code, 0) << r.err;
  const Lines lines = linesOf(r.out);
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(lines[0], "Sample partial correlations");
  EXPECT_EQ(lines[1], "\t  #1\t  #2\t  #3");
  EXPECT_EQ(lines[2], "  #1\t\t-0.9139\t0.9645");
  EXPECT_EQ(lines[5], "");
  EXPECT_EQ(lines[6], "Sample correlations");
  EXPECT_EQ(lines[7], "  #1\t  #2\t  #3");
  EXPECT_EQ(lines[8], "0.9745\t0.9841\t0.9933");
  EXPECT_EQ(lines[9], "");
  EXPECT_EQ(cli({"dependence", two, two}).code, 2);
  EXPECT_EQ(cli({"dependence", writeStaFile(dir, "one.sta", {{1, 2, 3}})}).code, 1);
}

TEST_F(NDCommands, RegressionOfOneProperty) {
  const std::string sum = writeStaFile(dir, "sum.sta", noisySum());
  const Result r = cli({"regression", sum, "3"});
  ASSERT_EQ(r.code, 0) << r.err;
  const Lines lines = linesOf(r.out);
  ASSERT_EQ(lines.size(), 7u + 25u + 5u);
  EXPECT_EQ(lines[0], "Regression parameters");
  EXPECT_EQ(lines[1].rfind(" Ak-\t", 0), 0u);
  EXPECT_EQ(lines[4], "\t\t");
  EXPECT_EQ(lines[5].rfind(" st. Ak\t", 0), 0u);
  EXPECT_EQ(lines[6], "");
  EXPECT_EQ(lines[7], "Intervals");
  EXPECT_EQ(lines[8], "\tvalue-\tvalue\tvalue+");
  EXPECT_EQ(lines[9].rfind("D*D\t", 0), 0u);
  EXPECT_EQ(lines[10], "\t\t\t");
  EXPECT_EQ(lines[11].rfind("Y1\t", 0), 0u);
  EXPECT_EQ(lines[30].rfind("Y20\t", 0), 0u);
  EXPECT_EQ(lines[31], "");
  EXPECT_EQ(lines[32], "Regression is important (f > F):");
  EXPECT_EQ(lines[34], "F(.05, n1, n2) = " + statorium::formatFixed(statorium::f(0.05L, 3, 16), 4));
  EXPECT_EQ(lines[36], "R2 = " + statorium::formatFixed(0.9933L * 0.9933L, 4));

  // Three pairwise unrelated properties: no multiple correlation is important.
  const std::string unrelated = writeStaFile(
      dir, "unrelated.sta",
      {{1, 2, 3, 4, 5, 6, 7, 8}, {1, -1, -1, 1, 1, -1, -1, 1}, {1, 1, -1, -1, -1, -1, 1, 1}});
  const Result none = cli({"regression", unrelated, "1"});
  EXPECT_EQ(none.code, 1);
  EXPECT_EQ(none.out, "");
  EXPECT_EQ(none.err, "This correlation is not important.\n");
  EXPECT_EQ(cli({"regression", sum, "4"}).err, "The statobject has no property 4\n");
  for (const Lines& args : {Lines{"regression", sum}, Lines{"regression", sum, "0"},
                            Lines{"regression", sum, "1", "2"}, Lines{"regression"}})
    EXPECT_EQ(cli(args).code, 2) << args.size();
}

TEST_F(NDCommands, SimilarityOfStatobjectFiles) {
  const std::string xx = statorium::formatFixed(statorium::XX(0.05L, 3), 3);
  const std::string x2 = statorium::formatFixed(statorium::XX(0.05L, 2), 3);
  const std::string sum = writeStaFile(dir, "sum.sta", {noisySum()[0], noisySum()[1]});
  const Result same = cli({"nd-similarity", sum, sum});
  ASSERT_EQ(same.code, 0) << same.err;
  EXPECT_EQ(same.out, "V = 0.000\nX^2(0.05,3) = " + xx +
                          "\n-----------------------------\nAccepted. DC1 = DC2 = ... = DC2\n\n"
                          "V = 0.000\nX^2(0.05,2) = " +
                          x2 +
                          "\n-----------------------------\nAccepted. E1 = E2 = ... = E2\n\n\n"
                          "V = 0.000\nX^2(0.05,2) = " +
                          x2 + "\n-----------------------------\nAccepted. E1 = E2\n");

  // Files not ending in ".sta" are not read, as in the window.
  const std::string text = dir.write("series.txt", "1\n2\n3\n");
  const Result one = cli({"nd-similarity", sum, text});
  EXPECT_EQ(one.code, 0);
  EXPECT_EQ(one.out,
            "You need to have two series selected at least.\n\n"
            "You need to have two series selected at least.\n");

  const Result mixed = cli({"nd-similarity", sum, writeStaFile(dir, "three.sta", noisySum())});
  EXPECT_EQ(mixed.code, 1);
  EXPECT_EQ(mixed.err,
            "The statobjects have different numbers of properties: #1 has 2, #2 has 3.\n");
  EXPECT_EQ(cli({"nd-similarity", sum}).code, 2);
  EXPECT_EQ(cli({"nd-similarity", sum, sum, "--x"}).code, 2);
}

}  // namespace
