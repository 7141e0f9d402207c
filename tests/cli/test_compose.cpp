// statorium-cli compose: the statobject file it writes, FILE:N, skipped and failing files, and
// usage errors.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cliapp.h"
#include "core/statsobject.h"
#include "tests/support/tempdir.h"

namespace {

using statorium::TStatsObject;
using statorium::TValues;
using statorium::test::TempDir;
using Values = std::vector<long double>;

struct Outcome {
  int code;
  std::string out;
  std::string err;
};

Outcome compose(std::vector<std::string> args) {
  args.insert(args.begin(), "compose");
  std::ostringstream out, err;
  const int code = statorium::cli::runCli(args, out, err);
  return {code, out.str(), err.str()};
}

class Compose : public testing::Test {
 protected:
  Compose() {
    TStatsObject obj;
    obj.name = "three";
    obj.addValues(TValues({1, 2}));
    obj.addValues(TValues({3, 4}));
    obj.addValues(TValues({5, 6}));
    obj.writeObject(three);
  }

  TStatsObject readBack() const {
    TStatsObject obj;
    obj.readStaObject(out);
    return obj;
  }

  TempDir dir;
  const std::string series = dir.write("series.txt", "2.5\n1\n7\n");
  const std::string three = dir.file("three.sta");
  const std::string csv = dir.write("two.csv", "10,20\n11,21\n");
  const std::string empty = dir.write("empty.txt", "");
  const std::string out = dir.file("out.sta");
};

TEST_F(Compose, WritesEachFileAsTheNextProperty) {
  const Outcome o = compose(
      {"--name", "Parts", "--out", out, series, three + ":3", csv + ":2", empty, three, series});
  EXPECT_EQ(o.code, 0) << o.err;
  EXPECT_EQ(o.out, "");
  EXPECT_EQ(o.err, "");
  const TStatsObject obj = readBack();
  EXPECT_EQ(obj.name,
            "Pa");  // the file keeps as many bytes of the UTF-16 name as it has characters
  ASSERT_EQ(obj.propCount(), 5);  // the empty file adds no property
  EXPECT_EQ(obj.Prop(0).data(), (Values{2.5, 1, 7}));
  EXPECT_EQ(obj.Prop(1).data(), (Values{5, 6}));
  EXPECT_EQ(obj.Prop(2).data(), (Values{20, 21}));
  EXPECT_EQ(obj.Prop(3).data(), (Values{1, 2}));  // no number: property 1
  EXPECT_EQ(obj.Prop(4).data(), (Values{2.5, 1, 7}));
}

TEST_F(Compose, OnlyAnAllDigitSuffixIsAPropertyNumber) {
  const std::string colon = dir.write("run:7.txt", "4\n");
  const std::string digits = dir.write("t:2", "8\n");
  const Outcome o =
      compose({"--name", "c", "--out", out, colon, colon + ":1", digits + ":1", three + ":02"});
  EXPECT_EQ(o.code, 0) << o.err;
  const TStatsObject obj = readBack();
  ASSERT_EQ(obj.propCount(), 4);
  EXPECT_EQ(obj.Prop(0).data(), (Values{4}));
  EXPECT_EQ(obj.Prop(1).data(), (Values{4}));
  EXPECT_EQ(obj.Prop(2).data(), (Values{8}));
  EXPECT_EQ(obj.Prop(3).data(), (Values{3, 4}));
}

TEST_F(Compose, FailuresWriteNothing) {
  const std::string missing = dir.file("missing.txt");
  const struct {
    std::vector<std::string> files;
    std::string error;
  } cases[] = {
      {{series, three + ":4"}, "The file \"" + three + "\" has no property 4\n"},
      {{series + ":2"}, "The file \"" + series + "\" has no property 2\n"},
      {{series, missing}, "I/O error 103\n"},
      {{empty, empty}, "There is nothing to save!\n"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"--name", "x", "--out", out};
    args.insert(args.end(), c.files.begin(), c.files.end());
    const Outcome o = compose(args);
    EXPECT_EQ(o.code, 1) << c.error;
    EXPECT_EQ(o.err, c.error);
    EXPECT_FALSE(std::filesystem::exists(out)) << c.error;
  }
}

TEST_F(Compose, AnUncreatableOutputFails) {
  const std::string target = dir.file("no-such-folder/out.sta");
  const Outcome o = compose({"--name", "x", "--out", target, series});
  EXPECT_EQ(o.code, 1);
  EXPECT_EQ(o.err.rfind("Cannot create file \"" + target + "\".", 0), 0u) << o.err;
}

TEST_F(Compose, UsageErrors) {
  const struct {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"--out", out, series}, "missing --name"},
      {{"--name", "x", series}, "missing --out"},
      {{"--name", "x", "--out", out}, "missing FILE"},
      {{"--out", out, series, "--name"}, "missing name"},
      {{"--name", "x", "--out", out, "--seed", "1", series}, "unknown option '--seed'"},
      {{"--name", "x", "--out", out, series + ":0"}, "property numbers count from 1"},
  };
  for (const auto& c : cases) {
    const Outcome o = compose(c.args);
    EXPECT_EQ(o.code, 2) << c.message;
    EXPECT_NE(o.err.find(c.message), std::string::npos) << o.err;
    EXPECT_NE(o.err.find("Usage: statorium-cli compose --name NAME --out PATH FILE[:N]..."),
              std::string::npos)
        << o.err;
    EXPECT_FALSE(std::filesystem::exists(out));
  }
}

}  // namespace
