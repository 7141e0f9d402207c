#include "cli/experiment.h"

#include <ostream>

#include "cli/arguments.h"
#include "cli/lawoptions.h"
#include "cli/output.h"
#include "core/experiment.h"

namespace statorium::cli {

namespace {

void run(const std::vector<std::string>& args, std::ostream& out) {
  ArgumentReader in(args);
  LawOptions options;
  std::optional<long long> size, checks, seed;
  while (!in.done()) {
    const std::string a = in.next("argument");
    if (options.take(a, in)) continue;
    if (a == "--size")
      size = in.nextInteger("size", 0, 2147483647);
    else if (a == "--checks")
      checks = in.nextInteger("checks", 0, 2147483647);
    else if (a == "--seed")
      seed = in.nextInteger("seed", 0, 9223372036854775807LL);
    else
      throw UsageError{"unexpected argument '" + a + "'"};
  }
  if (!options.law) throw UsageError{"missing --law"};
  if (!size) throw UsageError{"missing --size"};
  if (!checks) throw UsageError{"missing --checks"};
  ExperimentPlan plan;
  plan.law = *options.law;
  plan.parameters = options.parameters();
  plan.size = static_cast<int>(*size);
  plan.checks = static_cast<int>(*checks);
  TRandomSource random =
      seed ? TRandomSource(static_cast<uint64_t>(*seed)) : TRandomSource::fromClock();
  TExperiment experiment(plan, random);

  // The grid is printed row by row as the window fills it, so the rows of the checks made
  // before an error stay printed.
  out << "Evaluation details\n";
  printRow(out, kExperimentDetailsHeader);
  for (int c = 0; c < experiment.checkCount(); ++c) printRow(out, experiment.runCheck());
  out << "\t\t\t\n\n";  // the grid's last, empty row
  for (const std::string& line : experiment.results()) out << line << "\n";
  out << "\nPair match\n";
  for (int i = 0; i < experiment.checksDone(); ++i) printRow(out, experiment.pairRow(i));
  out << "\n";
}

}  // namespace

Command experimentCommand() {
  return {"experiment",
          "--law exponential|normal|weibull --size N --checks K [--lambda L] [--sigma S --m M] "
          "[--alpha A --beta B] [--seed S]",
          "The average-parameters experiment: K checks of a series of N values of the law\n"
          "(F(x) = 1 - exp(-x^B / A) for the Weibull law, whose estimate is compared with\n"
          "A^(1/B)). Prints the grid \"Evaluation details\", the average lines, an empty line\n"
          "and the grid \"Pair match\". Parameters not given take the window's start values.",
          run};
}

}  // namespace statorium::cli
