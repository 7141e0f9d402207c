# What `statorium-cli nd-similarity FILE FILE...` does, in R: every statobject file read; the
# equality of the covariance matrices (the log-determinant statistic of the pooled against each
# covariance matrix), the equality of the mean vectors (weighted by n_i S_i^-1), and Hotelling's
# T^2 of the first two with their common covariance matrix; each against its chi-square quantile.
here <- dirname(sub("^--file=", "", grep("^--file=", commandArgs(FALSE), value = TRUE)))
source(file.path(here, "statobject.R"))
objects <- lapply(commandArgs(trailingOnly = TRUE), read_sta)
k <- length(objects)
p <- ncol(objects[[1]])
n <- sapply(objects, nrow)
means <- lapply(objects, colMeans)
S <- lapply(objects, cov)
inverse <- lapply(S, solve)
pooled <- Reduce(`+`, Map(function(Si, ni) (ni - 1) * Si, S, n)) / (sum(n) - k)
V1 <- sum((n - 1) * (determinant(pooled)$modulus - sapply(S, function(Si) determinant(Si)$modulus)))
d1 <- p * (p + 1) * (k - 1) / 2
weights <- Reduce(`+`, Map(function(Wi, ni) ni * Wi, inverse, n))
weighted <- Reduce(`+`, Map(function(Wi, ni, mi) ni * Wi %*% mi, inverse, n, means))
common <- solve(weights, weighted)
V2 <- sum(unlist(Map(function(Wi, ni, mi) ni * t(mi - common) %*% Wi %*% (mi - common), inverse, n, means)))
d2 <- (k - 1) * p
cat(sprintf("V = %.3f\nX^2(0.05,%d) = %.3f\n\n", V1, d1, qchisq(0.95, d1)))
cat(sprintf("V = %.3f\nX^2(0.05,%d) = %.3f\n\n", V2, d2, qchisq(0.95, d2)))
S12 <- ((n[1] - 1) * S[[1]] + (n[2] - 1) * S[[2]]) / (n[1] + n[2] - 2)
delta <- means[[1]] - means[[2]]
T2 <- n[1] * n[2] / (n[1] + n[2]) * drop(t(delta) %*% solve(S12, delta))
cat(sprintf("T^2 = %.3f\nX^2(0.05,%d) = %.3f\n", T2, p, qchisq(0.95, p)))
