// Opening any data file as one sample.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/sampleopening.h"
#include "tests/core/errortext.h"
#include "tests/core/stafiles.h"
#include "tests/support/tempdir.h"

namespace statorium {
namespace {

using test::errorText;
using test::TempDir;
using Values = std::vector<long double>;

class SampleOpening : public ::testing::Test {
 protected:
  std::string staFile(const std::string& name, const std::vector<Values>& props) {
    return test::writeStaFile(dir, name, props);
  }
  TempDir dir;
};

TEST_F(SampleOpening, TextFileGivesItsValuesUnsorted) {
  int asked = 0;
  const TValues v = openValues(dir.write("s.txt", "3\n1\n2\n"), [&](const TStatsObject&) {
    ++asked;
    return 0;
  });
  EXPECT_EQ(v.data(), (Values{3, 1, 2}));
  EXPECT_EQ(asked, 0);
}

TEST_F(SampleOpening, OnePropertyIsTakenWithoutAsking) {
  int asked = 0;
  auto chooser = [&](const TStatsObject&) {
    ++asked;
    return 0;
  };
  EXPECT_EQ(openValues(staFile("one.sta", {{5, 4}}), chooser).data(), (Values{5, 4}));
  EXPECT_EQ(openValues(dir.write("one.CSV", "x\n7\n8\n"), chooser).data(), (Values{7, 8}));
  EXPECT_TRUE(openValues(staFile("none.sta", {}), chooser).empty());
  EXPECT_EQ(asked, 0);
}

TEST_F(SampleOpening, SeveralPropertiesAskWhichOne) {
  const std::string sta = staFile("three.sta", {{1}, {2, 2}, {3, 3, 3}});
  const std::string csv = dir.write("three.csv", "a,b,c\n1,2,3\n4,5,6\n");
  const struct {
    int answer;
    Values sta, csv;
  } cases[] = {
      {2, {3, 3, 3}, {3, 6}}, {1, {2, 2}, {2, 5}},
      {0, {1}, {1, 4}},       {-1, {1}, {1, 4}},  // no valid answer: the first property
      {3, {1}, {1, 4}},
  };
  for (const auto& c : cases) {
    int seen = 0;
    auto chooser = [&](const TStatsObject& obj) {
      seen = obj.propCount();
      return c.answer;
    };
    EXPECT_EQ(openValues(sta, chooser).data(), c.sta) << c.answer;
    EXPECT_EQ(seen, 3);
    EXPECT_EQ(openValues(csv, chooser).data(), c.csv) << c.answer;
  }
  EXPECT_EQ(openValues(sta, nullptr).data(), (Values{1}));
}

TEST_F(SampleOpening, ReadingErrorsReachTheCaller) {
  const std::string missingSta = dir.file("missing.sta");
  EXPECT_EQ(errorText([&] {
              openValues(missingSta, nullptr);
            }).rfind("Cannot open file \"" + missingSta + "\". ", 0),
            0u);
  EXPECT_EQ(errorText([&] { openValues(dir.file("missing.csv"), nullptr); }), "I/O error 103");
  EXPECT_EQ(errorText([&] { openValues(dir.file("missing.txt"), nullptr); }), "I/O error 103");
  const std::string damaged = dir.write("damaged.sta", std::string("\x10\0\0\0", 4));
  EXPECT_EQ(errorText([&] { openValues(damaged, nullptr); }),
            "Cannot read file \"" + damaged + "\". The file is truncated or damaged.");
}

}  // namespace
}  // namespace statorium
