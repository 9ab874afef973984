#!/usr/bin/env bash
# B9's time on each logical processor of this machine and what pinning costs: ROUNDS runs of
# `--each-core B9` (each a turn on every processor the process may use), each processor's
# median over the rounds, then the median, fastest and slowest processor; then B9 pinned by
# --each-core to one processor against B9 unpinned, interleaved, the median of each and their
# ratio (within the machine's noise: pinning costs nothing).
# Usage: perf/each-core.sh build/release/cli/tallyforge-cli [ROUNDS=3] [PROCESSOR=first allowed]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runner=$(realpath "$1")
rounds=${2:-3}
processor=${3:-$(taskset -cp $$ | sed 's/.*: *//; s/[-,].*//')}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
. "$root/perf/interleaved.sh"

# The spread across processors: "processor seconds" lines of every round.
for round in $(seq "$rounds"); do
  dir=$(mktemp -d "$work/spread.XXXX")
  cp "$root/Reference.txt" "$dir/"
  (cd "$dir" && "$runner" --each-core B9 --json r.json >/dev/null 2>&1) || true
  jq -r '.runs[] | select(.ran and (.stopped | not) and .verification.status == "verified")
         | "\(.processor) \(.seconds)"' "$dir/r.json" >> "$work/times"
  rm -rf "$dir"
done
echo "B9 per processor (median of $rounds rounds):"
per=()
for p in $(cut -d' ' -f1 "$work/times" | sort -n | uniq); do
  m=$(median $(awk -v p="$p" '$1 == p { print $2 }' "$work/times"))
  printf '  processor %-4s %8.3f s\n' "$p" "$m"
  per+=("$m")
done
sorted=$(printf '%s\n' "${per[@]}" | sort -g)
printf 'B9 across %d processors: median %.3f s, min %.3f s, max %.3f s\n' "${#per[@]}" \
  "$(median "${per[@]}")" "$(head -n1 <<<"$sorted")" "$(tail -n1 <<<"$sorted")"

# Pinned against unpinned.
first_way() { bench_time "$1" "$runner" --each-core --cores "$processor"; }
second_way() { bench_time "$1" "$runner"; }
interleaved "$rounds" B9
pinned=$(median "${first_times[@]}")
unpinned=$(median "${second_times[@]}")
printf 'B9 pinned to processor %s: median %.3f s (%s)\n' "$processor" "$pinned" "${first_times[*]}"
printf 'B9 unpinned:             median %.3f s (%s)\n' "$unpinned" "${second_times[*]}"
printf 'pinned / unpinned: %.3f\n' "$(awk -v a="$pinned" -v b="$unpinned" 'BEGIN { print a / b }')"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
