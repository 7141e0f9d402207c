# What `statorium-cli dependence FILE` does, in R: the statobject file read; the pair
# correlations (cor); from the inverse of the correlation matrix (solve) the partial correlation
# of every pair with all other properties fixed and the multiple correlation of every property
# with all others; each tested for significance (t of a partial correlation with m - p degrees of
# freedom, F of a multiple correlation), a rejected one shown as 0.
here <- dirname(sub("^--file=", "", grep("^--file=", commandArgs(FALSE), value = TRUE)))
source(file.path(here, "statobject.R"))
x <- read_sta(commandArgs(trailingOnly = TRUE)[1])
m <- nrow(x)
p <- ncol(x)
inverse <- solve(cor(x))
partial <- -inverse / sqrt(outer(diag(inverse), diag(inverse)))
diag(partial) <- NA
df <- m - p
t <- partial * sqrt(df / (1 - partial^2))
partial[abs(t) <= qt(0.975, df)] <- 0
R2 <- 1 - 1 / diag(inverse)
f <- R2 / (p - 1) / ((1 - R2) / (m - p))
multiple <- ifelse(f > qf(0.95, p - 1, m - p), sqrt(R2), 0)
cat("Sample partial correlations\n")
cells <- matrix(ifelse(is.na(partial), "", sprintf("%.4f", partial)), nrow = p)
writeLines(do.call(paste, c(lapply(seq_len(p), function(j) cells[, j]), sep = "\t")))
cat("\nSample correlations\n")
writeLines(paste(sprintf("%.4f", multiple), collapse = "\t"))
