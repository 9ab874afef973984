#!/usr/bin/env bash
# The runner's overhead in instructions, which a loaded machine cannot disturb: each benchmark
# once through the runner's hosts, once through a host that does nothing and once as the straight
# hand-written loop of the same work, under callgrind.
# Usage: perf/instruction-overhead.sh build/release/perf/tallyforge-perf [1 2 9]
#        (TALLYFORGE_PERF_ARGS="--mixed-limit 1000000" shortens B8's loop, the same loop)
set -euo pipefail
perf=$(realpath "$1")
shift
benches=("$@")
[ ${#benches[@]} -gt 0 ] || benches=(1 2 3 8 9)
read -r -a extra <<< "${TALLYFORGE_PERF_ARGS:-}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Inclusive instructions of function in a callgrind output file.
inclusive() {
  callgrind_annotate --inclusive=yes --threshold=100 "$1" 2>/dev/null |
    awk -v f="$2" '!found && index($0, f) { gsub(",", "", $1); print $1; found = 1 }'
}
printf '%-4s %16s %16s %16s %12s %16s %12s\n' "" "runner" "no-op" "difference" "share" \
  "straight" "no-op/str."
for bench in "${benches[@]}"; do
  for host in runner no-op straight; do
    valgrind --tool=callgrind --callgrind-out-file="$work/$host.$bench" \
      "$perf" "${extra[@]}" --once "$host" "$bench" > /dev/null 2>&1
  done
  runner=$(( $(inclusive "$work/runner.$bench" 'BenchEngine::OnStartBench()') -
             $(inclusive "$work/runner.$bench" 'RunRecorder::RunFinished(') ))
  noop=$(inclusive "$work/no-op.$bench" 'BenchEngine::OnStartBench()')
  straight=$(inclusive "$work/straight.$bench" '::Straight(int')
  awk -v b="$bench" -v r="$runner" -v n="$noop" -v s="$straight" \
    'BEGIN { printf "B%-3s %16.0f %16.0f %16.0f %+11.4f%% %16.0f %+11.2f%%\n",
             b, r, n, r - n, (r - n) * 100 / n, s, (n - s) * 100 / s }'
done
