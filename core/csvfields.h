#pragma once
// The field splitting rule of the CSV formats (sample CSV files and CSV statobject files).

#include <string>
#include <string_view>
#include <vector>

namespace statorium {

/// Splits one line into fields. The comma separates fields; outside double quotes every
/// character with a code from 1 to 32 also separates fields and is dropped (so blanks around a
/// comma vanish and "1.5 2.5" is two fields). A field opening with a double quote runs to the
/// closing one and may hold commas and blanks; a doubled quote inside stands for one quote.
/// Two commas in a row give an empty field, a trailing comma a final empty field; a line of
/// blanks has no fields. `fields` is reused to spare allocations.
void splitCsvFields(std::string_view line, std::vector<std::string>& fields);

/// True when the line has at least one field and none of its fields is a number in the
/// locale's form: such a first line is a header of names, not a row of data.
bool isCsvHeader(const std::vector<std::string>& fields);

}  // namespace statorium
