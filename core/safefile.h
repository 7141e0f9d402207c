#pragma once
// Writing a file so that an existing file of the same name is replaced only by a complete new
// one: the data goes to a temporary file in the same folder, which then takes the name.

#include <cstddef>
#include <cstdio>
#include <string>

namespace statorium {

class SafeFileWriter {
 public:
  /// Creates the temporary file beside `fileName`. Fails with "Cannot create file "%s". %s"
  /// when the folder does not allow it or an existing file of that name is read-only.
  explicit SafeFileWriter(const std::string& fileName);
  /// Removes the temporary file when commit() was not reached.
  ~SafeFileWriter();
  SafeFileWriter(const SafeFileWriter&) = delete;
  SafeFileWriter& operator=(const SafeFileWriter&) = delete;

  /// Appends bytes; fails with the write error of the system's code ("Disk full", ...).
  void write(const void* data, size_t size);
  void write(const std::string& text) { write(text.data(), text.size()); }
  /// Flushes, closes and moves the temporary file onto the target name.
  void commit();

 private:
  std::string m_target;
  std::string m_temp;
  std::FILE* m_file = nullptr;
  bool m_committed = false;
};

}  // namespace statorium
