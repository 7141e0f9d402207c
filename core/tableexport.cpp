#include "core/tableexport.h"

#include "core/csvfields.h"
#include "core/safefile.h"
#include "core/values.h"

namespace statorium {

namespace {

void appendHtmlEscaped(std::string& out, const std::string& text) {
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out.push_back(c);
    }
  }
}

void appendTextCell(std::string& out, const std::string& text) {
  for (char c : text) out.push_back(c == '\t' || c == '\n' || c == '\r' ? ' ' : c);
}

std::string htmlHead(const std::string& title) {
  std::string out = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>";
  appendHtmlEscaped(out, title);
  out += "</title>\n</head>\n<body>\n";
  return out;
}

const char* const kHtmlTail = "</body>\n</html>\n";

// One row of any format; `cell(c)` gives the text of column c.
template <class Cell>
void appendRow(std::string& out, ExportFormat format, int columns, bool header, char separator,
               const Cell& cell) {
  switch (format) {
    case ExportFormat::Text:
      for (int c = 0; c < columns; ++c) {
        if (c > 0) out.push_back('\t');
        appendTextCell(out, cell(c));
      }
      out.push_back('\n');
      break;
    case ExportFormat::Csv:
      for (int c = 0; c < columns; ++c) {
        if (c > 0) out.push_back(separator);
        out += quoteCsvField(cell(c), separator);
      }
      out += "\r\n";
      break;
    case ExportFormat::Html:
      out += "<tr>";
      for (int c = 0; c < columns; ++c) {
        out += header ? "<th>" : "<td>";
        appendHtmlEscaped(out, cell(c));
        out += header ? "</th>" : "</td>";
      }
      out += "</tr>\n";
      break;
  }
}

}  // namespace

ExportFormat exportFormatOf(const std::string& fileName) {
  const std::string ext = lowerExtension(fileName);
  if (ext == ".csv") return ExportFormat::Csv;
  if (ext == ".htm" || ext == ".html") return ExportFormat::Html;
  return ExportFormat::Text;
}

std::string formatTable(const TableSource& table, ExportFormat format, const std::string& title) {
  const char separator = csvSeparatorForLocale();
  std::string out;
  if (format == ExportFormat::Html) out = htmlHead(title) + "<table border=\"1\">\n";
  if (!table.header.empty()) {
    const int columns = static_cast<int>(table.header.size());
    appendRow(out, format, columns, true, separator,
              [&](int c) -> const std::string& { return table.header[static_cast<size_t>(c)]; });
  }
  for (int r = 0; r < table.rows; ++r)
    appendRow(out, format, table.columns, false, separator,
              [&](int c) { return table.cell(r, c); });
  if (format == ExportFormat::Html) out += std::string("</table>\n") + kHtmlTail;
  return out;
}

std::string formatReport(const std::vector<std::string>& lines, ExportFormat format,
                         const std::string& title) {
  const char separator = csvSeparatorForLocale();
  std::string out;
  switch (format) {
    case ExportFormat::Text:
      for (const std::string& line : lines) out += line + "\n";
      break;
    case ExportFormat::Csv:
      for (const std::string& line : lines) out += quoteCsvField(line, separator) + "\r\n";
      break;
    case ExportFormat::Html:
      out = htmlHead(title) + "<pre>\n";
      for (const std::string& line : lines) {
        appendHtmlEscaped(out, line);
        out.push_back('\n');
      }
      out += std::string("</pre>\n") + kHtmlTail;
      break;
  }
  return out;
}

void writeTextFile(const std::string& fileName, const std::string& text) {
  SafeFileWriter out(fileName);
  out.write(text);
  out.commit();
}

}  // namespace statorium
