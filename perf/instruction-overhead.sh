#!/usr/bin/env bash
# The runner's overhead in instructions, which a loaded machine cannot disturb: each benchmark
# once through the runner's hosts and once through a host that does nothing, under callgrind.
# Usage: perf/instruction-overhead.sh build/release/perf/tallyforge-perf [1 2 9]
set -euo pipefail
perf=$(realpath "$1")
shift
benches=("$@")
[ ${#benches[@]} -gt 0 ] || benches=(1 2 3 8 9)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Inclusive instructions of function in a callgrind output file.
inclusive() {
  callgrind_annotate --inclusive=yes --threshold=100 "$1" 2>/dev/null |
    awk -v f="$2" '!found && index($0, f) { gsub(",", "", $1); print $1; found = 1 }'
}
printf '%-4s %16s %16s %16s %10s\n' "" "runner" "no-op" "difference" "share"
for bench in "${benches[@]}"; do
  for host in runner no-op; do
    valgrind --tool=callgrind --callgrind-out-file="$work/$host.$bench" \
      --toggle-collect='tallyforge::BenchEngine::OnStartBench()' \
      "$perf" --once "$host" "$bench" > /dev/null 2>&1
  done
  runner=$(( $(inclusive "$work/runner.$bench" 'BenchEngine::OnStartBench()') -
             $(inclusive "$work/runner.$bench" 'RunRecorder::RunFinished(') ))
  noop=$(inclusive "$work/no-op.$bench" 'BenchEngine::OnStartBench()')
  awk -v b="$bench" -v r="$runner" -v n="$noop" \
    'BEGIN { printf "B%-3s %16.0f %16.0f %16.0f %+9.4f%%\n", b, r, n, r - n, (r - n) * 100 / n }'
done
