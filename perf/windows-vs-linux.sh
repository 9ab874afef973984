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

. "$root/perf/interleaved.sh"
first_way() { bench_time "$1" "$linux"; }
second_way() { bench_time "$1" "$root/tools/wine-run.sh" "$windows"; }

printf '%-4s %10s %10s %8s   %s\n' "" "Linux" "Windows" "W/L" "(seconds, median of $rounds)"
for bench in "${benches[@]}"; do
  interleaved "$rounds" "$bench"
  awk -v b="$bench" -v l="$(median "${first_times[@]}")" -v w="$(median "${second_times[@]}")" \
      -v ls="${first_times[*]}" -v ws="${second_times[*]}" \
    'BEGIN { printf "%-4s %10.4f %10.4f %7.1f%%   Linux %s; Windows %s\n", b, l, w, 100 * w / l, ls, ws }'
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)" >&2
