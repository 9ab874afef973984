#!/usr/bin/env bash
# Each benchmark through the runner's hosts against a straight hand-written loop of the same
# work, as whole processes taken in turn on one pinned core: the median and range of the pairs'
# ratios (each process's timed stretch, to the microsecond).
# Usage: perf/straight-loop.sh build/release/perf/tallyforge-perf [pairs] [core] [benchmarks...]
set -euo pipefail
perf=$(realpath "$1")
pairs=${2:-7}
core=${3:-1}
shift $(( $# < 3 ? $# : 3 ))
benches=("$@")
[ ${#benches[@]} -gt 0 ] || benches=(3 8 9)
echo "load at the start: $(cut -d' ' -f1-3 /proc/loadavg); $pairs pairs on core $core"
printf '%-4s %12s %12s %10s %18s\n' "" "runner s" "straight s" "ratio" "range of ratios"
# The seconds a --once run printed last on its line.
seconds() { taskset -c "$core" "$perf" --once "$1" "$2" | tail -1 | awk '{ print $(NF - 1) }'; }
for bench in "${benches[@]}"; do
  ratios=() runs=() straights=()
  for ((i = 0; i < pairs; ++i)); do
    runner=$(seconds runner "$bench")
    straight=$(seconds straight "$bench")
    runs+=("$runner") straights+=("$straight")
    ratios+=("$(awk -v r="$runner" -v s="$straight" 'BEGIN { printf "%.5f", r / s }')")
  done
  median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
  lowest=$(printf '%s\n' "${ratios[@]}" | sort -g | head -1)
  highest=$(printf '%s\n' "${ratios[@]}" | sort -g | tail -1)
  printf 'B%-3s %12s %12s %+9.2f%% %8s to %s\n' "$bench" "$(median "${runs[@]}")" \
    "$(median "${straights[@]}")" "$(awk -v m="$(median "${ratios[@]}")" 'BEGIN { print (m - 1) * 100 }')" \
    "$lowest" "$highest"
done
echo "load at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
