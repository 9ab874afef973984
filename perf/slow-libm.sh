#!/usr/bin/env bash
# Whether a benchmark's time depends on the C library's fmod: runs it with and without an fmod
# (LD_PRELOAD) that spins for a moment before giving the library's own answer, interleaved, and
# prints the median of each with their ratio. A runner that takes its remainder from the engine
# shows a ratio within the machine's noise; one that calls fmod shows it slowed.
# Usage: perf/slow-libm.sh build/release/cli/tallyforge-cli [ROUNDS=3] [BENCHMARKS=B3]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runner=$(realpath "$1")
rounds=${2:-3}
shift $(( $# < 2 ? $# : 2 ))
benches=("$@")
[ ${#benches[@]} -gt 0 ] || benches=(B3)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat > "$work/slow_fmod.c" <<'C'
#define _GNU_SOURCE
#include <dlfcn.h>
double fmod(double x, double y) {
  static double (*real)(double, double);
  if (!real) real = (double (*)(double, double))dlsym(RTLD_NEXT, "fmod");
  for (volatile int spin = 0; spin < 50; ++spin) {}
  return real(x, y);
}
C
cc -O2 -shared -fPIC -o "$work/slow_fmod.so" "$work/slow_fmod.c" -ldl
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)" >&2
. "$root/perf/interleaved.sh"
first_way() { bench_time "$1" "$runner"; }
second_way() { bench_time "$1" env LD_PRELOAD="$work/slow_fmod.so" "$runner"; }
printf '%-4s %10s %10s %8s   %s\n' "" "library" "slow fmod" "ratio" "(seconds, median of $rounds)"
for bench in "${benches[@]}"; do
  interleaved "$rounds" "$bench"
  awk -v b="$bench" -v p="$(median "${first_times[@]}")" -v s="$(median "${second_times[@]}")" \
      -v ps="${first_times[*]}" -v ss="${second_times[*]}" \
    'BEGIN { printf "%-4s %10.4f %10.4f %7.2fx   library %s; slow %s\n", b, p, s, s / p, ps, ss }'
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)" >&2
