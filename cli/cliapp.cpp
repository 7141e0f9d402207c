#include "cli/cliapp.h"

#include <exception>

#include "cli/compose.h"
#include "cli/dependence.h"
#include "cli/describe.h"
#include "cli/experiment.h"
#include "cli/generate.h"
#include "cli/manyseries.h"
#include "cli/nd.h"
#include "cli/ndsimilarity.h"
#include "cli/regression.h"
#include "cli/twod.h"
#include "cli/twoseries.h"
#include "core/errors.h"

namespace statorium::cli {

namespace {

void printUsage(std::ostream& os) {
  os << "Usage: statorium-cli COMMAND [ARGUMENTS...]\n"
        "       statorium-cli --help | COMMAND --help\n"
        "\n"
        "Runs the analyses of the Statorium desktop program on files and prints the texts its\n"
        "windows show. Numbers use the decimal separator of the environment's locale.\n";
  if (commands().empty()) {
    os << "\nNo analysis commands are available in this build.\n";
    return;
  }
  os << "\nCommands:\n";
  for (const Command& c : commands()) os << "  " << c.name << " " << c.synopsis << "\n";
}

void printCommandUsage(std::ostream& os, const Command& c) {
  os << "Usage: statorium-cli " << c.name << " " << c.synopsis << "\n\n" << c.help << "\n";
}

}  // namespace

const std::vector<Command>& commands() {
  static const std::vector<Command> list = {
      describeCommand(),   twoSeriesCommand(),  manySeriesCommand(),  generateCommand(),
      composeCommand(),    experimentCommand(), twoDCommand(),        ndCommand(),
      dependenceCommand(), regressionCommand(), ndSimilarityCommand()};
  return list;
}

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    err << "statorium-cli: missing command\n";
    printUsage(err);
    return kUsage;
  }
  if (args[0] == "--help" || args[0] == "-h") {
    printUsage(out);
    return kOk;
  }
  const Command* command = nullptr;
  for (const Command& c : commands())
    if (c.name == args[0]) command = &c;
  if (!command) {
    err << "statorium-cli: unknown command '" << args[0] << "'\n";
    printUsage(err);
    return kUsage;
  }
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  for (const std::string& a : rest) {
    if (a == "--help" || a == "-h") {
      printCommandUsage(out, *command);
      return kOk;
    }
  }
  try {
    command->run(rest, out);
  } catch (const UsageError& e) {
    out.flush();
    err << "statorium-cli " << command->name << ": " << e.message << "\n";
    printCommandUsage(err, *command);
    return kUsage;
  } catch (const std::exception& e) {
    out.flush();
    err << e.what() << "\n";
    return kFailed;
  }
  out.flush();
  return kOk;
}

}  // namespace statorium::cli
