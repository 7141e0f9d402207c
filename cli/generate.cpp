#include "cli/generate.h"

#include <ostream>

#include "cli/arguments.h"
#include "cli/lawoptions.h"
#include "core/series.h"

namespace statorium::cli {

namespace {

void run(const std::vector<std::string>& args, std::ostream& out) {
  ArgumentReader in(args);
  LawOptions options;
  std::optional<long long> size, seed;
  std::string outPath;
  while (!in.done()) {
    const std::string a = in.next("argument");
    if (options.take(a, in)) continue;
    if (a == "--size") {
      size = in.nextInteger("size", 0, 2147483647);
    } else if (a == "--out") {
      outPath = in.next("output path");
    } else if (a == "--seed") {
      seed = in.nextInteger("seed", 0, 9223372036854775807LL);
    } else {
      throw UsageError{"unexpected argument '" + a + "'"};
    }
  }
  if (!options.law) throw UsageError{"missing --law"};
  if (!size) throw UsageError{"missing --size"};
  if (outPath.empty()) throw UsageError{"missing --out"};
  const std::optional<SeriesLaw> law = options.law;
  const SeriesParameters p = options.parameters();
  TRandomSource random =
      seed ? TRandomSource(static_cast<uint64_t>(*seed)) : TRandomSource::fromClock();
  TValues values = generateSeries(*law, p, static_cast<int>(*size), random);
  values.SaveToFile(outPath);
  if (!values.empty()) values.QuickSort();
  for (const std::string& line : evaluateSeries(*law, p, values)) out << line << "\n";
}

}  // namespace

Command generateCommand() {
  return {"generate",
          "--law exponential|normal|weibull --size N [--lambda L] [--sigma S --m M] "
          "[--alpha A --beta B] --out PATH [--seed S]",
          "Series creation: generates N values of the law (F(x) = 1 - exp(-x^B / A) for the\n"
          "Weibull law), writes them to PATH as a sample text file and prints the evaluation\n"
          "lines. Parameters not given take the window's start values; the same seed gives the\n"
          "same series.",
          run};
}

}  // namespace statorium::cli
