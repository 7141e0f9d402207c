#include "cli/regression.h"

#include "cli/arguments.h"
#include "cli/nd.h"  // printGrid
#include "cli/output.h"
#include "core/dependence.h"
#include "core/errors.h"
#include "core/statsobject.h"

namespace statorium::cli {

namespace {

void run(const std::vector<std::string>& args, std::ostream& out) {
  ArgumentReader in(args);
  std::string file;
  long long k = 0;
  int positional = 0;
  while (!in.done()) {
    const std::string& a = in.peek();
    if (a.size() > 1 && a[0] == '-') throw UsageError{"unknown option '" + a + "'"};
    if (positional == 0) {
      file = in.next("FILE");
    } else if (positional == 1) {
      k = in.nextInteger("property number", 1, 1 << 30);
    } else {
      throw UsageError{"unexpected argument '" + a + "'"};
    }
    ++positional;
  }
  if (positional == 0) throw UsageError{"missing FILE"};
  if (positional == 1) throw UsageError{"missing K"};
  TStatsObject obj;
  obj.readObject(file);
  if (k > obj.propCount()) throw Error("The statobject has no property " + std::to_string(k));
  // As if the cell of property K in "Sample correlations" were clicked.
  const int property = static_cast<int>(k - 1);
  const TRegression r = Regression(obj, property, multipleCorrelationText(obj, property));
  printGrid(out, kRegressionParametersTitle, r.gA);
  printGrid(out, RegressionIntervals::kTitle, r.g2);
  printLines(out, r.textResults);
}

}  // namespace

Command regressionCommand() {
  return {"regression", "FILE K",
          "The regression window for property K of the statobject FILE, as if its cell in\n"
          "\"Sample correlations\" were clicked: the grids \"Regression parameters\" and\n"
          "\"Intervals\", then the \"Results\" lines. A correlation that is not important ends\n"
          "the run with the window's message.",
          run};
}

}  // namespace statorium::cli
