// Grids and reports as tab-separated text, CSV and HTML, and CSV that the readers take back.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/numtext.h"
#include "core/statsobject.h"
#include "core/tableexport.h"
#include "tests/support/tempdir.h"

namespace statorium {
namespace {

using Rows = std::vector<std::vector<std::string>>;

TableSource sourceOf(const Rows& rows, std::vector<std::string> header = {}) {
  TableSource t;
  t.rows = static_cast<int>(rows.size());
  t.columns = rows.empty() ? 0 : static_cast<int>(rows[0].size());
  t.header = std::move(header);
  t.cell = [rows](int r, int c) { return rows[r][c]; };
  return t;
}

TEST(TableExport, FormatFollowsTheExtension) {
  const struct {
    const char* name;
    ExportFormat format;
  } cases[] = {
      {"/tmp/a.csv", ExportFormat::Csv},    {"/tmp/a.CSV", ExportFormat::Csv},
      {"/tmp/a.html", ExportFormat::Html},  {"/tmp/a.Htm", ExportFormat::Html},
      {"/tmp/a.txt", ExportFormat::Text},   {"/tmp/a", ExportFormat::Text},
      {"/tmp/x.csv/a", ExportFormat::Text},
  };
  for (const auto& c : cases) EXPECT_EQ(exportFormatOf(c.name), c.format) << c.name;
}

TEST(TableExport, TextIsTabSeparatedWithCellBreaksFlattened) {
  const TableSource t = sourceOf({{"1.5", "a\tb"}, {"line\nbreak", ""}}, {"x", "y"});
  EXPECT_EQ(formatTable(t, ExportFormat::Text, "T"), "x\ty\n1.5\ta b\nline break\t\n");
}

TEST(TableExport, CsvQuotesWhereNeededAndUsesTheLocaleSeparator) {
  const TableSource t = sourceOf({{"1.5", "two words"}, {"\"q\"", ""}}, {"Left edge", "n"});
  EXPECT_EQ(formatTable(t, ExportFormat::Csv, "T"),
            "\"Left edge\",n\r\n1.5,\"two words\"\r\n\"\"\"q\"\"\",\r\n");
  DecimalSeparatorScope comma(',');
  const TableSource numbers = sourceOf({{"1,5", "-2,25"}});
  EXPECT_EQ(formatTable(numbers, ExportFormat::Csv, "T"), "1,5;-2,25\r\n");
}

TEST(TableExport, HtmlIsAPageWithOneEscapedTable) {
  const TableSource t = sourceOf({{"a<b", "x&y"}}, {"\"h\""});
  const std::string html = formatTable(t, ExportFormat::Html, "R&D <1>");
  EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
  EXPECT_NE(html.find("<title>R&amp;D &lt;1&gt;</title>"), std::string::npos);
  EXPECT_NE(html.find("<tr><th>&quot;h&quot;</th></tr>\n<tr><td>a&lt;b</td><td>x&amp;y</td></tr>"),
            std::string::npos);
  EXPECT_EQ(html.rfind("</table>\n</body>\n</html>\n"), html.size() - 25);
}

TEST(TableExport, ReportsKeepTheirLines) {
  const std::vector<std::string> lines = {"u = 1.5", "", "t <= 2, so equal"};
  EXPECT_EQ(formatReport(lines, ExportFormat::Text, "R"), "u = 1.5\n\nt <= 2, so equal\n");
  EXPECT_EQ(formatReport(lines, ExportFormat::Csv, "R"),
            "\"u = 1.5\"\r\n\r\n\"t <= 2, so equal\"\r\n");
  const std::string html = formatReport(lines, ExportFormat::Html, "R");
  EXPECT_NE(html.find("<pre>\nu = 1.5\n\nt &lt;= 2, so equal\n</pre>"), std::string::npos);
}

// A grid of comma-decimal numbers written as CSV comes back as the same numbers, whatever the
// locale's separator.
TEST(TableExport, CsvOfNumbersReadsBackAsAStatobject) {
  test::TempDir dir;
  for (char separator : {'.', ','}) {
    DecimalSeparatorScope scope(separator);
    const std::vector<long double> x = {1.5L, -2.25L, 1e20L}, y = {3, 0.125L, -7};
    TableSource t;
    t.rows = 3;
    t.columns = 2;
    t.header = {"first x", "y"};
    t.cell = [&](int r, int c) { return formatGeneral(c == 0 ? x[r] : y[r]); };
    const std::string path = dir.file("grid.csv");
    writeTextFile(path, formatTable(t, ExportFormat::Csv, "grid"));
    TStatsObject obj;
    obj.readCsvObject(path);
    ASSERT_EQ(obj.propCount(), 2) << separator;
    EXPECT_EQ(obj.Prop(0).data(), x) << separator;
    EXPECT_EQ(obj.Prop(1).data(), y) << separator;
  }
}

}  // namespace
}  // namespace statorium
