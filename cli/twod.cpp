#include "cli/twod.h"

#include <ostream>

#include "cli/arguments.h"
#include "core/errors.h"
#include "core/statsobject.h"
#include "core/twodanalysis.h"

namespace statorium::cli {

namespace {

struct TwoDOptions {
  std::string file;
  int x = 1, y = 2;  // property numbers from 1
  bool independent = false;
};

TwoDOptions parse(const std::vector<std::string>& args) {
  TwoDOptions o;
  o.file = readFileAndOptions(args, [&o](const std::string& a, ArgumentReader& in) {
    if (a == "--x") {
      o.x = static_cast<int>(in.nextInteger("property number", 1, 1 << 30));
    } else if (a == "--y") {
      o.y = static_cast<int>(in.nextInteger("property number", 1, 1 << 30));
    } else if (a == "--independent") {
      o.independent = true;
    } else {
      return false;
    }
    return true;
  });
  return o;
}

void run(const std::vector<std::string>& args, std::ostream& out) {
  const TwoDOptions o = parse(args);
  TStatsObject obj;
  obj.readObject(o.file);
  // The window ignores such a statobject silently; here nothing printed would look like success.
  if (obj.propCount() < 2)
    throw Error("The statobject has fewer than two properties: no two-dimensional analysis.");
  for (int p : {o.x, o.y})
    if (p > obj.propCount()) throw Error("The statobject has no property " + std::to_string(p));
  T2DAnalysis result;
  try {
    ProcessObject(obj.Prop(o.x - 1), obj.Prop(o.y - 1), o.independent, result);
  } catch (...) {
    for (const std::string& line : result.lines) out << line << "\n";  // shown behind the error
    throw;
  }
  for (const std::string& line : result.lines) out << line << "\n";
}

}  // namespace

Command twoDCommand() {
  return {"twod", "FILE [--x I] [--y J] [--independent]",
          "The two-dimensional analysis of properties I (default 1, the X variable) and J\n"
          "(default 2, the Y variable) of the statobject FILE, with \"Independent properties\"\n"
          "checked when --independent is given. Prints the report.",
          run};
}

}  // namespace statorium::cli
