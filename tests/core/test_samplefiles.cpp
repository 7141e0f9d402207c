// The sample text file and the sample CSV file: reading, writing and the failures of both.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "core/numtext.h"
#include "core/values.h"
#include "tests/core/errortext.h"
#include "tests/core/filelimits.h"
#include "tests/support/near.h"
#include "tests/support/tempdir.h"

namespace statorium {
namespace {

using test::errorText;
using test::FileSizeLimit;
using test::folderEntries;
using test::TempDir;
using Values = std::vector<long double>;

class SampleFiles : public ::testing::Test {
 protected:
  TempDir dir;
};

// ---- Sample text file ------------------------------------------------------------------------

struct TextCase {
  const char* name;
  std::string content;
  Values expected;
};

TEST_F(SampleFiles, TextReaderTakesTheFirstTokenOfEachLine) {
  const TextCase cases[] = {
      {"one per line", "3\n1\n2\n", {3, 1, 2}},
      {"trailing empty line adds nothing", "3\n1\n2\n\n", {3, 1, 2}},
      {"blanks after the last line end", "3\n1\n2\n  \t \n   ", {3, 1, 2}},
      {"empty lines between numbers", "\n\n5\n  \n\n6", {5, 6}},
      {"carriage returns", "3\r\n1\r\n2\r\n\r\n", {3, 1, 2}},
      {"no final line end", "4\n5", {4, 5}},
      {"word stops the reading", "1\n2\nabc\n4\n", {1, 2}},
      {"rest of the line ignored", "1.5e3   remark 7\n1.5 2.5\n", {1500, 1.5}},
      {"leading blanks and tabs", "  \t 7\n\t-8\n", {7, -8}},
      {"signs and exponents", "-2.5E-3\n+4\n1e+2\n.5\n6.\n", {-0.0025L, 4, 100, 0.5, 6}},
      {"decimal comma stops", "1,5\n2\n", {}},
      {"number glued to a comma stops", "1\n1.5,\n2\n", {1}},
      {"byte order mark at the start",
       "\xEF\xBB\xBF"
       "1\n2\n",
       {1, 2}},
      {"byte order mark later is no number",
       "1\n\xEF\xBB\xBF"
       "2\n",
       {1}},
      {"empty file", "", {}},
      {"beyond double range", "1e4000\n-1e-4000\n", {1e4000L, -1e-4000L}},
  };
  // The text file always uses ".", whatever the user's separator.
  for (char sep : {'.', ','}) {
    DecimalSeparatorScope scope(sep);
    for (const TextCase& c : cases) {
      SCOPED_TRACE(std::string(c.name) + " with separator " + sep);
      TValues v({99});  // reading empties the sample first
      v.LoadFromTxtFile(dir.write("sample.txt", c.content));
      EXPECT_EQ(v.data(), c.expected);
    }
  }
}

TEST_F(SampleFiles, TextReaderReadsManyLinesAcrossBufferBoundaries) {
  std::string content;
  Values expected;
  for (int i = 0; i < 300000; ++i) {
    expected.push_back(i * 0.25L - 1000);
    content += formatGeneral(expected.back());
    content += (i % 3 == 0) ? "\r\n" : "   \n";
  }
  TValues v;
  v.LoadFromTxtFile(dir.write("many.txt", content));
  EXPECT_EQ(v.data(), expected);
}

TEST_F(SampleFiles, UnopenableTextFileFailsWithIoError103AndLeavesTheSampleEmpty) {
  std::filesystem::create_directory(dir.file("folder"));
  for (const std::string& path : {dir.file("missing.txt"), dir.file("folder")}) {
    SCOPED_TRACE(path);
    TValues v({1, 2});
    EXPECT_EQ(errorText([&] { v.LoadFromTxtFile(path); }), "I/O error 103");
    EXPECT_TRUE(v.empty());
  }
}

TEST_F(SampleFiles, LoadFromFileChoosesTheReaderByExtension) {
  const std::string csv = "1,2\n3,4\n";
  TValues v;
  v.LoadFromFile(dir.write("upper.CSV", csv));
  EXPECT_EQ(v.data(), (Values{1, 3}));
  // Any other extension is a text file: "1,2" is no number there.
  v.LoadFromFile(dir.write("comma.dat", csv));
  EXPECT_TRUE(v.empty());
  v.LoadFromFile(dir.write("values.dat", "7\n8\n"));
  EXPECT_EQ(v.data(), (Values{7, 8}));
  v.LoadFromFile(dir.write("noextension", "9\n"));
  EXPECT_EQ(v.data(), (Values{9}));
  EXPECT_EQ(errorText([&] { v.LoadFromFile(dir.file("missing.csv")); }), "I/O error 103");
}

// ---- Sample CSV file -------------------------------------------------------------------------

struct CsvCase {
  const char* name;
  char separator;
  std::string content;
  int column;
  Values expected;
};

TEST_F(SampleFiles, CsvReaderReadsOneColumn) {
  const CsvCase cases[] = {
      {"header skipped, column 1", '.', "x,y\n1,2\n3,4\n", 1, {2, 4}},
      {"header skipped, column 0", '.', "x,y\n1,2\n3,4\n", 0, {1, 3}},
      {"header with a number is data", '.', "x,1\n2,3\n", 0, {0, 2}},
      {"short line stops", '.', "1,2\n3\n5,6\n", 1, {2}},
      {"empty line stops", '.', "1\n\n2\n", 0, {1}},
      {"field that is no number gives 0", '.', "1,abc\n2,3\n", 1, {0, 3}},
      {"blanks separate fields", '.', "1 2\n 3\t4  \n", 1, {2, 4}},
      {"carriage returns", '.', "1,2\r\n3,4\r\n", 1, {2, 4}},
      {"no final line end", '.', "1,2\n3,4", 0, {1, 3}},
      {"column beyond every line", '.', "1,2\n", 5, {}},
      {"exponents and signs", '.', "-1.5e2, +2E-1\n", 0, {-150}},
      {"point is no number with a comma locale", ',', "7,1.5\n8,2.5\n", 1, {0, 0}},
      {"quoted comma decimals", ',', "\"1,5\",\"-2,25\"\n3,4\n", 1, {-2.25L, 4}},
      {"quoted comma decimals under a point locale", '.', "\"1,5\",2\n", 0, {0}},
      {"first line all points under a comma locale is a header",
       ',',
       "1.5,2.5\n\"3,5\",4\n",
       0,
       {3.5L}},
      {"empty file", '.', "", 0, {}},
      {"semicolons separate, commas are decimals", ',', "1,5;2,5\n3;4,25\n", 1, {2.5L, 4.25L}},
      {"semicolon form with a header", ',', "x;y\n1,5;2\n", 0, {1.5L}},
      {"semicolon form under a point locale", '.', "1.5; 2.5\n3;4\n", 1, {2.5L, 4}},
      {"a quoted semicolon keeps the comma rule", '.', "\"a;b\",c\n1,2\n", 1, {2}},
      {"the first line decides the separator", '.', "1,2\n3;4,5\n", 0, {1, 0}},
  };
  for (const CsvCase& c : cases) {
    SCOPED_TRACE(c.name);
    DecimalSeparatorScope scope(c.separator);
    TValues v({99});
    v.LoadFromCsvFile(dir.write("sample.csv", c.content), c.column);
    EXPECT_EQ(v.data(), c.expected);
  }
}

TEST_F(SampleFiles, UnopenableCsvFileFailsWithIoError103) {
  TValues v({1});
  EXPECT_EQ(errorText([&] { v.LoadFromCsvFile(dir.file("missing.csv"), 0); }), "I/O error 103");
  EXPECT_TRUE(v.empty());
  EXPECT_EQ(errorText([&] { v.LoadFromCsvFile(dir.path().string(), 0); }), "I/O error 103");
}

// ---- Writing ---------------------------------------------------------------------------------

TEST_F(SampleFiles, WriterWritesOneFixedFieldPerLine) {
  const TValues v({1.5L, -0.00125L, 0, std::numeric_limits<long double>::infinity(),
                   -std::numeric_limits<long double>::infinity(),
                   std::numeric_limits<long double>::quiet_NaN()});
  const std::string path = dir.file("out.txt");
  DecimalSeparatorScope comma(',');  // the file always uses "."
  v.SaveToFile(path);
  EXPECT_EQ(TempDir::read(path),
            "  1.50000000000000E+0000\r\n"
            " -1.25000000000000E-0003\r\n"
            "  0.00000000000000E+0000\r\n"
            "                    +Inf\r\n"
            "                    -Inf\r\n"
            "                     Nan\r\n");

  TValues().SaveToFile(path);
  EXPECT_EQ(TempDir::read(path), "");
}

TEST_F(SampleFiles, SavedValuesReadBackToFifteenSignificantDigits) {
  std::mt19937_64 rng(2024);
  std::uniform_real_distribution<long double> mantissa(-10, 10);
  std::uniform_int_distribution<int> exponent(-4000, 4000);
  Values values = {1.5L,
                   -0.00125L,
                   0,
                   1.0L / 3,
                   -2.0L / 3,
                   123456789012345678.0L,
                   std::numeric_limits<long double>::max(),
                   std::numeric_limits<long double>::min(),
                   std::numeric_limits<long double>::denorm_min() * 1e15L};
  for (int i = 0; i < 2000; ++i) values.push_back(mantissa(rng) * std::pow(10.0L, exponent(rng)));

  const std::string path = dir.file("round.txt");
  TValues(values).SaveToFile(path);
  TValues back;
  back.LoadFromTxtFile(path);
  ASSERT_EQ(back.count(), static_cast<int>(values.size()));
  for (size_t i = 0; i < values.size(); ++i) {
    if (values[i] == 0) {
      EXPECT_EQ(back.data()[i], 0);
      continue;
    }
    // Fifteen significant digits: the relative error is at most half a unit of the 15th digit.
    EXPECT_TRUE(test::near(back.data()[i] / values[i], 1, 5.000001e-15L))
        << test::describeNear(back.data()[i], values[i]);
  }
  // What was read back is written again character for character.
  const std::string again = dir.file("again.txt");
  back.SaveToFile(again);
  EXPECT_EQ(TempDir::read(again), TempDir::read(path));
}

TEST_F(SampleFiles, WriterFailsWhereNoFileCanBeCreated) {
  const std::string existing = dir.write("plain.txt", "keep\n");
  std::filesystem::create_directory(dir.file("folder"));
  const std::string paths[] = {
      dir.file("missing/out.txt"),  // a folder that does not exist
      dir.file("folder"),           // a folder of that name
      existing + "/out.txt",        // a regular file used as a folder
  };
  for (const std::string& path : paths) {
    SCOPED_TRACE(path);
    const std::string text = errorText([&] { TValues({1}).SaveToFile(path); });
    EXPECT_EQ(text.rfind("Cannot create file \"" + path + "\". ", 0), 0u) << text;
  }
  EXPECT_EQ(TempDir::read(existing), "keep\n");
  EXPECT_TRUE(std::filesystem::is_directory(dir.file("folder")));
  EXPECT_EQ(folderEntries(dir.path()), (std::vector<std::string>{"folder", "plain.txt"}));
}

TEST_F(SampleFiles, WriterRefusesReadOnlyFileAndFolder) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
  const std::string readOnly = dir.write("ro.txt", "keep\n");
  std::filesystem::permissions(readOnly, std::filesystem::perms::owner_read);
  std::string text = errorText([&] { TValues({1}).SaveToFile(readOnly); });
  EXPECT_EQ(text.rfind("Cannot create file \"" + readOnly + "\". ", 0), 0u) << text;
  EXPECT_EQ(TempDir::read(readOnly), "keep\n");

