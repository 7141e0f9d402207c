#include "cli/nd.h"

#include <filesystem>

#include "cli/arguments.h"
#include "core/errors.h"
#include "core/ndanalysis.h"
#include "core/statsobject.h"

namespace statorium::cli {

namespace {

struct NDOptions {
  std::string file;
  bool standard = false;
  std::string components;  // empty: beside the file, as the window writes it
};

NDOptions parse(const std::vector<std::string>& args) {
  NDOptions o;
  o.file = readFileAndOptions(args, [&o](const std::string& a, ArgumentReader& in) {
    if (a == "--standard") {
      o.standard = true;
    } else if (a == "--components") {
      o.components = in.next("main components path");
      if (o.components.empty()) throw UsageError{"empty main components path"};
    } else {
      return false;
    }
    return true;
  });
  return o;
}

void run(const std::vector<std::string>& args, std::ostream& out) {
  const NDOptions o = parse(args);
  TStatsObject obj;
  obj.readObject(o.file);
  NDAnalysis a;
  ProcessObject(obj, o.standard, a);
  printGrid(out, kAveragesTitle, a.gAvg);
  printGrid(out, kDispersionsTitle, a.gD);
  printGrid(out, kPairCorrelationsTitle, a.gR);
  printGrid(out, kOwnValuesTitle, a.ownVV);
  printGrid(out, kMMCTitle, a.DD);
  printGrid(out, TransformedData::kTitle, a.transData);
  out << a.message() << "\n";
  out.flush();
  if (!o.components.empty()) {
    writeMainComponents(a, o.components, true);  // named on the command line: replaced
    return;
  }
  // The window would ask before replacing a file; a batch run cannot ask, so it keeps the file.
  const std::string path = mainComponentsFileName(o.file).value_or("i.sta");
  std::error_code ec;
  if (std::filesystem::exists(path, ec))
    throw Error("The file \"" + path +
                "\" already exists. Name the main components file with --components to replace "
                "it.");
  writeMainComponents(a, path, false);
}

}  // namespace

Command ndCommand() {
  return {"nd", "FILE [--standard] [--components PATH]",
          "The multi-dimensional analysis of the statobject FILE (\"Standartization\" checked\n"
          "with --standard). Prints the grids \"Sample averages\", \"Sample dispersions and\n"
          "covariations\", \"Sample pair correlations\", \"R's own values and vectors\", \"MMC\n"
          "table\", \"Transformed data\" and the number of main components, then writes the main\n"
          "components file to PATH, or beside FILE as the window does (FILE without its last\n"
          "four characters, followed by \"i.sta\"). A file already there is replaced only when\n"
          "named with --components.",
          run};
}

}  // namespace statorium::cli
