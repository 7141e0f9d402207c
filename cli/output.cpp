#include "cli/output.h"

namespace statorium::cli {

void printLines(std::ostream& out, const std::vector<std::string>& lines) {
  for (const std::string& line : lines) out << line << "\n";
}

}  // namespace statorium::cli
