#pragma once
// Line-by-line reading of text files in large chunks, shared by the sample and CSV readers.

#include <functional>
#include <string>
#include <string_view>

namespace statorium {

/// Calls `onLine` for every line of the file, without its line feed (a carriage return before
/// the line feed is left in the line; the readers treat it as a blank). The last line counts
/// even without a line feed. Stops early when `onLine` returns false.
/// Fails with "I/O error 103" when the file cannot be opened (missing, unreadable, a folder),
/// and with "I/O error %d" (the system's code) when reading fails part way.
void forEachLine(const std::string& fileName, const std::function<bool(std::string_view)>& onLine);

/// The size of a regular file in bytes; -1 when it cannot be examined or is not a regular file.
long long regularFileSize(const std::string& fileName);

}  // namespace statorium
