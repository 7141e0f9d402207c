// TStatsObject: properties, the binary statobject file, the CSV statobject file, and reading one
// property into a sample.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "core/numtext.h"
#include "core/statsobject.h"
#include "tests/core/errortext.h"
#include "tests/core/filelimits.h"
#include "tests/support/tempdir.h"

namespace statorium {
namespace {

using test::errorText;
using test::TempDir;
using Values = std::vector<long double>;

// The statobject "data" with the properties (1.5, 2.5) and (3), byte for byte.
const std::string kDataFile = std::string(
    "\x04\x00\x00\x00"                           // L = 4 characters
    "\x64\x00\x61\x00"                           // only 4 bytes of the name: "da"
    "\x02\x00\x00\x00"                           // P = 2
    "\x02\x00\x00\x00"                           // C = 2
    "\x00\x00\x00\x00\x00\x00\x00\xC0\xFF\x3F"   // 1.5
    "\x00\x00\x00\x00\x00\x00\x00\xA0\x00\x40"   // 2.5
    "\x01\x00\x00\x00"                           // C = 1
    "\x00\x00\x00\x00\x00\x00\x00\xC0\x00\x40",  // 3
    50);

TStatsObject objectOf(const std::string& name, const std::vector<Values>& props) {
  TStatsObject obj;
  obj.name = name;
  for (const Values& p : props) obj.addValues(TValues(p));
  return obj;
}

std::vector<Values> propertiesOf(const TStatsObject& obj) {
  std::vector<Values> out;
  for (int i = 0; i < obj.propCount(); ++i) out.push_back(obj.Prop(i).data());
  return out;
}

// Bitwise equality, so that -0 differs from 0.
bool sameBits(long double a, long double b) {
  return std::memcmp(&a, &b, 10) == 0;
}

class StatsObjectFiles : public ::testing::Test {
 protected:
  TempDir dir;
};

TEST(StatsObject, AddValuesStoresACopy) {
  TStatsObject obj;
  TValues mine({1, 2});
  EXPECT_EQ(obj.addValues(mine), 1);
  EXPECT_EQ(obj.addValues(TValues()), 2);
  mine.setAt(0, 100);
  mine.Add(3);
  EXPECT_EQ(obj.Prop(0).data(), (Values{1, 2}));
  // Prop gives the object's own property.
  obj.Prop(1).Add(9);
  EXPECT_EQ(obj.Prop(1).data(), (Values{9}));
}

TEST(StatsObject, PropChecksTheIndex) {
  TStatsObject obj = objectOf("", {{1}, {2}});
  EXPECT_EQ(errorText([&] { obj.Prop(2); }), "List index out of bounds (2)");
  EXPECT_EQ(errorText([&] { obj.Prop(-1); }), "List index out of bounds (-1)");
  const TStatsObject& constant = obj;
  EXPECT_EQ(errorText([&] { constant.Prop(5); }), "List index out of bounds (5)");
}

TEST(StatsObject, MinValuesCountIsTheShortestProperty) {
  EXPECT_EQ(TStatsObject().MinValuesCount(), 0);
  EXPECT_EQ(objectOf("", {Values(10), Values(7), Values(12)}).MinValuesCount(), 7);
  EXPECT_EQ(objectOf("", {Values(3), {}}).MinValuesCount(), 0);
}

TEST(StatsObject, NameConvertsBetweenUtf8AndUtf16) {
  const struct {
    std::string utf8;
    std::u16string utf16;
  } cases[] = {
      {"data", u"data"},
      {"Ünïcode", u"Ünïcode"},
      {"\xE2\x82\xAC", u"\u20AC"},          // three bytes
      {"\xF0\x9F\x98\x80", u"\U0001F600"},  // a surrogate pair
      {"", u""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(utf8ToUtf16(c.utf8), c.utf16) << c.utf8;
    EXPECT_EQ(utf16ToUtf8(c.utf16), c.utf8) << c.utf8;
  }
  // Broken input becomes the replacement character, one per bad byte.
  EXPECT_EQ(utf8ToUtf16("a\xFF"
                        "b\xC3"),
            u"a\uFFFDb\uFFFD");
  // Past U+10FFFF there is no UTF-16 form.
  EXPECT_EQ(utf8ToUtf16("\xF5\x80\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD");
  EXPECT_EQ(utf8ToUtf16("\xF4\x90\x80\x80z"), u"\uFFFD\uFFFD\uFFFD\uFFFDz");
  EXPECT_EQ(utf8ToUtf16("\xF4\x8F\xBF\xBF"), u"\U0010FFFF");
  EXPECT_EQ(utf16ToUtf8(std::u16string(1, char16_t(0xD800)) + u"x"), "\xEF\xBF\xBDx");
}

// ---- Statobject file -------------------------------------------------------------------------

TEST_F(StatsObjectFiles, WritesTheFileByteForByte) {
  const std::string path = dir.file("data.sta");
  objectOf("data", {{1.5L, 2.5L}, {3}}).writeObject(path);
  EXPECT_EQ(TempDir::read(path), kDataFile);

  // An empty name: four zero bytes, then the property count.
  TStatsObject().writeObject(path);
  EXPECT_EQ(TempDir::read(path), std::string(8, '\0'));
}

TEST_F(StatsObjectFiles, ReadsTheFileAndAppends) {
  const std::string path = dir.write("data.sta", kDataFile);
  TStatsObject obj = objectOf("old", {{7}});
  obj.readStaObject(path);
  EXPECT_EQ(obj.name, "da");
  EXPECT_EQ(propertiesOf(obj), (std::vector<Values>{{7}, {1.5L, 2.5L}, {3}}));
}

TEST_F(StatsObjectFiles, NameKeepsOnlyItsLengthInBytes) {
  const struct {
    std::string written, read;
  } cases[] = {
      {"data", "da"},     {"abc", "a"},  // three bytes: the half unit at the end is dropped
      {"Ünïcode", "Ünï"}, {"x", ""},    {"", ""},
  };
  const std::string path = dir.file("name.sta");
  for (const auto& c : cases) {
    objectOf(c.written, {{1}}).writeObject(path);
    TStatsObject back;
    back.readStaObject(path);
    EXPECT_EQ(back.name, c.read) << c.written;
    EXPECT_EQ(propertiesOf(back), (std::vector<Values>{{1}}));
  }
}

TEST_F(StatsObjectFiles, ValuesRoundTripExactly) {
  using L = std::numeric_limits<long double>;
  Values special = {0.0L,
                    -0.0L,
                    L::denorm_min(),
                    -L::denorm_min() * 12345,
                    L::min(),
                    L::max(),
                    L::lowest(),
                    1e-4000L,
                    -1e4000L,
                    1.0L / 3,
                    0.1L,
                    -2.5L};
  std::mt19937_64 rng(99);
  std::uniform_real_distribution<long double> unit(-1, 1);
  std::uniform_int_distribution<int> power(-16000, 16000);
  Values random;
  for (int i = 0; i < 10000; ++i) random.push_back(std::ldexp(unit(rng), power(rng)));

  const std::string path = dir.file("round.sta");
  objectOf("round trip", {special, {}, random}).writeObject(path);
  TStatsObject back;
  back.readStaObject(path);
  EXPECT_EQ(back.name, "round");
  ASSERT_EQ(back.propCount(), 3);
  const std::vector<Values> expected = {special, {}, random};
  for (int p = 0; p < 3; ++p) {
    ASSERT_EQ(back.Prop(p).count(), static_cast<int>(expected[p].size()));
    for (size_t i = 0; i < expected[p].size(); ++i)
      EXPECT_TRUE(sameBits(back.Prop(p).data()[i], expected[p][i]))
          << "property " << p << " value " << i << ": " << formatGeneral(expected[p][i]);
  }
}

TEST_F(StatsObjectFiles, ReadObjectChoosesTheFormatByExtension) {
  TStatsObject sta;
  sta.readObject(dir.write("upper.STA", kDataFile));
  EXPECT_EQ(sta.name, "da");
  EXPECT_EQ(sta.propCount(), 2);

  TStatsObject text;
  text.readObject(dir.write("table.txt", "1,2\n3,4\n"));
  EXPECT_EQ(text.name, "table.txt");
  EXPECT_EQ(propertiesOf(text), (std::vector<Values>{{1, 3}, {2, 4}}));
}

TEST_F(StatsObjectFiles, UnopenableFileCannotBeOpened) {
  std::filesystem::create_directory(dir.file("folder.sta"));
  for (const std::string& path : {dir.file("missing.sta"), dir.file("folder.sta")}) {
    SCOPED_TRACE(path);
    TStatsObject obj = objectOf("keep", {{1}});
    const std::string text = errorText([&] { obj.readStaObject(path); });
    EXPECT_EQ(text.rfind("Cannot open file \"" + path + "\". ", 0), 0u) << text;
    EXPECT_GT(text.size(), ("Cannot open file \"" + path + "\". ").size());  // the reason
    EXPECT_EQ(obj.name, "keep");
    EXPECT_EQ(obj.propCount(), 1);
  }
}

// Little-endian 32-bit count.
std::string count32(int32_t c) {
  const uint32_t u = static_cast<uint32_t>(c);
  return std::string{static_cast<char>(u), static_cast<char>(u >> 8), static_cast<char>(u >> 16),
                     static_cast<char>(u >> 24)};
}

struct DamagedFile {
  std::string what;
  std::string bytes;
  Values firstProperty;  // what LoadFromObject still reads as property 0
};

std::vector<DamagedFile> damagedFiles() {
  const std::string one = std::string("\x00\x00\x00\x00\x00\x00\x00\x80\xFF\x3F", 10);  // 1
  const std::string inf = std::string("\x00\x00\x00\x00\x00\x00\x00\x80\xFF\x7F", 10);
  const std::string nan = std::string("\x00\x00\x00\x00\x00\x00\x00\xC0\xFF\xFF", 10);
  std::vector<DamagedFile> files;
  // Every truncation of the example file; from 36 bytes on its first property is complete.
  for (size_t n = 0; n < kDataFile.size(); ++n)
    files.push_back({"truncated to " + std::to_string(n) + " bytes", kDataFile.substr(0, n),
                     n >= 36 ? Values{1.5L, 2.5L} : Values{}});
  files.push_back({"huge name length", count32(0x7FFFFFFF) + count32(0), {}});
  files.push_back({"negative name length", count32(-1) + count32(0), {}});
  files.push_back({"huge property count", count32(0) + count32(1000000000) + count32(0), {}});
  files.push_back({"negative property count", count32(0) + count32(-2), {}});
  files.push_back({"huge value count", count32(0) + count32(1) + count32(0x7FFFFFFF) + one, {}});
  files.push_back({"negative value count", count32(0) + count32(1) + count32(-1) + one, {}});
  files.push_back({"value count one too many", count32(0) + count32(1) + count32(2) + one, {}});
  files.push_back({"infinity", count32(0) + count32(1) + count32(2) + one + inf, {}});
  files.push_back(
      {"not a number", count32(0) + count32(2) + count32(1) + one + count32(1) + nan, {1}});
  return files;
}

TEST_F(StatsObjectFiles, DamagedFileIsRefusedAndAddsNothing) {
  for (const DamagedFile& f : damagedFiles()) {
    SCOPED_TRACE(f.what);
    const std::string path = dir.write("damaged.sta", f.bytes);
    TStatsObject obj = objectOf("keep", {{1, 2}});
    EXPECT_EQ(errorText([&] { obj.readStaObject(path); }),
              "Cannot read file \"" + path + "\". The file is truncated or damaged.");
    EXPECT_EQ(obj.name, "keep");
    EXPECT_EQ(propertiesOf(obj), (std::vector<Values>{{1, 2}}));
  }
}

TEST_F(StatsObjectFiles, WriterFailsWhereNoFileCanBeCreated) {
  const std::string existing = dir.write("plain.sta", kDataFile);
  std::filesystem::create_directory(dir.file("folder.sta"));
  const TStatsObject obj = objectOf("x", {{1}});
  for (const std::string& path :
       {dir.file("missing/out.sta"), dir.file("folder.sta"), existing + "/out.sta"}) {
    SCOPED_TRACE(path);
    const std::string text = errorText([&] { obj.writeObject(path); });
    EXPECT_EQ(text.rfind("Cannot create file \"" + path + "\". ", 0), 0u) << text;
  }
  EXPECT_EQ(TempDir::read(existing), kDataFile);
  EXPECT_EQ(test::folderEntries(dir.path()), (std::vector<std::string>{"folder.sta", "plain.sta"}));
}

TEST_F(StatsObjectFiles, WriterRefusesAReadOnlyFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
  const std::string path = dir.write("ro.sta", kDataFile);
  std::filesystem::permissions(path, std::filesystem::perms::owner_read);
  const std::string text = errorText([&] { objectOf("x", {{1}}).writeObject(path); });
  EXPECT_EQ(text.rfind("Cannot create file \"" + path + "\". ", 0), 0u) << text;
  EXPECT_EQ(TempDir::read(path), kDataFile);
}

TEST_F(StatsObjectFiles, FailedWriteLeavesTheExistingFileUnchanged) {
  const std::string path = dir.write("data.sta", kDataFile);
  const TStatsObject big = objectOf("big", {Values(100000, 1.25L)});
  std::string text;
  {
    test::FileSizeLimit limit(4096);
    text = errorText([&] { big.writeObject(path); });
  }
  EXPECT_EQ(text, "I/O error 27");  // EFBIG
  EXPECT_EQ(TempDir::read(path), kDataFile);
  EXPECT_EQ(test::folderEntries(dir.path()), (std::vector<std::string>{"data.sta"}));
}

// ---- One property into a sample --------------------------------------------------------------

TEST_F(StatsObjectFiles, LoadFromObjectAppendsOneProperty) {
  const std::string path = dir.write("data.sta", kDataFile);
  TValues v({9});
  v.LoadFromObject(path, 1);
  EXPECT_EQ(v.data(), (Values{9, 3}));
  v.LoadFromObject(path, 0);
  EXPECT_EQ(v.data(), (Values{9, 3, 1.5L, 2.5L}));
  for (int number : {2, -1, 1000}) {
    v.LoadFromObject(path, number);
    EXPECT_EQ(v.data(), (Values{9, 3, 1.5L, 2.5L})) << number;
  }
}

TEST_F(StatsObjectFiles, LoadFromObjectSwallowsEveryFailure) {
  for (const DamagedFile& f : damagedFiles()) {
    SCOPED_TRACE(f.what);
    const std::string path = dir.write("damaged.sta", f.bytes);
    TValues v({4});
    EXPECT_EQ(errorText([&] { v.LoadFromObject(path, 0); }), "<no error>");
    Values expected = {4};
    expected.insert(expected.end(), f.firstProperty.begin(), f.firstProperty.end());
    EXPECT_EQ(v.data(), expected);
    // The second property is damaged or missing in every one of them: nothing is added.
    v.LoadFromObject(path, 1);
    EXPECT_EQ(v.data(), expected);
  }
  for (const std::string& path : {dir.file("missing.sta"), dir.path().string()}) {
    TValues v({4});
    EXPECT_EQ(errorText([&] { v.LoadFromObject(path, 0); }), "<no error>");
    EXPECT_EQ(v.data(), Values{4});
  }
}

TEST_F(StatsObjectFiles, LoadFromObjectSkipsEarlierPropertiesOfAnyLength) {
  std::vector<Values> props;
  for (int p = 0; p < 5; ++p) props.push_back(Values(1000 * p + 1, p + 0.5L));
  const std::string path = dir.file("five.sta");
  objectOf("five", props).writeObject(path);
  for (int p = 0; p < 5; ++p) {
    TValues v;
    v.LoadFromObject(path, p);
    EXPECT_EQ(v.data(), props[p]);
  }
}

// ---- CSV statobject file ---------------------------------------------------------------------

TEST_F(StatsObjectFiles, CsvColumnsBecomeProperties) {
  const struct {
    const char* name;
    char separator;
    std::string content;
    std::vector<Values> expected;
  } cases[] = {
      {"first line fixes the count",
       '.',
       "1,2,3\n4,5\n7,8,9,10\n",
       {{1, 4, 7}, {2, 5, 8}, {3, 0, 9}}},
      {"header skipped", '.', "a,b\n1,2\n3,4\n", {{1, 3}, {2, 4}}},
      {"header fixes the count", '.', "a,b,c\n1,2\n", {{1}, {2}, {0}}},
      {"header with a number is data", '.', "a,2\n3,4\n", {{0, 3}, {2, 4}}},
      {"unconvertible field gives 0", '.', "1,x\n2,3\n", {{1, 2}, {0, 3}}},
      {"blanks and carriage returns", '.', " 1  2 \r\n3\t4\r\n", {{1, 3}, {2, 4}}},
      {"quoted comma decimals", ',', "\"1,5\",\"2,5\"\n3,\"-4,25\"\n", {{1.5L, 3}, {2.5L, -4.25L}}},
      {"points under a comma locale", ',', "1,2.5\n3,4\n", {{1, 3}, {0, 4}}},
      {"empty file", '.', "", {}},
      {"blank lines hold no observation", '.', "1,2\n\n3,4\n\n\n", {{1, 3}, {2, 4}}},
      {"semicolon form", ',', "a;b\n1,5;2\n3;-4,25\n", {{1.5L, 3}, {2, -4.25L}}},
      {"semicolon form, a short line", ',', "1,5;2;3\n4\n", {{1.5L, 4}, {2, 0}, {3, 0}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    DecimalSeparatorScope scope(c.separator);
    TStatsObject obj;
    obj.readCsvObject(dir.write("table.csv", c.content));
    EXPECT_EQ(propertiesOf(obj), c.expected);
    EXPECT_EQ(obj.name, "table.csv");
  }
}

TEST_F(StatsObjectFiles, MissingCsvFileFailsWithIoError103) {
  TStatsObject obj = objectOf("keep", {{1}});
  EXPECT_EQ(errorText([&] { obj.readCsvObject(dir.file("missing.csv")); }), "I/O error 103");
  EXPECT_EQ(obj.name, "keep");
  EXPECT_EQ(obj.propCount(), 1);
}

}  // namespace
}  // namespace statorium
