// Composing a statobject from series files: the row texts of a candidate property, the
// composition in order, and the reading of a numbered property.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/composition.h"
#include "core/numtext.h"
#include "tests/core/errortext.h"
#include "tests/core/stafiles.h"
#include "tests/support/tempdir.h"

namespace statorium {
namespace {

using test::errorText;
using test::TempDir;
using Values = std::vector<long double>;

TEST(PropertyRow, DescribesTheSample) {
  const struct {
    Values values;
    const char *count, *min, *avg, *max;
  } cases[] = {
      {{1, 1, 2, 5}, "3", "1.0000", "2.2500", "5.0000"},  // distinct values counted once
      {{5, 2, 1, 1}, "3", "1.0000", "2.2500", "5.0000"},  // file order does not matter
      {{-0.5}, "1", "-0.5000", "-0.5000", "-0.5000"},
      {{1.23456, 2.5, 12345.6}, "3", "1.2346", "4116.4449", "12345.6000"},
  };
  for (const auto& c : cases) {
    const auto row = propertyRow("/data/series/s1.txt", TValues(c.values));
    ASSERT_TRUE(row);
    EXPECT_EQ(row->path, "/data/series/s1.txt");
    EXPECT_EQ(row->count, c.count);
    EXPECT_EQ(row->min, c.min);
    EXPECT_EQ(row->avg, c.avg);
    EXPECT_EQ(row->max, c.max);
    EXPECT_EQ(row->fileName, "s1.txt");
  }
}

TEST(PropertyRow, NumbersUseTheLocaleSeparator) {
  DecimalSeparatorScope comma(',');
  const auto row = propertyRow("s", TValues({1, 2}));
  ASSERT_TRUE(row);
  EXPECT_EQ(row->avg, "1,5000");
  EXPECT_EQ(row->fileName, "s");
}

TEST(PropertyRow, AnEmptySampleHasNoRow) {
  EXPECT_FALSE(propertyRow("empty.txt", TValues()));
}

TEST(ComposeObject, TakesTheSourcesInOrderAndSkipsEmptyOnes) {
  std::vector<std::string> read;
  const TStatsObject obj = composeObject(
      "parts", {{"a", 0}, {"empty", 0}, {"b", 1}, {"a", 0}}, [&](const PropertySource& s) {
        read.push_back(s.fileName + ":" + std::to_string(s.number));
        if (s.fileName == "empty") return TValues();
        return s.fileName == "a" ? TValues({3, 1, 2}) : TValues({9});
      });
  EXPECT_EQ(read, (std::vector<std::string>{"a:0", "empty:0", "b:1", "a:0"}));
  EXPECT_EQ(obj.name, "parts");
  ASSERT_EQ(obj.propCount(), 3);
  EXPECT_EQ(obj.Prop(0).data(), (Values{3, 1, 2}));  // file order kept
  EXPECT_EQ(obj.Prop(1).data(), (Values{9}));
  EXPECT_EQ(obj.Prop(2).data(), (Values{3, 1, 2}));
}

TEST(ComposeObject, ReadingErrorsPropagate) {
  EXPECT_EQ(errorText([] {
              composeObject("x", {{"a", 0}},
                            [](const PropertySource&) -> TValues { throw Error("I/O error 103"); });
            }),
            "I/O error 103");
}

class OpenProperty : public ::testing::Test {
 protected:
  std::string staFile(const std::string& name, const std::vector<Values>& props) {
    return test::writeStaFile(dir, name, props);
  }
  TempDir dir;
};

TEST_F(OpenProperty, TakesTheNumberedProperty) {
  const std::string three = staFile("three.sta", {{1}, {2, 2}, {3, 3, 3}});
  const std::string one = staFile("one.sta", {{7, 8}});
  const std::string csv = dir.write("two.csv", "1,2\n3,4\n");
  const std::string txt = dir.write("s.txt", "5\n4\n");
  const struct {
    std::string file;
    int number;
    Values expected;
  } cases[] = {
      {three, 0, {1}}, {three, 2, {3, 3, 3}}, {one, 0, {7, 8}}, {csv, 1, {2, 4}}, {txt, 0, {5, 4}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(openProperty({c.file, c.number}).data(), c.expected) << c.file << " " << c.number;
}

TEST_F(OpenProperty, AMissingPropertyFails) {
  const std::string three = staFile("three.sta", {{1}, {2}, {3}});
  const std::string one = staFile("one.sta", {{7}});
  const std::string none = staFile("none.sta", {});
  const std::string txt = dir.write("s.txt", "5\n");
  const struct {
    std::string file;
    int number;
  } cases[] = {{three, 3}, {one, 1}, {none, 1}, {txt, 1}};
  for (const auto& c : cases)
    EXPECT_EQ(errorText([&] {
                openProperty({c.file, c.number});
              }),
              "The file \"" + c.file + "\" has no property " + std::to_string(c.number + 1));
  // A statobject without properties has no first property either, but it gives no values:
  // the composition skips it as it skips an empty series.
  EXPECT_TRUE(openProperty({none, 0}).empty());
}

TEST_F(OpenProperty, ReadingErrorsPropagate) {
  EXPECT_EQ(errorText([&] { openProperty({dir.file("missing.txt"), 0}); }), "I/O error 103");
}

}  // namespace
}  // namespace statorium
