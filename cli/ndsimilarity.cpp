#include "cli/ndsimilarity.h"

#include <ostream>

#include "cli/output.h"
#include "core/ndsimilarity.h"

namespace statorium::cli {

namespace {

void run(const std::vector<std::string>& args, std::ostream& out) {
  for (const std::string& a : args)
    if (a.size() > 1 && a[0] == '-') throw UsageError{"unknown option '" + a + "'"};
  if (args.size() < 2) throw UsageError{"at least two files are needed"};
  NSimilarityResults results;
  try {
    NSimilarityCheck(readNCheckObjects(args), results);
  } catch (...) {
    printLines(out, results.textResults);  // a failure of the last block comes after these
    throw;
  }
  printLines(out, results.textResults);
  out << "\n";
  printLines(out, results.normalResults);
}

}  // namespace

Command ndSimilarityCommand() {
  return {"nd-similarity", "FILE FILE [FILE...]",
          "The multi-dimensional similarity check of all files in order. As in the window, only\n"
          "files ending in \".sta\" are read, and one that cannot be read is left out. Prints\n"
          "the \"Many series check results\" lines, an empty line, the \"Normal law check\n"
          "results\" lines.",
          run};
}

}  // namespace statorium::cli
