#pragma once
// The multi-dimensional similarity check of k statobjects, each a sample of p-dimensional
// observations: equality of the k covariance matrices, equality of the k mean vectors, and
// equality of the mean vectors of the first two under normal laws with a common covariance
// matrix. All three statistics are compared with chi-square quantiles at the level 0.05.

#include <string>
#include <vector>

#include "core/statsobject.h"

namespace statorium {

/// The lines of the two result memos.
struct NSimilarityResults {
  /// "Many series check results": the covariance block and the mean block, each ending in an
  /// empty line.
  std::vector<std::string> textResults;
  /// "Normal law check results": the block of the first two statobjects.
  std::vector<std::string> normalResults;
};

/// Reads the checked files as the window does: only names whose extension (from the last "."
/// on) is ".sta", in this letter case, are read, each with TStatsObject::readObject; a file that
/// cannot be read in full is left out without a message, as are the other names.
std::vector<TStatsObject> readNCheckObjects(const std::vector<std::string>& files);

/// Checks the statobjects. With fewer than two, both memos get the one line
/// "You need to have two series selected at least.". `out` is cleared and then filled memo by
/// memo, so after a failure it holds what the run had reached.
///
/// Every statistic of the first memo is computed before any of its lines is written. Unsound
/// inputs fail with an Error before any line: statobjects with different numbers of properties
/// or without properties, properties of different lengths within a statobject, a statobject
/// with no more observations than properties or with a constant property (its covariance
/// matrix is singular). A covariance matrix that is singular because a property is a
/// combination of others fails with "Floating point division by zero".
void NSimilarityCheck(const std::vector<TStatsObject>& objects, NSimilarityResults& out);

}  // namespace statorium
