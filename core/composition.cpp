#include "core/composition.h"

#include <algorithm>
#include <filesystem>

#include "core/errors.h"
#include "core/numtext.h"
#include "core/sampleopening.h"
#include "core/variants.h"

namespace statorium {

std::optional<PropertyRow> propertyRow(const std::string& path, const TValues& values) {
  if (values.empty()) return std::nullopt;
  TValues sorted = values.Clone();
  sorted.QuickSort();
  TVariants series;
  series.setVariants(sorted);
  PropertyRow row;
  row.path = path;
  row.count = std::to_string(series.count());
  row.min = formatFixed(series.xs().front(), 4);
  row.avg = formatFixed(series.Average(), 4);
  row.max = formatFixed(series.xs().back(), 4);
  row.fileName = std::filesystem::path(path).filename().string();
  return row;
}

TStatsObject composeObject(const std::string& name, const std::vector<PropertySource>& sources,
                           const SourceReader& read) {
  TStatsObject obj;
  obj.name = name;
  for (const PropertySource& source : sources) {
    const TValues values = read(source);
    if (!values.empty()) obj.addValues(values);
  }
  return obj;
}

TValues openProperty(const PropertySource& source) {
  const auto missing = [&] {
    return Error("The file \"" + source.fileName + "\" has no property " +
                 std::to_string(source.number + 1));
  };
  if (source.number < 0) throw missing();
  bool asked = false;
  TValues values = openValues(source.fileName, [&](const TStatsObject& obj) {
    asked = true;
    if (source.number >= obj.propCount()) throw missing();
    return source.number;
  });
  // Without a question the file had at most one property: only the first exists.
  if (!asked && source.number > 0) throw missing();
  return values;
}

}  // namespace statorium
