// The field splitting rule of the CSV formats and the header test.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/csvfields.h"
#include "core/numtext.h"

namespace statorium {
namespace {

using Fields = std::vector<std::string>;

Fields split(std::string_view line) {
  Fields fields{"left over"};  // the vector is reused: old fields must go
  splitCsvFields(line, fields);
  return fields;
}

TEST(CsvFields, SplitsAtCommasAndBlanks) {
  const struct {
    std::string line;
    Fields fields;
  } cases[] = {
      {"1.5,2.5", {"1.5", "2.5"}},
      {"1.5 2.5", {"1.5", "2.5"}},
      {"a,,b", {"a", "", "b"}},
      {"x,", {"x", ""}},
      {"x, \r", {"x", ""}},
      {",a", {"", "a"}},
      {",", {"", ""}},
      {"1, ,2", {"1", "", "2"}},
      {"  1.5  ,  2.5  ", {"1.5", "2.5"}},
      {"\t1\t\t2\r", {"1", "2"}},
      {"", {}},
      {"   \t\r", {}},
      {"\"a,b\",c", {"a,b", "c"}},
      {"\"a b\" c", {"a b", "c"}},
      {"\"he said \"\"hi\"\"\",x", {"he said \"hi\"", "x"}},
      {"\"\",1", {"", "1"}},
      {"\"1,5\" , \"2,5\"", {"1,5", "2,5"}},
      {"\"x\"y,z", {"xy", "z"}},    // text glued to the closing quote stays in the field
      {"ab\"c,d", {"ab\"c", "d"}},  // a quote inside a field is an ordinary character
      {"\"open,1", {"open,1"}},     // no closing quote: the rest of the line
  };
  for (const auto& c : cases) EXPECT_EQ(split(c.line), c.fields) << c.line;
}

TEST(CsvFields, SplitsAtSemicolonsWhenToldSo) {
  const struct {
    std::string line;
    Fields fields;
  } cases[] = {
      {"1,5;2,5", {"1,5", "2,5"}}, {" 1,5 ; 2,5 \r", {"1,5", "2,5"}}, {"a;;b;", {"a", "", "b", ""}},
      {"\"x;y\";z", {"x;y", "z"}}, {"1 2;3", {"1", "2", "3"}},  // blanks still separate
  };
  for (const auto& c : cases) {
    Fields fields;
    splitCsvFields(c.line, fields, ';');
    EXPECT_EQ(fields, c.fields) << c.line;
  }
}

TEST(CsvFields, FirstLineWithTextDecidesTheSeparator) {
  const struct {
    std::vector<std::string> lines;
    Fields lastFields;
  } cases[] = {
      {{"1,5;2,5"}, {"1,5", "2,5"}},
      {{"a;b", "1,5;2"}, {"1,5", "2"}},
      {{"", "  \r", "x;y", "1,5;2"}, {"1,5", "2"}},
      {{"1,2", "3;4,5"}, {"3;4", "5"}},
      {{"\"a;b\",c", "1,2"}, {"1", "2"}},
      {{"\"a\"\"b\";c", "1;2"}, {"1", "2"}},  // a doubled quote stays inside the field
  };
  for (const auto& c : cases) {
    CsvLineSplitter splitter;
    Fields fields;
    for (const std::string& line : c.lines) splitter.split(line, fields);
    EXPECT_EQ(fields, c.lastFields) << c.lines.front();
  }
}

TEST(CsvFields, QuotedFieldsSplitBackToThemselves) {
  const std::string texts[] = {"1,5", "plain",     "two words", "say \"hi\"", "",
                               "a;b", "tab\there", "-0,25",     "\""};
  for (char separator : {',', ';'}) {
    std::string line;
    for (const std::string& t : texts) line += quoteCsvField(t, separator) + separator;
    line += "end";
    Fields fields;
    splitCsvFields(line, fields, separator);
    Fields expected(std::begin(texts), std::end(texts));
    expected.push_back("end");
    EXPECT_EQ(fields, expected) << separator;
  }
  EXPECT_EQ(quoteCsvField("1.5", ','), "1.5");
  EXPECT_EQ(quoteCsvField("1,5", ';'), "1,5");
  EXPECT_EQ(quoteCsvField("1,5", ','), "\"1,5\"");
}

TEST(CsvFields, WrittenSeparatorFollowsTheDecimalSeparator) {
  EXPECT_EQ(csvSeparatorForLocale(), ',');
  DecimalSeparatorScope comma(',');
  EXPECT_EQ(csvSeparatorForLocale(), ';');
}

TEST(CsvFields, HeaderIsALineWithoutAnyNumber) {
  EXPECT_TRUE(isCsvHeader({"x", "y"}));
  EXPECT_TRUE(isCsvHeader({"name", ""}));
  EXPECT_FALSE(isCsvHeader({"x", "1"}));
  EXPECT_FALSE(isCsvHeader({}));
  // Whether a field is a number depends on the separator.
  EXPECT_TRUE(isCsvHeader({"1,5"}));
  EXPECT_FALSE(isCsvHeader({"1.5"}));
  DecimalSeparatorScope comma(',');
  EXPECT_FALSE(isCsvHeader({"1,5"}));
  EXPECT_TRUE(isCsvHeader({"1.5"}));
}

}  // namespace
}  // namespace statorium
