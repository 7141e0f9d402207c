# What `statorium-cli nd FILE --components PATH` does, in R: the statobject file read; the
# averages (colMeans), dispersions and covariations (cov), pair correlations (cor); the
# eigenvalues and eigenvectors of the correlation matrix (eigen(cor(x))) and the table of the
# main components; the transformed data (every observation standardized and projected on the
# eigenvectors, the scores prcomp(x, scale. = TRUE) gives up to sign, here without its second
# decomposition) printed cell by cell with four decimals; the main components (eigenvalue at
# least 1 - 1e-8) written as a statobject file to PATH.
here <- dirname(sub("^--file=", "", grep("^--file=", commandArgs(FALSE), value = TRUE)))
source(file.path(here, "statobject.R"))
args <- commandArgs(trailingOnly = TRUE)
x <- read_sta(args[1])
p <- ncol(x)
grid <- function(title, m) {
  cat(title, "\n", sep = "")
  m <- matrix(sprintf("%.4f", m), nrow = nrow(m))
  writeLines(do.call(paste, c(lapply(seq_len(ncol(m)), function(j) m[, j]), sep = "\t")))
  cat("\n")
}
grid("Sample averages", t(colMeans(x)))
grid("Sample dispersions and covariations", cov(x))
r <- cor(x)
grid("Sample pair correlations", r)
e <- eigen(r, symmetric = TRUE)
grid("R's own values and vectors", e$vectors)
main <- sum(e$values >= 1 - 1e-8)
share <- rowSums(e$vectors[, seq_len(main), drop = FALSE]^2)
grid("MMC table", cbind(e$values, e$values / p, share))
scores <- scale(x) %*% e$vectors
grid("Transformed data", scores)
cat(sprintf("There are %d main components\n", main))
write_sta(args[2], "", scores[, seq_len(main), drop = FALSE])
