# What `statorium-cli experiment --law normal --size N --checks K --sigma S --m M --seed SEED`
# does, in R: K checks, each a sorted series of N normal values (rnorm) whose estimates are
# tested against the true parameters; the averages of the estimates tested the same way; and
# the pair table: the U-criterion (wilcox.test) of every pair of series, "+" when |z| <= 1.96.
args <- commandArgs(trailingOnly = TRUE)
option <- function(name) args[match(name, args) + 1]
n <- as.integer(option("--size"))
checks <- as.integer(option("--checks"))
sigma <- as.numeric(option("--sigma"))
m <- as.numeric(option("--m"))
set.seed(as.integer(option("--seed")))
z <- qnorm(0.975)
verdict <- function(t) sprintf("%s %.3f", if (abs(t) <= z) "accepted" else "rejected", t)
series <- vector("list", checks)
S <- numeric(checks)
M <- numeric(checks)
cat("Evaluation details\n")
for (c in seq_len(checks)) {
  x <- sort(rnorm(n, m, sigma))
  series[[c]] <- x
  S[c] <- sd(x)
  M[c] <- mean(x)
  cat(sprintf("%.3f\t%s\t%.3f\t%s\n", S[c], verdict((S[c] - sigma) / (S[c] / sqrt(2 * n))),
              M[c], verdict((M[c] - m) / (S[c] / sqrt(n)))))
}
cat(sprintf("\n%.3f; %s (%.5f)\n", mean(S), verdict((mean(S) - sigma) / sd(S) * sqrt(checks)),
            var(S) / checks))
cat(sprintf("%.3f; %s (%.5f)\n", mean(M), verdict((mean(M) - m) / sd(M) * sqrt(checks)),
            var(M) / checks))
cat("\nPair match\n")
sdU <- sqrt(n * n * (2 * n + 1) / 12)
for (i in seq_len(checks)) {
  cells <- character(checks)
  for (j in seq_len(checks)[-seq_len(i)]) {
    u <- (wilcox.test(series[[i]], series[[j]], exact = FALSE, correct = FALSE)$statistic -
          n * n / 2) / sdU
    cells[j] <- sprintf("%s(%.3f)", if (abs(u) <= z) "+" else "-", u)
  }
  writeLines(paste(cells, collapse = "\t"))
}
