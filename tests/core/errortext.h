#pragma once
// The message of the core error an action raises, so that tests compare the whole text.

#include <string>

#include "core/errors.h"

namespace statorium::test {

/// what() of the statorium::Error that `action` throws; "<no error>" when it returns normally.
/// Any other exception propagates and fails the test.
template <typename Action>
std::string errorText(Action&& action) {
  try {
    action();
  } catch (const Error& e) {
    return e.what();
  }
  return "<no error>";
}

inline constexpr const char* kDivByZero = "Floating point division by zero";
inline constexpr const char* kInvalidOp = "Invalid floating point operation";
inline constexpr const char* kOverflow = "Floating point overflow";

}  // namespace statorium::test
