# The statobject files of the comparison (not timed): PROPERTIES properties of OBSERVATIONS
# observations built from four common factors plus noise of each property's own, so that most
# pairs are correlated, some strongly, and every covariance matrix has full rank. The same SEED
# gives the same file.
#   Rscript make-data.R PATH PROPERTIES OBSERVATIONS SEED
here <- dirname(sub("^--file=", "", grep("^--file=", commandArgs(FALSE), value = TRUE)))
source(file.path(here, "statobject.R"))
args <- commandArgs(trailingOnly = TRUE)
p <- as.integer(args[2])
m <- as.integer(args[3])
set.seed(as.integer(args[4]))
loading <- matrix(rnorm(p * 4), p, 4)
factors <- matrix(rnorm(m * 4), m, 4)
x <- factors %*% t(loading) + matrix(rnorm(m * p), m, p) + rep(10 * (seq_len(p) - 1), each = m)
write_sta(args[1], "bench", x)
