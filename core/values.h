#pragma once
// TValues: a sample, the ordered real numbers of one series of observations.

#include <string>
#include <vector>

#include "core/progress.h"

namespace statorium {

/// One observation.
struct TValue {
  long double x = 0;
};

/// A sample of extended reals, kept contiguously in insertion order; positions count from 0.
/// Statistics follow the usual textbook definitions; a fault (an empty sample, a zero spread)
/// fails with the matching FloatError instead of giving an infinity or NaN.
class TValues {
 public:
  TValues() = default;
  explicit TValues(std::vector<long double> values) : m_x(std::move(values)) {}

  int count() const { return static_cast<int>(m_x.size()); }
  bool empty() const { return m_x.empty(); }
  const std::vector<long double>& data() const { return m_x; }

  /// Value at position i; "List index out of bounds (i)" outside 0..count-1.
  long double getAt(int i) const;
  /// Replaces the value at position i (same index rule).
  void setAt(int i, long double v);
  /// Appends a value.
  void Add(long double x) { m_x.push_back(x); }
  /// Inserts a value before position i (0..count; the index rule otherwise).
  void Insert(int i, long double x);
  /// Removes the value at position i (same index rule).
  void Delete(int i);
  void Clear() { m_x.clear(); }
  /// An independent copy.
  TValues Clone() const;

  /// Largest / smallest value; an empty sample fails with the list error for index 0.
  long double Max() const;
  long double Min() const;
  /// Mean; D (when given) receives the standard error s/sqrt(n). Empty: invalid operation.
  long double Average(long double* D = nullptr) const;
  /// Standard deviation with n-1; D receives s/sqrt(2n). Fewer than two values: invalid.
  long double AverageQuadratic(long double* D = nullptr) const;
  /// Replaces every x by (x - mean) / s in place; all values equal: invalid, sample unchanged.
  void MakeStandard();
  /// Deletes values below left or above right (bounds kept), keeping the order of the rest.
  void dropAbnormalsOutOfInterval(long double left, long double right);
  /// Sorts ascending in place; an empty sample fails with the list error for index 0.
  void QuickSort();

  // The readers report the share of the file read to `progress`; a stop it asks for throws
  // Cancelled and leaves the sample empty.

  /// Reads by extension: ".csv" (any case) as the first CSV column, anything else as text.
  void LoadFromFile(const std::string& fileName, const Progress& progress = {});
  /// Reads a sample text file: the first token of each line, "." as decimal point; the first
  /// token that is not a number ends the reading silently. Blank lines are skipped and add no
  /// value. An unopenable file fails with "I/O error 103" and leaves the sample empty.
  void LoadFromTxtFile(const std::string& fileName, const Progress& progress = {});
  /// Reads column `index` (from 0) of a CSV file with the locale's decimal separator; a field
  /// that is no number gives 0, a line without that field ends the reading, and a first line
  /// of names only is skipped as a header. Fields are split as splitCsvFields says, with ';'
  /// as the separator when the first line that is not blank has one (csvSeparatorOf).
  void LoadFromCsvFile(const std::string& fileName, int index, const Progress& progress = {});
  /// Writes one " " + 23-character field line per value (CR LF); an existing file is replaced
  /// only by a complete new one. Fails with "Cannot create file ..." or a write error. The share
  /// of the values written goes to `progress`; a stop it asks for throws Cancelled and leaves
  /// the file as it was.
  void SaveToFile(const std::string& fileName, const Progress& progress = {}) const;
  /// Appends the values of property `number` (from 0) of a statobject file. Every failure is
  /// swallowed; a damaged property appends nothing.
  void LoadFromObject(const std::string& fileName, int number);

 private:
  void checkIndex(int i) const;
  std::vector<long double> m_x;
};

/// The file name's extension from its last dot, lower-cased ("" when there is none).
std::string lowerExtension(const std::string& fileName);

}  // namespace statorium
