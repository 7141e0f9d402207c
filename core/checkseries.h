#pragma once
// Reading the series chosen in the similarity check windows.

#include <optional>
#include <string>

#include "core/progress.h"
#include "core/values.h"

namespace statorium {

/// The line between a criterion's value lines and its verdict in the check windows.
extern const char* const kCheckSeparator;

/// A criterion's value as the check windows write it: three decimals; an infinity or NaN fails.
std::string checkNumber(long double v);

/// Reads one checked series: a ".sta" file (any letter case, as everywhere in the program)
/// gives its first property, any other file is read as a sample file. Fails with the reading
/// error, or when a statobject file holds no property. The reader reports the share of the file
/// read to `progress`; a stop it asks for throws Cancelled.
TValues loadCheckSeries(const std::string& fileName, const Progress& progress = {});

/// loadCheckSeries without the error: nothing when the file cannot be read in full or holds no
/// property. A stop asked for still throws Cancelled: it is no unreadable file.
std::optional<TValues> readCheckSeries(const std::string& fileName, const Progress& progress = {});

}  // namespace statorium
