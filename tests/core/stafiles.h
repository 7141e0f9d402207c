#pragma once
// Writing small statobject files for the tests.

#include <string>
#include <vector>

#include "core/statsobject.h"
#include "tests/support/tempdir.h"

namespace statorium::test {

/// Writes a statobject named "x" with the given properties to `name` in `dir`; returns its path.
inline std::string writeStaFile(const TempDir& dir, const std::string& name,
                                const std::vector<std::vector<long double>>& props) {
  TStatsObject obj;
  obj.name = "x";
  for (const std::vector<long double>& p : props) obj.addValues(TValues(p));
  const std::string path = dir.file(name);
  obj.writeObject(path);
  return path;
}

}  // namespace statorium::test