  const std::string closed = dir.file("closed");
  std::filesystem::create_directory(closed);
  std::filesystem::permissions(
      closed, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  text = errorText([&] { TValues({1}).SaveToFile(closed + "/out.txt"); });
  EXPECT_EQ(text.rfind("Cannot create file \"" + closed + "/out.txt\". ", 0), 0u) << text;
}

TEST_F(SampleFiles, FailedWriteLeavesTheExistingFileUnchanged) {
  const std::string path = dir.write("data.txt", "  1.00000000000000E+0000\r\n");
  const TValues big(Values(20000, 2.5L));  // 26 bytes a line, far beyond the limit
  std::string text;
  {
    FileSizeLimit limit(4096);
    text = errorText([&] { big.SaveToFile(path); });
  }
  EXPECT_EQ(text, "I/O error 27");  // EFBIG
  EXPECT_EQ(TempDir::read(path), "  1.00000000000000E+0000\r\n");
  EXPECT_EQ(folderEntries(dir.path()), (std::vector<std::string>{"data.txt"}));
  // Without the limit the same sample replaces the file.
  big.SaveToFile(path);
  EXPECT_EQ(TempDir::read(path).size(), 20000u * 26);
}

TEST_F(SampleFiles, ReplacingAFileKeepsItsPermissions) {
  const std::string path = dir.write("perm.txt", "old\n");
  std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                         std::filesystem::perms::owner_write |
                                         std::filesystem::perms::group_read);
  TValues({4}).SaveToFile(path);
  EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms::owner_read |
                                                             std::filesystem::perms::owner_write |
                                                             std::filesystem::perms::group_read);
  EXPECT_EQ(TempDir::read(path), "  4.00000000000000E+0000\r\n");
}

TEST_F(SampleFiles, SavingThroughALinkReplacesTheFileItPointsTo) {
  const std::string target = dir.write("real.txt", "old\n");
  const std::string link = dir.file("link.txt");
  std::filesystem::create_symlink(target, link);
  TValues({2}).SaveToFile(link);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(TempDir::read(target), "  2.00000000000000E+0000\r\n");
}

}  // namespace
}  // namespace statorium
