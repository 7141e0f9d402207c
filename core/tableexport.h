#pragma once
// Grids and reports written out as text for the clipboard and for files: tab-separated text,
// CSV and HTML. The windows read their grids and memos through these, so every export of the
// program has the same form.

#include <functional>
#include <string>
#include <vector>

namespace statorium {

enum class ExportFormat { Text, Csv, Html };

/// The format a file name's extension asks for: ".csv" CSV, ".htm" and ".html" HTML (any
/// case), anything else tab-separated text.
ExportFormat exportFormatOf(const std::string& fileName);

/// A table read cell by cell, so that a grid of millions of cells needs no copy of its texts.
struct TableSource {
  int rows = 0;
  int columns = 0;
  std::vector<std::string> header;  // the column captions, written first; none when empty
  std::function<std::string(int row, int column)> cell;
};

/// The table as text:
/// - Text: cells separated by tabs, each row ending in "\n" (tabs and line breaks inside a cell
///   become blanks, so the rows and columns stay as they are);
/// - CSV: fields quoted where needed (quoteCsvField) and separated by csvSeparatorForLocale(),
///   each row ending in CR LF, so that the program's CSV readers take the file back;
/// - HTML: a UTF-8 page titled `title` holding one table, the header in th cells.
std::string formatTable(const TableSource& table, ExportFormat format, const std::string& title);

/// A report of text lines: Text - the lines; CSV - one field per line; HTML - a page titled
/// `title` with the lines preformatted.
std::string formatReport(const std::vector<std::string>& lines, ExportFormat format,
                         const std::string& title);

/// Writes `text` to a file; an existing file is replaced only by a complete new one. Fails with
/// "Cannot create file ..." or a write error.
void writeTextFile(const std::string& fileName, const std::string& text);

}  // namespace statorium
