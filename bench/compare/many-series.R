# What `statorium-cli many-series FILE FILE...` does, in R: every sample file read, Bartlett's
# criterion of equal variances (bartlett.test), the one-way analysis of variance of equal means
# (oneway.test with a common variance) and the Kruskal-Wallis H-criterion (kruskal.test).
files <- commandArgs(trailingOnly = TRUE)
series <- lapply(files, scan, quiet = TRUE)
values <- unlist(series)
group <- factor(rep(seq_along(series), lengths(series)))
b <- bartlett.test(series)
f <- oneway.test(values ~ group, var.equal = TRUE)
h <- kruskal.test(series)
cat(sprintf("X^2 = %.3f\np = %.3f\n\n", b$statistic, b$p.value))
cat(sprintf("F = %.3f\np = %.3f\n\n", f$statistic, f$p.value))
cat(sprintf("H = %.3f\np = %.3f\n", h$statistic, h$p.value))
