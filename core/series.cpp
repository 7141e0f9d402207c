#include "core/series.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <filesystem>

#include "core/errors.h"
#include "core/exponentlaw.h"
#include "core/fpfault.h"
#include "core/largearray.h"
#include "core/normallaw.h"
#include "core/numtext.h"
#include "core/quantiles.h"
#include "core/sampleanalysis.h"
#include "core/ttest.h"
#include "core/variants.h"
#include "core/weibulllaw.h"

namespace statorium {

namespace {

template <class F>
void appendValues(int n, TValues& values, F next) {
  if (n <= 0) return;
  std::vector<long double> out;
  reserveLarge(out, static_cast<size_t>(n));
  FpScope fp;
  for (int i = 0; i < n; ++i) {
    out.push_back(next());
    fp.check();
  }
  for (long double v : out) values.Add(finiteOrThrow(v));
}

std::string trimmed(const std::string& text) {
  size_t b = 0, e = text.size();
  while (b < e && static_cast<unsigned char>(text[b]) <= 32) ++b;
  while (e > b && static_cast<unsigned char>(text[e - 1]) <= 32) --e;
  return text.substr(b, e - b);
}

std::string fixed3(long double v) {
  return formatFixed(v, 3);
}

std::string checkLine(const std::string& prefix, long double p0, long double estimate,
                      long double variance) {
  return prefix + tTestVerdict(p0, estimate, variance);
}

}  // namespace

void ExponentialSeries(double L, int n, TValues& values, TRandomSource& random) {
  if (n <= 0) return;
  FpScope fp;
  const long double inverse = 1 / static_cast<long double>(L);
  fp.check(inverse);
  appendValues(n, values, [&] { return -std::log(1 - random.nextU()) * inverse; });
}

void NormalSeries(double s, double m, int n, TValues& values, TRandomSource& random) {
  appendValues(n, values, [&] {
    long double u = random.nextU();
    // U(0) would be the logarithm of 0: such a draw, one in a million, is simply drawn again.
    while (u == 0) u = random.nextU();
    // U approximates the upper tail only: above 1/2 its formula runs on to U(1) = -2.52 instead
    // of 0, which would shift and skew the series. The lower half mirrors the upper one.
    return m + s * (u <= 0.5L ? U(u) : -U(1 - u));
  });
}

void WeibullSeries(double a, double b, int n, TValues& values, TRandomSource& random) {
  if (n <= 0) return;
  FpScope fp;
  const long double power = 1 / static_cast<long double>(b);
  fp.check(power);
  appendValues(n, values, [&] {
    long double u = random.nextU();
    // u = 0 gives x = 0, a value the law takes with probability 0 and whose logarithm its fit
    // needs: one draw in a million, so most experiments of 10^6 values would fail. Drawn again.
    while (u == 0) u = random.nextU();
    return powerOf(-a * std::log(1 - u), power);
  });
}

const char* seriesPrefix(SeriesLaw law) {
  switch (law) {
    case SeriesLaw::Exponential:
      return "EXP";
    case SeriesLaw::Normal:
      return "NORM";
    case SeriesLaw::Weibull:
      return "WEIB";
  }
  return "EXP";
}

int parseSeriesSize(const std::string& text) {
  const std::string t = trimmed(text);
  int n = 0;
  const char* first = t.data();
  if (!t.empty() && t[0] == '+') ++first;
  const auto [ptr, ec] = std::from_chars(first, t.data() + t.size(), n);
  if (ec != std::errc() || ptr != t.data() + t.size() || first == t.data() + t.size()) return 1;
  return n;
}

SeriesParameters parseSeriesParameters(SeriesLaw law, const std::string& first,
                                       const std::string& second) {
  long double a = 0, b = 0;
  const bool two = law != SeriesLaw::Exponential;
  if (!parseLocaleNumber(first, a) || (two && !parseLocaleNumber(second, b))) return {};
  return {static_cast<double>(a), two ? static_cast<double>(b) : 0.0};
}

TValues generateSeries(SeriesLaw law, const SeriesParameters& p, int n, TRandomSource& random) {
  // A parameter typed beyond the range of the 64-bit reals arrives as an infinity, which would
  // make a series of zeros rather than one of the law: it is the overflow it came from.
  for (const double v : {p.first, p.second})
    if (!std::isfinite(v))
      throw FloatError(std::isnan(v) ? FloatError::Kind::Invalid : FloatError::Kind::Overflow);
  TValues values;
  switch (law) {
    case SeriesLaw::Exponential:
      ExponentialSeries(p.first, n, values, random);
      break;
    case SeriesLaw::Normal:
      NormalSeries(p.first, p.second, n, values, random);
      break;
    case SeriesLaw::Weibull:
      WeibullSeries(p.first, p.second, n, values, random);
      break;
  }
  return values;
}

std::string newSeriesPath(const std::string& dataRoot, const std::string& sizeText, SeriesLaw law) {
  namespace fs = std::filesystem;
  std::string folder = sizeText;
  const std::string t = trimmed(sizeText);
  if (folder.find('/') != std::string::npos || folder.find('\\') != std::string::npos ||
      t.empty() || t == "." || t == "..")
    folder = std::to_string(parseSeriesSize(sizeText));
  const fs::path dir = fs::path(dataRoot) / folder;
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (ec) throw ioError(ec.value());
  const std::string prefix = seriesPrefix(law);
  for (long long k = 1;; ++k) {
    const fs::path candidate = dir / (prefix + std::to_string(k));
    if (!fs::exists(fs::symlink_status(candidate))) return candidate.string();
  }
}

LawEstimates estimateLawParameters(SeriesLaw law, const TVariants& variants) {
  switch (law) {
    case SeriesLaw::Exponential: {
      TExponentLaw fit;
      fit.evaluateParams(variants);
      return {fit.Lambda, fit.DLambda, 0, 0};
    }
    case SeriesLaw::Normal: {
      TNormalLaw fit;
      fit.evaluateParams(variants);
      return {fit.Sigma, fit.DSigma, fit.m, fit.Dm};
    }
    case SeriesLaw::Weibull: {
      TWeibullsLaw fit;
      fit.evaluateParams(variants);
      return {fit.alpha, fit.Dalpha, fit.beta, fit.Dbeta};
    }
  }
  return {};
}

LawReference fittedScale(SeriesLaw law, const SeriesParameters& p) {
  if (law != SeriesLaw::Weibull) return {p.first, p.second};
  // The generator's a divides x^b; the law's alpha scales x, so alpha = a^(1/b).
  FpScope fp;
  const long double alpha = powerOf(p.first, 1 / static_cast<long double>(p.second));
  fp.check(alpha);
  return {finiteOrThrow(alpha), p.second};
}

std::vector<std::string> evaluateSeries(SeriesLaw law, const SeriesParameters& p,
                                        const TValues& sorted) {
  TVariants variants;
  variants.setVariants(sorted);
  std::vector<std::string> lines;
  if (variants.m_Total <= 0) return lines;
  const LawEstimates e = estimateLawParameters(law, variants);
  switch (law) {
    case SeriesLaw::Exponential:
      lines.push_back("L = " + fixed3(e.first));
      lines.push_back(checkLine("L = L0: ", p.first, e.first, e.firstVariance));
      break;
    case SeriesLaw::Normal:
      lines.push_back("S = " + fixed3(e.first));
      lines.push_back("m = " + fixed3(e.second));
      lines.push_back(checkLine("S = S0: ", p.first, e.first, e.firstVariance));
      lines.push_back(checkLine("m = m0: ", p.second, e.second, e.secondVariance));
      break;
    case SeriesLaw::Weibull: {
      lines.push_back("a = " + fixed3(e.first));
      lines.push_back("b = " + fixed3(e.second));
      const LawReference reference = fittedScale(law, p);
      lines.push_back(checkLine("a = a0: ", reference.first, e.first, e.firstVariance));
      lines.push_back(checkLine("b = b0: ", p.second, e.second, e.secondVariance));
      break;
    }
  }
  return lines;
}

}  // namespace statorium
