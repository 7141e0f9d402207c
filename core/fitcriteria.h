#pragma once
// Goodness of fit of a law: Kolmogorov's criterion on the variation series and Pearson's
// chi-square criterion on the classified series.

#include <cstdint>

#include "core/law.h"
#include "core/variants.h"

namespace statorium {

/// Kolmogorov's distance of the series from the law: the largest |F(x_k) - Fn(x_k)| and
/// |F(x_(k-1)) - Fn(x_k)| over the variants. A failure of F passes through. The share of the
/// variants done goes to `progress`; a stop it asks for throws Cancelled.
long double KolmogorovsDistance(const TVariants& variants, const TLaw& law,
                                const Progress& progress = {});

/// The probability that the scaled distance sqrt(N) Dmax of N observations reaches lambda:
/// -2 sum over k = 1..4 of (-1)^k e^(-2 k^2 lambda^2) B_k, the first four terms of the limiting
/// Kolmogorov series, each with the small-sample factor B_k of Bolshev's expansion in powers of
/// 1 / sqrt(N). Few terms make it too small for lambda below about 0.3. N = 0 fails with a
/// FloatError.
long double KolmogorovsProbability(long double lambda, int32_t N);

/// The lambda below which Kolmogorov's criterion accepts without the series.
constexpr long double kKolmogorovSeriesFloor = 0.3L;

/// True when the hypothesis that the series follows the law is accepted at the level alpha:
/// alpha <= KolmogorovsProbability(sqrt(N) KolmogorovsDistance, N). Failures pass through, as
/// does the stop that `progress` asks for.
bool KolmogorovsCheck(const TVariants& variants, const TLaw& law, long double alpha,
                      const Progress& progress = {});

/// Pearson's chi-square sum over the classes but the last one: sum of (n - e)^2 / e, with
/// e = (F(x_i) - F(x_(i-1))) N the expected frequency of class i - 1. An expected frequency of 0
/// fails with a FloatError, as does a failure of F.
long double PearsonsStatistic(const TVariants& classes, const TLaw& law);

/// True when PearsonsStatistic <= XX(alpha, K - paramCount - 1) for K classes. Every failure
/// (an expected frequency of 0, too few classes for a positive number of degrees of freedom,
/// a failure of the law) gives False.
bool PearsonsCheck(const TVariants& classes, const TLaw& law, long double alpha);

}  // namespace statorium
