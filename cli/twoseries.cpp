#include "cli/twoseries.h"

#include <ostream>

#include "cli/arguments.h"
#include "cli/output.h"
#include "core/twoseries.h"

namespace statorium::cli {

namespace {

void run(const std::vector<std::string>& args, std::ostream& out) {
  std::vector<std::string> files;
  bool dependent = false;
  for (const std::string& a : args) {
    if (a == "--dependent")
      dependent = true;
    else if (a.size() > 1 && a[0] == '-')
      throw UsageError{"unknown option '" + a + "'"};
    else
      files.push_back(a);
  }
  if (files.size() != 2) throw UsageError{"two files are needed"};
  const std::optional<TValues> first = readCheckSeries(files[0]);
  const std::optional<TValues> second = readCheckSeries(files[1]);
  if (!first || !second) {
    out << kNeedTwoSeries << "\n\n" << kNeedTwoSeries << "\n";
    return;
  }
  std::vector<std::string> uLines, normalLines;
  try {
    TwoSeriesCheck(*first, *second, dependent, uLines, normalLines);
  } catch (...) {
    printLines(out, uLines);  // what the window shows before the error box
    throw;
  }
  printLines(out, uLines);
  out << "\n";
  printLines(out, normalLines);
}

}  // namespace

Command twoSeriesCommand() {
  return {"two-series", "FIRST SECOND [--dependent]",
          "The two-series similarity check with FIRST and SECOND in that order: the U-criterion\n"
          "lines, an empty line, the F- and t-criterion lines (paired series with --dependent).",
          run};
}

}  // namespace statorium::cli
