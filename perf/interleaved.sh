# Sourced by the perf scripts that time one benchmark two ways: each run in a fresh folder with
# the repository's Reference.txt, the two ways taking turns (the first one first in odd rounds),
# and the median of the rounds. Needs $root (the repository) and $work (a scratch folder).

# bench_time BENCH COMMAND...: COMMAND BENCH run in a fresh folder; prints the benchmark's own
# time ("Your Time") in seconds.
bench_time() {
  local bench=$1 dir
  shift
  dir=$(mktemp -d "$work/run.XXXX")
  cp "$root/Reference.txt" "$dir/"
  (cd "$dir" && "$@" "$bench" 2>/dev/null) | awk -v b="$bench" '$1 == b { print $2 }'
  rm -rf "$dir"
}

# An even count's median is the mean of its middle two.
median() {
  printf '%s\n' "$@" | sort -g |
    awk '{ v[NR] = $1 } END { m = int((NR + 1) / 2); print (NR % 2 ? v[m] : (v[m] + v[m + 1]) / 2) }'
}

# interleaved ROUNDS BENCH: the functions first_way and second_way (each given BENCH, each
# printing a time) in turn, ROUNDS times; the times in first_times and second_times.
interleaved() {
  local rounds=$1 bench=$2 round
  first_times=() second_times=()
  for round in $(seq "$rounds"); do
    if [ $(( round % 2 )) -eq 1 ]; then
      first_times+=("$(first_way "$bench")"); second_times+=("$(second_way "$bench")")
    else
      second_times+=("$(second_way "$bench")"); first_times+=("$(first_way "$bench")")
    fi
  done
}
