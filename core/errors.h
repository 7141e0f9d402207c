#pragma once
// Errors of the statistics core. Every failure is an exception carrying the text that the
// program shows in its error box (and that the batch program prints).

#include <stdexcept>
#include <string>

namespace statorium {

/// A failure of a core operation; what() is the user-visible message.
class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

/// The three floating-point faults that are never masked.
class FloatError : public Error {
 public:
  enum class Kind { DivideByZero, Invalid, Overflow };
  explicit FloatError(Kind kind);
  Kind kind() const { return m_kind; }

 private:
  Kind m_kind;
};

/// "List index out of bounds (%d)".
Error listIndexError(long long index);
/// "Class count error".
Error classCountError();
/// "I/O error %d"; code 103 is "file not open".
Error ioError(int code);
/// "Cannot open file "%s". %s".
Error cannotOpenFile(const std::string& fileName, const std::string& reason);
/// "Cannot create file "%s". %s".
Error cannotCreateFile(const std::string& fileName, const std::string& reason);
/// A statobject file whose counts announce more than it holds.
Error damagedFile(const std::string& fileName, const std::string& reason);
/// The input/output error for a failed write, from the system's error number:
/// "File access denied", "Disk full" or "I/O error %d".
Error writeError(int errnoValue);

/// The I/O code of a text file that could not be opened.
constexpr int kFileNotOpen = 103;

}  // namespace statorium
