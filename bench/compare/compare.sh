#!/usr/bin/env bash
# Times statorium-cli against GNU R doing the same work on the same generated files, in one run:
# for each command and size the wall time of the whole process (start-up and reading included)
# on both sides, the best of up to three runs, and the ratio R / cli (above 1: the CLI is faster).
# Then the memory of describe on the largest sample. Run by `scripts/bench --compare`.
#   bench/compare/compare.sh PATH/TO/statorium-cli
set -euo pipefail

CLI="$1"
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
RSCRIPT=(Rscript --vanilla)
export LC_ALL=C

DATA="$(mktemp -d "${TMPDIR:-/tmp}/statorium-compare.XXXXXX")"
trap 'rm -rf "$DATA"' EXIT

# Wall seconds of one run of the command; its output is dropped, and a failure ends the run.
wall() {
  local start=$EPOCHREALTIME
  if ! "$@" >/dev/null 2>"$DATA/stderr"; then
    echo "failed: $*" >&2
    cat "$DATA/stderr" >&2
    exit 1
  fi
  awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.3f", b - a }'
}

# The best of up to three runs: runs are repeated while they take less than two seconds.
best() {
  local t min
  min=$(wall "$@")
  for _ in 2 3; do
    awk -v t="$min" 'BEGIN { exit !(t < 2) }' || break
    t=$(wall "$@")
    min=$(awk -v a="$min" -v b="$t" 'BEGIN { print (b < a ? b : a) }')
  done
  echo "$min"
}

# compare COMMAND SIZE CLI-ARGUMENTS... -- R-SCRIPT-ARGUMENTS...: times both, prints one row.
compare() {
  local command=$1 size=$2
  shift 2
  local cli=() r=()
  while [ "$1" != -- ]; do cli+=("$1"); shift; done
  shift
  r=("$@")
  local tc tr
  tc=$(best "$CLI" "$command" "${cli[@]}")
  tr=$(best "${RSCRIPT[@]}" "$HERE/$command.R" "${r[@]}")
  awk -v c="$command" -v s="$size" -v a="$tc" -v b="$tr" \
    'BEGIN { printf "%-14s %-12s %9.3f %9.3f %7.2f\n", c, s, a, b, b / a }'
}

echo "Generating the data in $DATA (not timed)"
# Ten normal series of 10^5 and of 10^6 values, of slightly different means.
for n in 100000 1000000; do
  for k in 1 2 3 4 5 6 7 8 9 10; do
    "$CLI" generate --law normal --size "$n" --sigma 15 --m "10$k" --seed "$k" \
      --out "$DATA/s$k-$n.txt" >/dev/null
  done
done
# Statobjects of correlated properties: pairs for the two-dimensional analysis, three
# statobjects per shape for the similarity check (the first also for the single-object commands).
for n in 100000 1000000; do
  "${RSCRIPT[@]}" "$HERE/make-data.R" "$DATA/pair-$n.sta" 2 "$n" 5
done
for shape in "10 10000" "50 100000"; do
  set -- $shape
  for k in 1 2 3; do
    "${RSCRIPT[@]}" "$HERE/make-data.R" "$DATA/obj$k-$1x$2.sta" "$1" "$2" "3$k"
  done
done

echo
echo "load average before the timings: $(cut -d' ' -f1-3 /proc/loadavg)"
printf "%-14s %-12s %9s %9s %7s\n" command size cli-s R-s R/cli
for n in 100000 1000000 10000000; do
  compare generate "$n" --law normal --size "$n" --sigma 15 --m 100 --seed 1 --out "$DATA/a-$n.txt" \
    -- --size "$n" --sigma 15 --m 100 --seed 1 --out "$DATA/r-a-$n.txt"
done
for n in 100000 1000000 10000000; do
  compare describe "$n" "$DATA/a-$n.txt" -- "$DATA/a-$n.txt"
done
for n in 100000 1000000; do
  compare two-series "2x$n" "$DATA/s1-$n.txt" "$DATA/s2-$n.txt" -- "$DATA/s1-$n.txt" "$DATA/s2-$n.txt"
done
for n in 100000 1000000; do
  files=("$DATA"/s{1,2,3,4,5,6,7,8,9,10}-"$n".txt)
  compare many-series "10x$n" "${files[@]}" -- "${files[@]}"
done
for n in 100000 1000000; do
  files=("$DATA"/s{1,2,3,4,5,6,7,8,9,10}-"$n".txt)
  compare compose "10x$n" --name bench --out "$DATA/c-$n.sta" "${files[@]}" \
    -- --name bench --out "$DATA/r-c-$n.sta" "${files[@]}"
done
for n in 100000 1000000; do
  compare twod "2x$n" "$DATA/pair-$n.sta" -- "$DATA/pair-$n.sta"
done
for shape in 10x10000 50x100000; do
  file="$DATA/obj1-$shape.sta"
  compare nd "$shape" "$file" --components "$DATA/main-$shape.sta" \
    -- "$file" "$DATA/r-main-$shape.sta"
  compare dependence "$shape" "$file" -- "$file"
  compare regression "$shape" "$file" "${shape%%x*}" -- "$file" "${shape%%x*}"
  objects=("$DATA"/obj{1,2,3}-"$shape".sta)
  compare nd-similarity "3x$shape" "${objects[@]}" -- "${objects[@]}"
done
for plan in "1000 30" "10000 30"; do
  set -- $plan
  compare experiment "$2x$1" --law normal --size "$1" --checks "$2" --sigma 15 --m 100 --seed 1 \
    -- --size "$1" --checks "$2" --sigma 15 --m 100 --seed 1
done

echo
echo "describe of 10^7 values (wall seconds, max resident memory):"
for side in cli R; do
  if [ $side = cli ]; then
    run=("$CLI" describe "$DATA/a-10000000.txt")
  else
    run=("${RSCRIPT[@]}" "$HERE/describe.R" "$DATA/a-10000000.txt")
  fi
  /usr/bin/time -f "%e %M" -o "$DATA/time" "${run[@]}" >/dev/null
  read -r seconds kb <"$DATA/time"
  awk -v s="$side" -v t="$seconds" -v k="$kb" 'BEGIN { printf "  %-4s %6.2f s %8.1f MB\n", s, t, k / 1024 }'
done
echo "load average after the timings: $(cut -d' ' -f1-3 /proc/loadavg)"
