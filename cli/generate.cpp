#include "cli/generate.h"

#include <ostream>

#include "cli/arguments.h"
#include "core/series.h"

namespace statorium::cli {

namespace {

void run(const std::vector<std::string>& args, std::ostream& out) {
  ArgumentReader in(args);
  std::optional<SeriesLaw> law;
  std::optional<long long> size, seed;
  std::string outPath;
  // The window's start values.
  long double lambda = 0.3L, sigma = 100.3L, m = 35.2L, alpha = 10.5L, beta = 4.2L;
  while (!in.done()) {
    const std::string a = in.next("argument");
    if (a == "--law") {
      const std::string name = in.next("law");
      if (name == "exponential")
        law = SeriesLaw::Exponential;
      else if (name == "normal")
        law = SeriesLaw::Normal;
      else if (name == "weibull")
        law = SeriesLaw::Weibull;
      else
        throw UsageError{"bad law '" + name + "'"};
    } else if (a == "--size") {
      size = in.nextInteger("size", 0, 2147483647);
    } else if (a == "--lambda") {
      lambda = in.nextNumber("lambda");
    } else if (a == "--sigma") {
      sigma = in.nextNumber("sigma");
    } else if (a == "--m") {
      m = in.nextNumber("m");
    } else if (a == "--alpha") {
      alpha = in.nextNumber("alpha");
    } else if (a == "--beta") {
      beta = in.nextNumber("beta");
    } else if (a == "--out") {
      outPath = in.next("output path");
    } else if (a == "--seed") {
      seed = in.nextInteger("seed", 0, 9223372036854775807LL);
    } else {
      throw UsageError{"unexpected argument '" + a + "'"};
    }
  }
  if (!law) throw UsageError{"missing --law"};
  if (!size) throw UsageError{"missing --size"};
  if (outPath.empty()) throw UsageError{"missing --out"};
  SeriesParameters p;
  if (*law == SeriesLaw::Exponential) p = {static_cast<double>(lambda), 0};
  if (*law == SeriesLaw::Normal) p = {static_cast<double>(sigma), static_cast<double>(m)};
  if (*law == SeriesLaw::Weibull) p = {static_cast<double>(alpha), static_cast<double>(beta)};
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
