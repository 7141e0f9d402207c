#pragma once
// Random series of the exponential, normal and Weibull laws, their files under the program's
// folder, and the check of the parameters estimated back from them.

#include <string>
#include <vector>

#include "core/randomsource.h"
#include "core/values.h"
#include "core/variants.h"

namespace statorium {

/// Appends n values x = -ln(1 - u) / L (rate L); nothing for n <= 0. L = 0 fails.
void ExponentialSeries(double L, int n, TValues& values, TRandomSource& random);
/// Appends n values x = m + s U(u), U the normal quantile (for u above 1/2 as -U(1 - u), its
/// mirror). A drawn u of 0, whose quantile does not exist, is drawn again.
void NormalSeries(double s, double m, int n, TValues& values, TRandomSource& random);
/// Appends n values x = (-a ln(1 - u))^(1/b), so that F(x) = 1 - exp(-x^b / a). A drawn u of
/// 0, which would give x = 0, outside the values the law's fit accepts, is drawn again.
/// b = 0 fails.
void WeibullSeries(double a, double b, int n, TValues& values, TRandomSource& random);

enum class SeriesLaw { Exponential = 0, Normal = 1, Weibull = 2 };

/// The law's parameters as the window asks them: lambda; sigma and m; a and b.
struct SeriesParameters {
  double first = 0;
  double second = 0;
};

/// The file name prefix of a law: "EXP", "NORM", "WEIB".
const char* seriesPrefix(SeriesLaw law);

/// The series size typed as text: a decimal integer with blanks around it, 1 when it is not one.
int parseSeriesSize(const std::string& text);

/// Parses the law's parameters from their texts (locale decimal separator); when any of them is
/// not a number, all become 0.
SeriesParameters parseSeriesParameters(SeriesLaw law, const std::string& first,
                                       const std::string& second);

/// Generates n values of the law; a parameter that is not finite fails with the floating-point
/// error it stands for (an infinity: "Floating point overflow").
TValues generateSeries(SeriesLaw law, const SeriesParameters& p, int n, TRandomSource& random);

/// The estimates of a law's parameters from a variation series, each with its variance as the
/// law's fit gives it: lambda; sigma and m; alpha and beta. Fails as the law's fit.
struct LawEstimates {
  long double first = 0, firstVariance = 0;
  long double second = 0, secondVariance = 0;
};
LawEstimates estimateLawParameters(SeriesLaw law, const TVariants& variants);

/// The generator's parameters in the scale the fit estimates them: the same, except that the
/// Weibull generator's a, which divides x^b, becomes the law's alpha = a^(1/b). b = 0 fails.
struct LawReference {
  long double first = 0, second = 0;
};
LawReference fittedScale(SeriesLaw law, const SeriesParameters& p);

/// The path of a new series file: <dataRoot>/<size as typed>/<prefix><k> with the smallest k
/// that names no existing file; the folders are created. A size text that could leave the data
/// folder (a separator, ".", "..", nothing but blanks) names its folder by the count instead.
/// Fails with "I/O error %d" when a folder cannot be created.
std::string newSeriesPath(const std::string& dataRoot, const std::string& sizeText, SeriesLaw law);

/// The evaluation lines of a generated series (sorted values): each estimate with 3 decimals
/// and, for each parameter, "<p> = <p>0: accepted|rejected <t>". The Weibull law's a is
/// compared in the law's own scale, a^(1/b) against the estimated alpha.
std::vector<std::string> evaluateSeries(SeriesLaw law, const SeriesParameters& p,
                                        const TValues& sorted);

}  // namespace statorium
