# What `statorium-cli generate --law normal --size N --sigma S --m M --out PATH --seed SEED` does,
# in R: N values of the normal law drawn (rnorm), written to PATH one per line (CR LF), sorted,
# and the parameters estimated back from them and tested against the given ones.
args <- commandArgs(trailingOnly = TRUE)
option <- function(name) args[match(name, args) + 1]
n <- as.integer(option("--size"))
sigma <- as.numeric(option("--sigma"))
m <- as.numeric(option("--m"))
set.seed(as.integer(option("--seed")))
x <- rnorm(n, m, sigma)
writeLines(sprintf(" %22.14E", x), option("--out"), sep = "\r\n")
x <- sort(x)
s <- sd(x)
a <- mean(x)
tS <- (s - sigma) / (s / sqrt(2 * n))
tm <- (a - m) / (s / sqrt(n))
verdict <- function(t) if (abs(t) <= qnorm(0.975)) "accepted" else "rejected"
cat(sprintf("S = %.3f\nm = %.3f\nS = S0: %s %.3f\nm = m0: %s %.3f\n", s, a, verdict(tS), tS,
            verdict(tm), tm))
