#pragma once
// The field splitting rule of the CSV formats (sample CSV files and CSV statobject files).

#include <string>
#include <string_view>
#include <vector>

namespace statorium {

/// Splits one line into fields. The separator (the comma unless told otherwise) separates
/// fields; outside double quotes every character with a code from 1 to 32 also separates fields
/// and is dropped (so blanks around a comma vanish and "1.5 2.5" is two fields). A field opening
/// with a double quote runs to the closing one and may hold separators and blanks; a doubled
/// quote inside stands for one quote. Two separators in a row give an empty field, a trailing
/// separator a final empty field; a line of blanks has no fields. `fields` is reused to spare
/// allocations.
void splitCsvFields(std::string_view line, std::vector<std::string>& fields, char separator = ',');

/// The field separator of a CSV file, judged from its first line that is not blank: ';' when
/// that line holds a semicolon outside double quotes (the form written where the decimal
/// separator is a comma, "1,5;2,5"), otherwise ','.
char csvSeparatorOf(std::string_view firstLine);

/// Decides the separator on the first line that is not blank and splits every line with it;
/// the readers of both CSV formats feed their lines through one of these.
class CsvLineSplitter {
 public:
  void split(std::string_view line, std::vector<std::string>& fields);

 private:
  char m_separator = 0;  // not decided yet
};

/// The field separator of CSV files the program writes: ';' where the decimal separator is a
/// comma, so that numbers keep their form and the readers above take the file back.
char csvSeparatorForLocale();

/// One field as CSV text: quoted (inner quotes doubled) when it holds the separator, a quote or
/// any character with a code from 1 to 32 (which the splitting rule would drop), else as it is.
std::string quoteCsvField(std::string_view text, char separator);

/// True when the line has at least one field and none of its fields is a number in the
/// locale's form: such a first line is a header of names, not a row of data.
bool isCsvHeader(const std::vector<std::string>& fields);

}  // namespace statorium
