# What `statorium-cli compose --name NAME --out PATH FILE...` does, in R: every sample file read
# (scan) and written as the next property of a statobject file at PATH.
here <- dirname(sub("^--file=", "", grep("^--file=", commandArgs(FALSE), value = TRUE)))
source(file.path(here, "statobject.R"))
args <- commandArgs(trailingOnly = TRUE)
option <- function(name) args[match(name, args) + 1]
files <- args[-c(match(c("--name", "--out"), args), match(c("--name", "--out"), args) + 1)]
write_sta(option("--out"), option("--name"), lapply(files, scan, quiet = TRUE))
