#include "cli/manyseries.h"

#include <ostream>

#include "cli/output.h"
#include "core/checkseries.h"
#include "core/manyseries.h"

namespace statorium::cli {

namespace {

void run(const std::vector<std::string>& args, std::ostream& out) {
  std::vector<TValues> series;
  std::vector<std::string> files;
  for (const std::string& a : args) {
    if (a.size() > 1 && a[0] == '-') throw UsageError{"unknown option '" + a + "'"};
    files.push_back(a);
  }
  if (files.size() < 2) throw UsageError{"at least two files are needed"};
  // As in the window, a file that cannot be read ends the run before any line.
  for (const std::string& file : files) series.push_back(loadCheckSeries(file));
  const ManySeriesLines lines = ManySeriesCheck(series);
  printLines(out, lines.bartlett);
  out << "\n";
  printLines(out, lines.variance);
  out << "\n";
  printLines(out, lines.rank);
}

}  // namespace

Command manySeriesCommand() {
  return {"many-series", "FILE FILE [FILE...]",
          "The many-series similarity check of all files in order: Bartlett's criterion lines,\n"
          "an empty line, the analysis of variance lines, an empty line, the H-criterion lines.",
          run};
}

}  // namespace statorium::cli
