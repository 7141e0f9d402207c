#include "cli/compose.h"

#include <ostream>

#include "cli/arguments.h"
#include "core/composition.h"
#include "core/errors.h"

namespace statorium::cli {

namespace {

struct ComposeOptions {
  std::string name;
  std::string out;
  std::vector<PropertySource> sources;
};

// "FILE" or "FILE:N". A path may hold ':' itself, so only an all-digit suffix after the last
// ':' is a property number.
PropertySource parseSource(const std::string& arg) {
  const size_t colon = arg.rfind(':');
  if (colon == std::string::npos || colon == 0 || colon + 1 == arg.size()) return {arg, 0};
  const std::string digits = arg.substr(colon + 1);
  if (digits.find_first_not_of("0123456789") != std::string::npos) return {arg, 0};
  // A number beyond any statobject's property count is still a number, and still missing.
  const long long n = digits.size() > 9 ? 1000000000LL : std::stoll(digits);
  if (n < 1) throw UsageError{"property numbers count from 1 in '" + arg + "'"};
  return {arg.substr(0, colon), static_cast<int>(n - 1)};
}

ComposeOptions parse(const std::vector<std::string>& args) {
  ComposeOptions o;
  ArgumentReader in(args);
  bool haveName = false, haveOut = false;
  while (!in.done()) {
    const std::string a = in.next("argument");
    if (a == "--name") {
      o.name = in.next("name");
      haveName = true;
    } else if (a == "--out") {
      o.out = in.next("output path");
      if (o.out.empty()) throw UsageError{"empty output path"};
      haveOut = true;
    } else if (a.size() > 1 && a[0] == '-') {
      throw UsageError{"unknown option '" + a + "'"};
    } else {
      o.sources.push_back(parseSource(a));
    }
  }
  if (!haveName) throw UsageError{"missing --name"};
  if (!haveOut) throw UsageError{"missing --out"};
  if (o.sources.empty()) throw UsageError{"missing FILE"};
  return o;
}

void run(const std::vector<std::string>& args, std::ostream&) {
  const ComposeOptions o = parse(args);
  const TStatsObject obj = composeObject(o.name, o.sources, openProperty);
  // The window would hand back an object without properties; a batch run has nothing to write.
  if (obj.propCount() == 0) throw Error("There is nothing to save!");
  obj.writeObject(o.out);
}

}  // namespace

Command composeCommand() {
  return {"compose", "--name NAME --out PATH FILE[:N]...",
          "Composes a statobject named NAME and writes it as a statobject file to PATH. Each FILE\n"
          "becomes the next property: a sample text file its values, a statobject file (.sta,\n"
          ".csv) its property N (counted from 1, default 1). Only an all-digit suffix after the\n"
          "last ':' is read as N. A file without values adds no property; a property the file\n"
          "does not have, an unreadable file or no property at all is an error and nothing is\n"
          "written. Prints nothing.",
          run};
}

}  // namespace statorium::cli
