#pragma once
// The multi-dimensional analysis of a statobject, free of any toolkit: averages, dispersions and
// covariations, pair correlations ("Prime analysis"), and the main components from the eigen
// decomposition of the correlation matrix ("MMC"). The window and the batch program render its
// grids and write its main components file.

#include <optional>
#include <string>
#include <vector>

#include "core/progress.h"
#include "core/statsobject.h"

namespace statorium {

/// A grid as the window shows it. Cells are addressed (column, row) from 0, the fixed header row
/// and column (when the grid has them) being row 0 and column 0; an empty cell is "".
struct TextGrid {
  TextGrid() = default;
  /// A grid of empty cells.
  TextGrid(std::string title, int columns, int rows, int fixedColumns, int fixedRows);

  /// The caption shown above the grid.
  std::string title;
  int fixedColumns = 0;
  int fixedRows = 0;
  /// cells[row][column].
  std::vector<std::vector<std::string>> cells;

  int rowCount() const { return static_cast<int>(cells.size()); }
  int columnCount() const { return cells.empty() ? 0 : static_cast<int>(cells.front().size()); }
  /// The text of a cell; "List index out of bounds" outside the grid.
  const std::string& cell(int column, int row) const;
  std::string& cell(int column, int row);
};

/// "Transformed data": component i of observation l in cell (i, l), under the header row
/// "X'", "  k1", "  k2", ... and beside the header column "  l1", "  l2", ... A statobject of many
/// observations gives a grid far too large to keep as texts, so a cell's text is made when it is
/// asked for (the same text the other grids hold: four decimals).
struct TransformedData {
  static constexpr const char* kTitle = "Transformed data";
  int properties = 0;
  int observations = 0;
  /// components[i][l]: component i + 1 of observation l + 1.
  std::vector<std::vector<double>> components;

  int columnCount() const { return properties + 1; }
  int rowCount() const { return observations + 1; }
  /// The text of a cell; "List index out of bounds" outside the grid.
  std::string cell(int column, int row) const;
};

/// Everything one run of the analysis produces.
///
/// The eigenpairs of the correlation matrix are ordered once, by decreasing eigenvalue (equal
/// eigenvalues in the order the decomposition gave them); "eigenvector i" below is the one of
/// the i-th largest eigenvalue. Component i of an observation is its projection on eigenvector
/// i: the standardized observation (every property (x - mean) / s) times that eigenvector. Up to
/// the sign of each eigenvector these are the usual principal component scores of the
/// standardized data.
struct NDAnalysis {
  int properties = 0;    // n
  int observations = 0;  // m
  /// "Sample averages": header row "  #1".."  #n" over the means (no header column).
  TextGrid gAvg;
  /// "Sample dispersions and covariations": d_i^2 on the diagonal, d_i d_j r_ij elsewhere (d the
  /// standard deviations, r the filtered pair correlations).
  TextGrid gD;
  /// "Sample pair correlations": "1" on the diagonal, r_ij elsewhere.
  TextGrid gR;
  /// "R's own values and vectors": column "F" + i holds eigenvector i, row "X" + k its component
  /// for property k; the header of a column whose eigenvalue is at least 1 - 1e-8 ends in "*".
  TextGrid ownVV;
  /// "MMC table": row i (header "  #" + i) holds the i-th largest eigenvalue under "Lambda", its
  /// share of the n properties under "Lk/n", and under "Disp_k" the sum over the n2 main
  /// components j of (component k of eigenvector j)^2 with k = i: the squared length of the
  /// projection of property k's axis on the space of the main components (1 when every
  /// component is a main one).
  TextGrid DD;
  /// "Transformed data".
  TransformedData transData;

  /// The eigenvalues, largest first.
  std::vector<double> lambda;
  /// vectors[i][k]: component k of eigenvector i (both from 0), a unit vector.
  std::vector<std::vector<double>> vectors;
  /// Whether the eigen decomposition converged; the grids are filled from its result either way.
  bool converged = false;
  /// The number of main components n2: the leading eigenvalues of at least 1 - 1e-8.
  int n2 = 0;

  /// "There are " + n2 + " main components".
  std::string message() const;
  /// The statobject of the main components (unnamed): property i holds component i + 1 of every
  /// observation, for the n2 main components.
  TStatsObject mainComponents() const;
};

/// Titles of the grids as the window shows them above each.
inline constexpr const char* kAveragesTitle = "Sample averages";
inline constexpr const char* kDispersionsTitle = "Sample dispersions and covariations";
inline constexpr const char* kPairCorrelationsTitle = "Sample pair correlations";
inline constexpr const char* kOwnValuesTitle = "R's own values and vectors";
inline constexpr const char* kMMCTitle = "MMC table";

/// An eigenvalue at least this large marks a main component.
constexpr double kMainComponentLambda = 1 - 1e-8;

/// The multi-dimensional analysis of obj. With `standard` ("Standartization" checked) every
/// property of obj is standardized in place first, so that the caller keeps the standardized
/// data. `out` is cleared and then filled grid by grid, so after a failure it holds what the run
/// had reached.
///
/// Unsound inputs fail with an Error saying what is wrong, before anything is filled or
/// standardized: fewer than two properties, properties of different lengths, fewer than two
/// observations, a property whose values are all equal. No infinity or NaN reaches a grid.
///
/// The share of the run done goes to `progress`. A stop it asks for throws Cancelled and leaves
/// obj and out as a failure would: a caller that must keep its state passes its own copies.
void ProcessObject(TStatsObject& obj, bool standard, NDAnalysis& out,
                   const Progress& progress = {});

/// Where the main components of a statobject opened from `openedFile` go by default: the name
/// without its last four characters, followed by "i.sta" (data.sta gives datai.sta). A
/// statobject without a file (a composed one) has no default: nothing is returned and the caller
/// asks for a path.
std::optional<std::string> mainComponentsFileName(const std::string& openedFile);

/// Writes the main components file (analysis.mainComponents()) to `path`. An existing file is
/// replaced only when `replace` is true; otherwise the call fails with
/// "The file "path" already exists." and writes nothing. Fails as TStatsObject::writeObject.
void writeMainComponents(const NDAnalysis& analysis, const std::string& path, bool replace);

}  // namespace statorium
