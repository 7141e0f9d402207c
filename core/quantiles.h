#pragma once
// Approximate quantiles of the normal, chi-square and F distributions.

#include <cstdint>

namespace statorium {

/// Coefficients of the rational approximation of the normal quantile (see U).
constexpr long double C0 = 2.515517L;
constexpr long double C1 = 0.802853L;
constexpr long double C2 = 0.010328L;
constexpr long double D1 = 1.432788L;
constexpr long double D2 = 0.189269L;
constexpr long double D3 = 0.001308L;

/// Upper-tail normal quantile: the standard normal variable exceeds U(p) with probability p.
/// Rational approximation of Abramowitz & Stegun 26.2.23 (error below 4.5e-4 for 0 < p <= 0.5):
/// t = sqrt(-2 ln p), U = t - (C0 + C1 t + C2 t^2) / (1 + D1 t + D2 t^2 + D3 t^3). For p in
/// (0.5, 1] the same formula gives the lower tail approximately (U(1) = -C0).
/// p = 0 fails with division by zero (logarithm of 0), p < 0 or p > 1 with an invalid operation.
long double U(long double p);

/// Upper-tail chi-square quantile for nyu degrees of freedom, by Fisher's approximation
/// sqrt(2 chi^2) ~ N(sqrt(2 nyu - 1), 1): 0.5 * (U(alpha) + sqrt(2 nyu - 1))^2. Rough for few
/// degrees of freedom (XX(0.05, 1) = 3.50 against 3.84). nyu <= 0 fails with an invalid
/// operation.
long double XX(long double alpha, int32_t nyu);

/// Upper-tail F quantile for n1 (numerator) and n2 (denominator) degrees of freedom: the value
/// an F variable exceeds with probability a. Cornish-Fisher expansion of Fisher's z = ln(F) / 2
/// to the terms in 1/n, with u = U(a); about 0.1-0.5% below the exact value at the 5% level
/// (f(0.05, 10, 10) = 2.974 against 2.978). A zero degree of freedom fails with division by zero.
long double f(long double a, long double n1, long double n2);

}  // namespace statorium
