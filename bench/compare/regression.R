# What `statorium-cli regression FILE K` does, in R: the statobject file read; the multiple
# correlation of property K with all others; the linear regression of property K on all other
# properties without a constant term (lm), its coefficients with 95% edges (confint) and
# standardized values, the model's F; and "Intervals": the fitted value of every observation
# with the half-width of its 95% interval (predict with interval = "confidence"), printed with
# four decimals.
here <- dirname(sub("^--file=", "", grep("^--file=", commandArgs(FALSE), value = TRUE)))
source(file.path(here, "statobject.R"))
args <- commandArgs(trailingOnly = TRUE)
x <- read_sta(args[1])
k <- as.integer(args[2])
y <- x[, k]
others <- x[, -k]
R <- sqrt(1 - 1 / solve(cor(x))[k, k])
fit <- lm(y ~ others - 1)
s <- summary(fit)
ci <- confint(fit)
a <- coef(fit)
standardized <- a * apply(others, 2, sd) / sd(y)
cat("Regression parameters\n")
writeLines(paste(sprintf("%.4f", ci[, 1]), sprintf("%.4f", a), sprintf("%.4f", ci[, 2]),
                 sprintf("%.4f", standardized), sep = "\t"))
cat("\nIntervals\n")
intervals <- predict(fit, interval = "confidence")
writeLines(paste0("Y", seq_len(nrow(x)), "\t", sprintf("%.4f", intervals[, 2]), "\t",
                  sprintf("%.4f", intervals[, 1]), "\t", sprintf("%.4f", intervals[, 3])))
cat(sprintf("\nf = %.4f\nF(.05, n1, n2) = %.4f\n\nR2 = %.4f\n", s$fstatistic[1],
            qf(0.95, s$fstatistic[2], s$fstatistic[3]), R^2))
