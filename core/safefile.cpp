#include "core/safefile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/errors.h"

namespace statorium {

SafeFileWriter::SafeFileWriter(const std::string& fileName) : m_target(fileName) {
  // Saving through a symbolic link replaces the file it points to, not the link.
  struct stat st;
  if (::lstat(fileName.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    if (char* resolved = ::realpath(fileName.c_str(), nullptr)) {
      m_target = resolved;
      std::free(resolved);
    }
  }
  mode_t mode = 0666;
  if (::stat(m_target.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) throw cannotCreateFile(fileName, std::strerror(EISDIR));
    // Replacing by rename would bypass a read-only target; refuse as writing it in place would.
    if (::access(m_target.c_str(), W_OK) != 0)
      throw cannotCreateFile(fileName, std::strerror(errno));
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  std::string pattern = m_target + ".tmp-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) throw cannotCreateFile(fileName, std::strerror(errno));
  m_temp = name.data();
  ::fchmod(fd, mode);
  m_file = ::fdopen(fd, "wb");
  if (!m_file) {
    const int err = errno;
    ::close(fd);
    ::unlink(m_temp.c_str());
    throw cannotCreateFile(fileName, std::strerror(err));
  }
  static_cast<void>(std::setvbuf(m_file, nullptr, _IOFBF, 1 << 16));
}

SafeFileWriter::~SafeFileWriter() {
  if (m_file) std::fclose(m_file);
  if (!m_committed && !m_temp.empty()) ::unlink(m_temp.c_str());
}

void SafeFileWriter::write(const void* data, size_t size) {
  if (size == 0) return;
  errno = 0;
  if (std::fwrite(data, 1, size, m_file) != size) throw writeError(errno ? errno : EIO);
}

void SafeFileWriter::commit() {
  errno = 0;
  if (std::fflush(m_file) != 0) throw writeError(errno ? errno : EIO);
  if (::fsync(::fileno(m_file)) != 0 && errno != EINVAL) throw writeError(errno);
  const int closed = std::fclose(m_file);
  m_file = nullptr;
  if (closed != 0) throw writeError(errno ? errno : EIO);
  if (::rename(m_temp.c_str(), m_target.c_str()) != 0) throw writeError(errno);
  m_committed = true;
}

}  // namespace statorium
