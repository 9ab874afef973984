#!/usr/bin/env bash
# The Windows build under Wine against the Linux build on the same machine: each benchmark's own
# time ("Your Time") from both runners, interleaved (the order alternating from round to round),
# the median of the rounds, and Windows' time as a share of Linux's. Each run in a fresh folder.
# Usage: perf/windows-vs-linux.sh build/release/cli/tallyforge-cli \
#          build/windows/cli/tallyforge-cli.exe [ROUNDS=3] [BENCHMARKS=B1 B2 B3 B4 B8 B9]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
linux=$(realpath "$1")
windows=$(realpath "$2")
rounds=${3:-3}
shift $(( $# < 3 ? $# : 3 ))
benches=("$@")
[ ${#benches[@]} -gt 0 ] || benches=(B1 B2 B3 B4 B8 B9)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)" >&2

# One run of one benchmark by one build; prints its time in seconds.
timed() {
  local build=$1 bench=$2 dir
  dir=$(mktemp -d "$work/run.XXXX")
  cp "$root/Reference.txt" "$dir/"
  if [ "$build" = linux ]; then
    (cd "$dir" && "$linux" "$bench" 2>/dev/null)
  else
    (cd "$dir" && "$root/tools/wine-run.sh" "$windows" "$bench" 2>/dev/null)
  fi | awk -v b="$bench" '$1 == b { print $2 }'
  rm -rf "$dir"
}
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

printf '%-4s %10s %10s %8s   %s\n' "" "Linux" "Windows" "W/L" "(seconds, median of $rounds)"
for bench in "${benches[@]}"; do
  l=() w=()
  for round in $(seq "$rounds"); do
    if [ $(( round % 2 )) -eq 1 ]; then
      l+=("$(timed linux "$bench")"); w+=("$(timed windows "$bench")")
    else
      w+=("$(timed windows "$bench")"); l+=("$(timed linux "$bench")")
    fi
  done
  lm=$(median "${l[@]}") wm=$(median "${w[@]}")
  awk -v b="$bench" -v l="$lm" -v w="$wm" -v ls="${l[*]}" -v ws="${w[*]}" \
    'BEGIN { printf "%-4s %10.4f %10.4f %7.1f%%   Linux %s; Windows %s\n", b, l, w, 100 * w / l, ls, ws }'
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)" >&2
