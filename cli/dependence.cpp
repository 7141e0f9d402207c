#include "cli/dependence.h"

#include "cli/nd.h"  // printGrid
#include "core/dependence.h"
#include "core/statsobject.h"

namespace statorium::cli {

namespace {

void run(const std::vector<std::string>& args, std::ostream& out) {
  if (args.empty()) throw UsageError{"missing FILE"};
  if (args[0].size() > 1 && args[0][0] == '-') throw UsageError{"unknown option '" + args[0] + "'"};
  if (args.size() > 1) throw UsageError{"unexpected argument '" + args[1] + "'"};
  TStatsObject obj;
  obj.readObject(args[0]);
  const PropertyDependence d = Evaluate(obj);
  // The titles without the window's instructions for the mouse.
  printGrid(out, "Sample partial correlations", d.gPR);
  printGrid(out, "Sample correlations", d.gMR);
}

}  // namespace

Command dependenceCommand() {
  return {"dependence", "FILE",
          "\"Evaluate\" of the property dependence page for the statobject FILE. Prints the grids\n"
          "\"Sample partial correlations\" and \"Sample correlations\".",
          run};
}

}  // namespace statorium::cli
