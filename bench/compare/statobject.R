# Statobject files in R, for the scripts beside this one: read_sta gives the properties of a
# statobject file as a matrix (one column per property), write_sta writes one.
#
# The file: a 4-byte count of the name's characters and that many bytes of its UTF-16LE text, a
# 4-byte count of properties, then per property a 4-byte count of values and the values as
# 10-byte x87 extended reals, all little-endian. R computes in double precision, so the values
# are converted from and to extended reals on the way.

# The doubles nearest to the extended reals held in `bytes` (10 bytes each).
extended_to_double <- function(bytes) {
  b <- matrix(as.integer(bytes), nrow = 10)
  low <- b[1, ] + b[2, ] * 256 + b[3, ] * 65536 + b[4, ] * 16777216
  high <- b[5, ] + b[6, ] * 256 + b[7, ] * 65536 + b[8, ] * 16777216
  se <- b[9, ] + b[10, ] * 256
  sign <- 1 - 2 * (se >= 32768)
  exponent <- se %% 32768
  sign * (high * 4294967296 + low) * 2^(exponent - 16383 - 63)
}

# The 10-byte extended reals of the finite doubles x (exact: a double fits in an extended real).
double_to_extended <- function(x) {
  a <- abs(x)
  zero <- a == 0
  e <- floor(log2(ifelse(zero, 1, a)))
  m <- a / 2^e
  up <- m >= 2
  e[up] <- e[up] + 1
  m[up] <- m[up] / 2
  down <- !zero & m < 1
  e[down] <- e[down] - 1
  m[down] <- m[down] * 2
  mantissa <- m * 2^31  # the top 32 bits as the integer part, the rest as the fraction
  high <- floor(mantissa)
  low <- (mantissa - high) * 4294967296
  se <- ifelse(zero, 0, e + 16383) + 32768 * (x < 0)
  bytes <- rbind(low %% 256, (low %/% 256) %% 256, (low %/% 65536) %% 256, low %/% 16777216,
                 high %% 256, (high %/% 256) %% 256, (high %/% 65536) %% 256, high %/% 16777216,
                 se %% 256, se %/% 256)
  as.raw(bytes)
}

read_sta <- function(path) {
  con <- file(path, "rb")
  on.exit(close(con))
  count <- function() readBin(con, "integer", size = 4, endian = "little")
  readBin(con, "raw", count())  # the name
  props <- count()
  columns <- lapply(seq_len(props), function(p) extended_to_double(readBin(con, "raw", count() * 10)))
  do.call(cbind, columns)
}

# Writes the columns of the matrix (or the vectors of the list) `properties` as properties.
write_sta <- function(path, name, properties) {
  if (is.matrix(properties)) properties <- lapply(seq_len(ncol(properties)), function(j) properties[, j])
  con <- file(path, "wb")
  on.exit(close(con))
  count <- function(n) writeBin(as.integer(n), con, size = 4, endian = "little")
  units <- nchar(name)
  count(units)
  writeBin(iconv(name, to = "UTF-16LE", toRaw = TRUE)[[1]][seq_len(units)], con)
  count(length(properties))
  for (values in properties) {
    count(length(values))
    writeBin(double_to_extended(values), con)
  }
}
