#include "core/checkseries.h"

#include "core/errors.h"
#include "core/fpfault.h"
#include "core/numtext.h"
#include "core/statsobject.h"

namespace statorium {

const char* const kCheckSeparator = "-----------------------------";

std::string checkNumber(long double v) {
  return formatFixed(finiteOrThrow(v), 3);
}

TValues loadCheckSeries(const std::string& fileName, const Progress& progress) {
  if (lowerExtension(fileName) == ".sta") {
    TStatsObject obj;
    obj.readObject(fileName, progress);
    if (obj.propCount() == 0) throw Error("The statobject \"" + fileName + "\" has no properties.");
    return obj.Prop(0).Clone();
  }
  TValues values;
  values.LoadFromFile(fileName, progress);
  return values;
}

std::optional<TValues> readCheckSeries(const std::string& fileName, const Progress& progress) {
  try {
    return loadCheckSeries(fileName, progress);
  } catch (const Error&) {
    // A file that cannot be read in full gives no series; the check says two are needed.
    return std::nullopt;
  }
}

}  // namespace statorium
