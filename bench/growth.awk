# Reads the CSV that statorium_bench (or statorium_desktop_bench) writes with
# --benchmark_out_format=csv and prints the growth of every workload with its size: the CPU time
# at each size (the wall time for benchmarks timed by the wall clock), and between successive
# sizes the exponent log(t2 / t1) / log(n2 / n1) (1 for linear growth; n log n gives 1.05 to 1.12
# per decade at these sizes; 2 for quadratic), then the complexity the benchmark library fitted.
# With repetitions the median of each size is taken.
BEGIN { FS = ","; header = 0 }
/^name,iterations,/ { header = 1; next }
!header { next }
{
  name = $1
  gsub(/"/, "", name)
  if ($9 == "true") { printf "%-50s failed: %s\n", name, $10; next }
  if (name ~ /_BigO$/) {
    family = substr(name, 1, length(name) - 5)
    sub(/\/real_time$/, "", family)
    fit[family] = $5
    next
  }
  if (name ~ /_RMS$/) {
    family = substr(name, 1, length(name) - 4)
    sub(/\/real_time$/, "", family)
    rms[family] = $4
    next
  }
  # With repetitions the median of each size stands for it; the other aggregates are left out.
  if (name ~ /_(mean|stddev|cv)$/) next
  sub(/_median$/, "", name)
  # Benchmarks timed by the wall clock (the desktop program's) say so in their name.
  wall = sub(/\/real_time$/, "", name)
  slash = match(name, /\/[^\/]*$/)
  family = substr(name, 1, slash - 1)
  size = substr(name, slash + 1)
  sub(/^[^:]*:/, "", size)
  size += 0
  t = (wall ? $3 : $4) + 0
  unit = $5
  if (!(family in seen)) { seen[family] = 1; order[++families] = family }
  rows[family] = rows[family] sprintf("%12s %12.3f %s", size, t, unit)
  if (family in lastSize && size > lastSize[family] && lastTime[family] > 0)
    rows[family] = rows[family] sprintf("   %5.2f", log(t / lastTime[family]) / log(size / lastSize[family]))
  rows[family] = rows[family] "\n"
  lastSize[family] = size
  lastTime[family] = t
}
END {
  print "Growth with size (CPU time, or wall time where timed by the wall clock; exponent between"
  print "successive sizes: 1 linear, 2 quadratic)"
  for (i = 1; i <= families; ++i) {
    f = order[i]
    printf "%s", f
    if (f in fit) printf "   fitted: %s, RMS %d%%", fit[f], 100 * rms[f]
    printf "\n%s", rows[f]
  }
}
