#pragma once
// The entry point libFuzzer calls, built around one check of readerchecks.h: the inputs go to a
// private folder (in memory under /dev/shm where the system has one), and a broken promise
// aborts so that libFuzzer keeps the input.

#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "tests/fuzz/readerchecks.h"

namespace statorium::fuzz {

class InputFolder {
 public:
  InputFolder() {
    const std::filesystem::path base = ::access("/dev/shm", W_OK) == 0
                                           ? std::filesystem::path("/dev/shm")
                                           : std::filesystem::temp_directory_path();
    std::string tmpl = (base / "statorium-fuzz-XXXXXX").string();
    if (!::mkdtemp(tmpl.data())) std::abort();
    m_path = tmpl;
  }
  ~InputFolder() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
  }
  InputFolder(const InputFolder&) = delete;
  InputFolder& operator=(const InputFolder&) = delete;
  const std::string& path() const { return m_path; }

 private:
  std::string m_path;
};

inline int runCheck(std::string (*check)(const std::string&, std::string_view), const uint8_t* data,
                    size_t size) {
  static const InputFolder folder;
  const std::string broken =
      check(folder.path(), std::string_view(reinterpret_cast<const char*>(data), size));
  if (!broken.empty()) {
    std::fprintf(stderr, "broken promise: %s\n", broken.c_str());
    std::abort();
  }
  return 0;
}

}  // namespace statorium::fuzz

/// Defines the libFuzzer entry point for one check.
#define STATORIUM_FUZZ_TARGET(check)                                        \
  extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { \
    return statorium::fuzz::runCheck(&statorium::fuzz::check, data, size);  \
  }
