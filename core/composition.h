#pragma once
// Composing a statobject from series files: the texts that describe a candidate property, and
// the composition itself, shared by the composition window and the batch program.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/statsobject.h"
#include "core/values.h"

namespace statorium {

/// The texts of one row of the property lists: the full path, the number of distinct values,
/// the smallest value, the average and the largest value (4 decimals each) and the file name
/// without its folder.
struct PropertyRow {
  std::string path;
  std::string count;
  std::string min;
  std::string avg;
  std::string max;
  std::string fileName;
};

/// The row of a sample read from `path`; nothing for an empty sample.
std::optional<PropertyRow> propertyRow(const std::string& path, const TValues& values);

/// Where one property of a composed object comes from.
struct PropertySource {
  std::string fileName;
  /// The property of a statobject file (from 0), for readers that take it by number.
  int number = 0;
};

/// Reads the sample of one source.
using SourceReader = std::function<TValues(const PropertySource&)>;

/// A new statobject named `name` (UTF-8) whose properties are the samples `read` gives for the
/// sources, in their order and with the values in file order. A source that gives no value adds
/// no property. Errors of `read` propagate.
TStatsObject composeObject(const std::string& name, const std::vector<PropertySource>& sources,
                           const SourceReader& read);

/// Reads property `source.number` of a file as the sample opening does, without asking: a
/// statobject file gives that property, any other file is one property. A property the file
/// does not have fails with "The file "NAME" has no property N" (N counted from 1); reading
/// errors propagate.
TValues openProperty(const PropertySource& source);

}  // namespace statorium
