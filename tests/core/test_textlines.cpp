// Line-by-line reading of text files.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/textlines.h"
#include "tests/core/errortext.h"
#include "tests/support/tempdir.h"

namespace statorium {
namespace {

using test::errorText;
using test::TempDir;
using Lines = std::vector<std::string>;

class TextLines : public ::testing::Test {
 protected:
  Lines linesOf(const std::string& content) {
    Lines lines;
    forEachLine(dir.write("lines.txt", content), [&](std::string_view line) {
      lines.emplace_back(line);
      return true;
    });
    return lines;
  }
  TempDir dir;
};

TEST_F(TextLines, SplitsAtLineFeeds) {
  const struct {
    const char* name;
    std::string content;
    Lines lines;
  } cases[] = {
      {"ended lines", "a\nb\n", {"a", "b"}},
      {"last line without a line feed", "a\nb", {"a", "b"}},
      {"empty lines", "\n\na\n\n", {"", "", "a", ""}},
      {"carriage return stays in the line", "a\r\nb\r\n", {"a\r", "b\r"}},
      {"empty file", "", {}},
      {"byte order mark dropped",
       "\xEF\xBB\xBF"
       "a\nb",
       {"a", "b"}},
      {"only a byte order mark", "\xEF\xBB\xBF", {}},
      {"byte order mark later kept",
       "a\n\xEF\xBB\xBF"
       "b",
       {"a",
        "\xEF\xBB\xBF"
        "b"}},
      {"zero bytes are data", std::string("a\0b\n", 4), {std::string("a\0b", 3)}},
  };
  for (const auto& c : cases) EXPECT_EQ(linesOf(c.content), c.lines) << c.name;
}

TEST_F(TextLines, LinesCrossingTheReadBuffer) {
  // Lines of growing length put line ends at every position of the 1 MiB buffer, and one line
  // of three mebibytes outgrows it.
  Lines expected;
  std::string content;
  for (int i = 0; content.size() < (5u << 20); ++i) {
    expected.push_back(std::string(static_cast<size_t>(i % 4000), static_cast<char>('a' + i % 26)));
    if (i == 700) expected.back() = std::string(3u << 20, 'x');
    content += expected.back() + "\n";
  }
  content += "tail";
  expected.push_back("tail");
  EXPECT_EQ(linesOf(content), expected);
}

TEST_F(TextLines, StopsWhenTheCallbackSaysSo) {
  Lines lines;
  forEachLine(dir.write("stop.txt", "a\nb\nc\n"), [&](std::string_view line) {
    lines.emplace_back(line);
    return line != "b";
  });
  EXPECT_EQ(lines, (Lines{"a", "b"}));
}

TEST_F(TextLines, UnopenableFilesAreIoError103) {
  std::filesystem::create_directory(dir.file("folder"));
  for (const std::string& path : {dir.file("missing"), dir.file("folder")}) {
    EXPECT_EQ(errorText([&] { forEachLine(path, [](std::string_view) { return true; }); }),
              "I/O error 103")
        << path;
  }
}

TEST_F(TextLines, RegularFileSize) {
  EXPECT_EQ(regularFileSize(dir.write("five", "12345")), 5);
  EXPECT_EQ(regularFileSize(dir.write("empty", "")), 0);
  EXPECT_EQ(regularFileSize(dir.path().string()), -1);
  EXPECT_EQ(regularFileSize(dir.file("missing")), -1);
}

}  // namespace
}  // namespace statorium
