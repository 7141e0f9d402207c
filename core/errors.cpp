#include "core/errors.h"

#include <cerrno>

namespace statorium {

namespace {
const char* floatText(FloatError::Kind kind) {
  switch (kind) {
    case FloatError::Kind::DivideByZero:
      return "Floating point division by zero";
    case FloatError::Kind::Invalid:
      return "Invalid floating point operation";
    case FloatError::Kind::Overflow:
      return "Floating point overflow";
  }
  return "Invalid floating point operation";
}
}  // namespace

FloatError::FloatError(Kind kind) : Error(floatText(kind)), m_kind(kind) {}

Error listIndexError(long long index) {
  std::string text = "List index out of bounds (";
  text += std::to_string(index);
  text += ')';
  return Error(text);
}

Error classCountError() {
  return Error("Class count error");
}

Error ioError(int code) {
  return Error("I/O error " + std::to_string(code));
}

Error cannotOpenFile(const std::string& fileName, const std::string& reason) {
  return Error("Cannot open file \"" + fileName + "\". " + reason);
}

Error cannotCreateFile(const std::string& fileName, const std::string& reason) {
  return Error("Cannot create file \"" + fileName + "\". " + reason);
}

Error damagedFile(const std::string& fileName, const std::string& reason) {
  return Error("Cannot read file \"" + fileName + "\". " + reason);
}

Error writeError(int errnoValue) {
  switch (errnoValue) {
    case EACCES:
    case EPERM:
    case EROFS:
      return Error("File access denied");
    case ENOSPC:
    case EDQUOT:
      return Error("Disk full");
    default:
      return ioError(errnoValue);
  }
}

}  // namespace statorium
