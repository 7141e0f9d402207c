# What `statorium-cli describe FILE` does, in R: the sample file read and sorted; the mean,
# standard deviation, skewness, coefficient of variation, kurtosis and absolute deviation with
# their 95% edges; the classes (n^(1/3) of them); the normal law fitted and checked by
# Kolmogorov's criterion (ks.test) and Pearson's criterion (chi-square over the classes).
file <- commandArgs(trailingOnly = TRUE)[1]
x <- sort(scan(file, quiet = TRUE))
n <- length(x)
m <- mean(x)
s <- sd(x)
d <- x - m
m2 <- mean(d^2)
skewness <- mean(d^3) / m2^1.5
kurtosis <- mean(d^4) / m2^2 - 3
deviation <- mean(abs(d))
z <- qnorm(0.975)
edges <- function(name, v, se) cat(sprintf("%s\t%.4f\t%.4f\t%.4f\t%.4f\n", name, v - z * se, v, v + z * se, se))
cat("Values:", n, "\n")
k <- if (n > 100) floor(n^(1 / 3)) else floor(sqrt(n))
cat("Classes:", k, "\n")
edges("Average", m, s / sqrt(n))
edges("Standard Deviation", s, s / sqrt(2 * n))
edges("Skewness", skewness, sqrt(6 / n))
edges("Coefficient of variation", s / m, s / m / sqrt(2 * n))
edges("Kurtosis", kurtosis, sqrt(24 / n))
edges("Absolute digression", deviation, s / sqrt(n))
classes <- hist(x, breaks = seq(x[1], x[n], length.out = k + 1), plot = FALSE)
p <- diff(pnorm(classes$breaks, m, s))
expected <- n * p
pearson <- sum((classes$counts - expected)^2 / expected)
kolmogorov <- suppressWarnings(ks.test(x, "pnorm", m, s))
cat(sprintf("Normal law parameters: m=%.4f, sigma=%.4f\n", m, s))
cat(sprintf("Kolmogorov: D=%.4f p=%.4f\n", kolmogorov$statistic, kolmogorov$p.value))
cat(sprintf("Pearson: X2=%.4f p=%.4f\n", pearson, pchisq(pearson, k - 3, lower.tail = FALSE)))
