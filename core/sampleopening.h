#pragma once
// Turning any data file into one sample, as the main window and the composition dialog do.

#include <functional>
#include <string>

#include "core/progress.h"
#include "core/statsobject.h"
#include "core/values.h"

namespace statorium {

/// Asked which property of a statobject with two or more properties becomes the sample;
/// returns its 0-based position (the first property when the question is cancelled).
using PropertyChooser = std::function<int(const TStatsObject&)>;

/// Reads ".sta" and ".csv" files (any case) as statobjects: no property gives an empty sample,
/// one property a copy of it, several the property `choose` names. Any other file is read as a
/// sample text file. The values come in file order, unsorted. Reading errors propagate. The
/// reading reports its progress to `progress`; a stop it asks for throws Cancelled (before
/// `choose` is asked anything).
TValues openValues(const std::string& fileName, const PropertyChooser& choose,
                   const Progress& progress = {});

}  // namespace statorium
