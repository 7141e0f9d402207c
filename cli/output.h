#pragma once
// Printing the windows' texts: memo lines and grids as the batch program writes them.

#include <ostream>
#include <string>
#include <vector>

namespace statorium::cli {

/// Prints each line followed by a line break.
void printLines(std::ostream& out, const std::vector<std::string>& lines);

/// Prints one grid row: the cells separated by one tab, then a line break.
template <class Row>
void printRow(std::ostream& out, const Row& cells) {
  bool first = true;
  for (const auto& cell : cells) {
    if (!first) out << "\t";
    out << cell;
    first = false;
  }
  out << "\n";
}

}  // namespace statorium::cli
