#include "core/csvfields.h"

#include "core/numtext.h"

namespace statorium {

namespace {
bool isBlank(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  return u >= 1 && u <= 32;
}
}  // namespace

void splitCsvFields(std::string_view line, std::vector<std::string>& fields, char separator) {
  fields.clear();
  const size_t n = line.size();
  size_t i = 0;
  auto skipBlanks = [&] {
    while (i < n && isBlank(line[i])) ++i;
  };
  skipBlanks();
  if (i >= n) return;  // empty, or blanks only: no fields
  for (;;) {
    std::string field;
    if (line[i] == '"') {
      ++i;
      while (i < n) {
        if (line[i] == '"') {
          if (i + 1 < n && line[i + 1] == '"') {
            field.push_back('"');
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        field.push_back(line[i++]);
      }
      // Anything glued to the closing quote up to the next separator belongs to the field.
      while (i < n && line[i] != separator && !isBlank(line[i])) field.push_back(line[i++]);
    } else {
      while (i < n && line[i] != separator && !isBlank(line[i])) field.push_back(line[i++]);
    }
    fields.push_back(std::move(field));
    skipBlanks();
    if (i >= n) return;
    if (line[i] == separator) {
      ++i;
      skipBlanks();
      if (i >= n) {
        fields.emplace_back();  // a separator at the end gives a final empty field
        return;
      }
    }
    // Otherwise a run of blanks ended the field and the next field starts here.
  }
}

char csvSeparatorOf(std::string_view firstLine) {
  bool quoted = false;
  for (char c : firstLine) {
    if (c == '"')
      quoted = !quoted;  // a doubled quote toggles twice and stays inside
    else if (c == ';' && !quoted)
      return ';';
  }
  return ',';
}

void CsvLineSplitter::split(std::string_view line, std::vector<std::string>& fields) {
  if (!m_separator) {
    bool blank = true;
    for (char c : line) blank = blank && isBlank(c);
    if (!blank) m_separator = csvSeparatorOf(line);
  }
  splitCsvFields(line, fields, m_separator ? m_separator : ',');
}

char csvSeparatorForLocale() {
  return decimalSeparator() == ',' ? ';' : ',';
}

std::string quoteCsvField(std::string_view text, char separator) {
  bool plain = true;
  for (char c : text) plain = plain && c != separator && c != '"' && !isBlank(c);
  if (plain) return std::string(text);
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out.push_back('"');
    out.push_back(c);
  }
  out.push_back('"');
  return out;
}

bool isCsvHeader(const std::vector<std::string>& fields) {
  if (fields.empty()) return false;
  long double v;
  for (const std::string& f : fields)
    if (parseLocaleNumber(f, v)) return false;
  return true;
}

}  // namespace statorium
