# What `statorium-cli twod FILE` does, in R: properties 1 and 2 of the statobject file read as X
# and Y; their means and standard deviations with 95% edges; the correlation coefficient with
# its interval and t (cor.test) and the correlation ratio of Y on the classes of X; the
# correlation table (n^(1/3) classes per axis) and the chi-square check of the two-dimensional
# normal law over its cells; the similarity of X and Y (t.test, var.test); the linear
# regression (lm, confint) and the parabolic regression (lm with x^2).
here <- dirname(sub("^--file=", "", grep("^--file=", commandArgs(FALSE), value = TRUE)))
source(file.path(here, "statobject.R"))
X <- read_sta(commandArgs(trailingOnly = TRUE)[1])
x <- X[, 1]
y <- X[, 2]
n <- length(x)
z <- qnorm(0.975)
for (v in list(x, y)) {
  m <- mean(v)
  s <- sd(v)
  cat(sprintf("E=%.4f in [%.4f;%.4f]\n", m, m - z * s / sqrt(n), m + z * s / sqrt(n)))
  cat(sprintf("S=%.4f in [%.4f;%.4f]\n", s, s - z * s / sqrt(2 * n), s + z * s / sqrt(2 * n)))
}
r <- cor.test(x, y)
cat(sprintf("R=%.4f in [%.4f;%.4f]\nt=%.4f\n", r$estimate, r$conf.int[1], r$conf.int[2], r$statistic))
k <- floor(n^(1 / 3))
cx <- cut(x, k)
cy <- cut(y, k)
groupMeans <- tapply(y, cx, mean)
groupSizes <- tabulate(cx, k)
ratio <- sqrt(sum(groupSizes * (groupMeans - mean(y))^2, na.rm = TRUE) / sum((y - mean(y))^2))
cat(sprintf("Ro=%.4f\n", ratio))
observed <- table(cx, cy)
centre <- function(f) {
  b <- as.numeric(unlist(strsplit(gsub("[](]", "", levels(f)), ",")))
  matrix(b, nrow = 2)
}
bx <- centre(cx)
by <- centre(cy)
mx <- mean(x); my <- mean(y); sx <- sd(x); sy <- sd(y); rho <- r$estimate
u <- outer((colMeans(bx) - mx) / sx, rep(1, k))
w <- outer(rep(1, k), (colMeans(by) - my) / sy)
density <- exp(-(u^2 - 2 * rho * u * w + w^2) / (2 * (1 - rho^2))) / (2 * pi * sx * sy * sqrt(1 - rho^2))
expected <- n * diff(bx)[1] * diff(by)[1] * density
cells <- observed > 0
X2 <- sum((expected[cells] - observed[cells])^2 / observed[cells])
cat(sprintf("X2=%.4f\nfractile=%.4f\n", X2, qchisq(0.95, sum(cells) - 6)))
similar <- t.test(x, y, var.equal = TRUE)
spread <- var.test(x, y)
cat(sprintf("t=%.4f\nf=%.4f\n", similar$statistic, spread$statistic))
linear <- lm(y ~ x)
ls <- summary(linear)
ci <- confint(linear)
cat(sprintf("a=%.4f in [%.4f;%.4f]\nb=%.4f in [%.4f;%.4f]\nR2=%.4f%%\nf=%.4f\n",
            coef(linear)[1], ci[1, 1], ci[1, 2], coef(linear)[2], ci[2, 1], ci[2, 2],
            100 * ls$r.squared, ls$fstatistic[1]))
parabolic <- summary(lm(y ~ x + I(x^2)))
cat(sprintf("f=%.4f\n", parabolic$fstatistic[1]))
