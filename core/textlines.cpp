#include "core/textlines.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "core/errors.h"

namespace statorium {

namespace {
struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;
}  // namespace

long long regularFileSize(const std::string& fileName) {
  struct stat st;
  if (::stat(fileName.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
  return static_cast<long long>(st.st_size);
}

void forEachLine(const std::string& fileName, const std::function<bool(std::string_view)>& onLine,
                 const Progress& progress) {
  // A folder opens for reading on this system but holds no text: treat it as unopenable.
  struct stat st;
  if (::stat(fileName.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) throw ioError(kFileNotOpen);
  FilePtr file(std::fopen(fileName.c_str(), "rb"));
  if (!file) throw ioError(kFileNotOpen);

  constexpr size_t kChunk = 1 << 20;
  // A short file gets a buffer of its own size: every fresh page costs a fault, and on a virtual
  // machine a chunk's worth of them outweighs reading the file.
  const size_t size = static_cast<size_t>(st.st_size);
  std::vector<char> buffer(S_ISREG(st.st_mode) && size < kChunk ? size + 1 : kChunk);
  size_t kept = 0;  // bytes of an unfinished line carried over from the previous chunk
  bool atStart = true;
  ProgressCounter counter(progress, S_ISREG(st.st_mode) ? static_cast<long long>(size) : 0,
                          kReadProgressBytes);
  long long passed = 0;  // bytes of the file before the current chunk's first byte
  for (;;) {
    if (kept == buffer.size()) buffer.resize(buffer.size() * 2);  // a very long line
    const size_t got = std::fread(buffer.data() + kept, 1, buffer.size() - kept, file.get());
    if (got == 0) {
      if (std::ferror(file.get())) throw ioError(errno != 0 ? errno : EIO);
      if (kept > 0) onLine(std::string_view(buffer.data(), kept));
      return;
    }
    const char* begin = buffer.data();
    const char* end = begin + kept + got;
    const char* line = begin;
    if (atStart) {
      // Editors on some systems open a text file with a UTF-8 byte order mark; it is no data.
      atStart = false;
      if (end - begin >= 3 && std::memcmp(begin, "\xEF\xBB\xBF", 3) == 0) line += 3;
    }
    for (;;) {
      const char* lf = static_cast<const char*>(std::memchr(line, '\n', end - line));
      if (!lf) break;
      if (!onLine(std::string_view(line, lf - line))) return;
      line = lf + 1;
      counter.at(passed + (line - begin));
    }
    kept = static_cast<size_t>(end - line);
    passed += line - begin;
    if (kept > 0 && line != begin) std::memmove(buffer.data(), line, kept);
  }
}

}  // namespace statorium
