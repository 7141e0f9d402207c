#pragma once
// The multi-dimensional similarity check of k statobjects, each a sample of p-dimensional
// observations: equality of the k covariance matrices, equality of the k mean vectors, and
// equality of the mean vectors of the first two under normal laws with a common covariance
// matrix. All three statistics are compared with chi-square quantiles at the level 0.05.

#include <optional>
#include <string>
#include <vector>

#include "core/progress.h"
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

/// Reads one checked file as the window does: only a name whose extension (from the last "."
/// on) is ".sta", in this letter case, is read, with TStatsObject::readObject; nothing for
/// another name or a file that cannot be read in full. The reader reports to `progress`; a stop
/// it asks for throws Cancelled.
std::optional<TStatsObject> readNCheckObject(const std::string& fileName,
                                             const Progress& progress = {});

/// readNCheckObject of every checked file: those it gives nothing for are left out without a
/// message.
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
