#pragma once
// statorium-cli nd: the multi-dimensional analysis of a statobject file; and how the
// multi-dimensional commands print their grids.

#include <ostream>
#include <string>

#include "cli/cliapp.h"

namespace statorium::cli {

Command ndCommand();

/// Prints a grid as the batch program writes grids: the title line, then every row with its
/// cells (header row and column included) separated by tabs, then one empty line. Works with any
/// grid that has rowCount(), columnCount() and cell(column, row), also with those whose texts
/// are made cell by cell.
template <class Grid>
void printGrid(std::ostream& out, const std::string& title, const Grid& grid) {
  out << title << "\n";
  std::string line;
  for (int row = 0; row < grid.rowCount(); ++row) {
    line.clear();
    for (int column = 0; column < grid.columnCount(); ++column) {
      if (column > 0) line.push_back('\t');
      line += grid.cell(column, row);
    }
    line.push_back('\n');
    out << line;
  }
  out << "\n";
}

}  // namespace statorium::cli
