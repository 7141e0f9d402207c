#pragma once
// Line-by-line reading of text files in large chunks, shared by the sample and CSV readers.

#include <functional>
#include <string>
#include <string_view>

#include "core/progress.h"

namespace statorium {

/// How often the readers of large files report their progress: once every so many bytes read.
constexpr long long kReadProgressBytes = 1 << 18;

/// Calls `onLine` for every line of the file, without its line feed (a carriage return before
/// the line feed is left in the line; the readers treat it as a blank). The last line counts
/// even without a line feed. Stops early when `onLine` returns false.
/// Fails with "I/O error 103" when the file cannot be opened (missing, unreadable, a folder),
/// and with "I/O error %d" (the system's code) when reading fails part way. The share of the
/// file's bytes passed so far goes to `progress` every kReadProgressBytes; a stop it asks for
/// throws Cancelled.
void forEachLine(const std::string& fileName, const std::function<bool(std::string_view)>& onLine,
                 const Progress& progress = {});

/// The size of a regular file in bytes; -1 when it cannot be examined or is not a regular file.
long long regularFileSize(const std::string& fileName);

}  // namespace statorium
