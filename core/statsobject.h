#pragma once
// TStatsObject: a named table of properties (samples) of the same observations, and its files.

#include <string>
#include <vector>

#include "core/progress.h"
#include "core/values.h"

namespace statorium {

/// Properties are addressed by 0-based position. Nothing forces equal lengths; the analyses take
/// the length of property 0 as the number of observations.
class TStatsObject {
 public:
  /// The name (UTF-8); the default file name when saving.
  std::string name;

  int propCount() const { return static_cast<int>(m_properties.size()); }
  /// Appends a copy of `values` and returns the new number of properties.
  int addValues(const TValues& values);
  /// The property at position i, kept by the object; "List index out of bounds (%d)" outside.
  TValues& Prop(int i);
  const TValues& Prop(int i) const;
  /// The smallest number of values over the properties; 0 without properties.
  int MinValuesCount() const;

  // The readers report the share of the file read to `progress`; a stop it asks for throws
  // Cancelled and adds nothing of the file.

  /// ".sta" (any case) is read as a statobject file, anything else as a CSV statobject file.
  void readObject(const std::string& fileName, const Progress& progress = {});
  /// Reads a statobject file and appends its properties; sets the name. Fails with
  /// "Cannot open file ..." when it cannot be opened, and with "Cannot read file ..." when its
  /// counts announce more than the file holds or a value is not a finite number; then nothing
  /// of the file is added.
  void readStaObject(const std::string& fileName, const Progress& progress = {});
  /// Reads a CSV statobject file: the first line's fields fix the number of properties (a first
  /// line of names only is a header, skipped); every line gives one value to each property,
  /// 0 for a missing or unconvertible field. Fields are split with ';' when the first line
  /// that is not blank has one, else with ','. The name becomes the file's name. An unopenable
  /// file fails with "I/O error 103".
  void readCsvObject(const std::string& fileName, const Progress& progress = {});
  /// Writes the statobject file; an existing file is replaced only by a complete new one.
  /// Fails with "Cannot create file ..." or a write error.
  void writeObject(const std::string& fileName) const;

 private:
  std::vector<TValues> m_properties;
};

/// UTF-8 to UTF-16 code units and back (the statobject file keeps its name in UTF-16LE).
std::u16string utf8ToUtf16(const std::string& text);
std::string utf16ToUtf8(const std::u16string& text);

}  // namespace statorium
