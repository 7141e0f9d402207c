# What `statorium-cli two-series FIRST SECOND` does, in R: both sample files read, the rank
# U-criterion (wilcox.test, normal approximation), the F-criterion of the variances (var.test)
# and the t-criterion of the means (t.test with a common variance).
files <- commandArgs(trailingOnly = TRUE)
a <- scan(files[1], quiet = TRUE)
b <- scan(files[2], quiet = TRUE)
u <- wilcox.test(a, b, exact = FALSE)
f <- var.test(a, b)
t <- t.test(a, b, var.equal = TRUE)
cat(sprintf("W = %.3f\np = %.3f\n\n", u$statistic, u$p.value))
cat(sprintf("F = %.3f\np = %.3f\nt = %.3f\np = %.3f\n", f$statistic, f$p.value, t$statistic, t$p.value))
