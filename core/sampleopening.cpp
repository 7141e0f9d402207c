#include "core/sampleopening.h"

namespace statorium {

TValues openValues(const std::string& fileName, const PropertyChooser& choose,
                   const Progress& progress) {
  const std::string ext = lowerExtension(fileName);
  if (ext == ".sta" || ext == ".csv") {
    TStatsObject obj;
    obj.readObject(fileName, progress);
    if (obj.propCount() == 0) return TValues();
    if (obj.propCount() == 1) return obj.Prop(0).Clone();
    int chosen = choose ? choose(obj) : 0;
    if (chosen < 0 || chosen >= obj.propCount()) chosen = 0;
    return obj.Prop(chosen).Clone();
  }
  TValues values;
  values.LoadFromFile(fileName, progress);
  return values;
}

}  // namespace statorium
