#!/usr/bin/env bash
# The instructions each build spends in the engine's timed loops, counted under callgrind, which
# a loaded machine cannot disturb: the Linux runner as it is and the Windows runner under Wine
# (callgrind follows Wine's process). Instructions are summed per function by the binaries' own
# symbol tables, so the two ABIs' code for the same loops can be set side by side.
# Only functions of 100,000 instructions or more are shown.
# Usage: perf/loop-instructions.sh build/release/cli/tallyforge-cli \
#          build/windows/cli/tallyforge-cli.exe [BENCHMARKS=B1 B3 B8 B9]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
linux=$(realpath "$1")
windows=$(realpath "$2")
shift 2
benches=("$@")
[ ${#benches[@]} -gt 0 ] || benches=(B1 B3 B8 B9)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export WINEPREFIX="${WINEPREFIX:-$root/build/wine}" WINEDEBUG=-all
functions='RunRangeBench|RunPasses|RunMixedBench|RunFactorBench|FactorNumber|FormatFactorLine|BuildPrimeTable'
nm -n -C "$linux" | grep -E "^[0-9a-f]+ [tTW] " > "$work/linux.syms"
x86_64-w64-mingw32-nm -n -C "$windows" | grep -E "^[0-9a-f]+ [tTW] " > "$work/windows.syms"

# Instructions per engine function in one callgrind output (--dump-instr=yes), by symbol ranges.
per_function() {
  python3 - "$1" "$2" "$functions" <<'PY'
import bisect, collections, re, sys
out, syms, wanted = sys.argv[1], sys.argv[2], re.compile(sys.argv[3])
starts, names = [], []
for line in open(syms):
    address, _, name = line.rstrip("\n").split(" ", 2)
    starts.append(int(address, 16)); names.append(name)
cost = collections.Counter()
address, in_call = 0, False
for line in open(out):
    if line.startswith("calls="):
        in_call = True
        continue
    m = re.match(r"^(0x[0-9a-f]+|[+-]\d+|\*)\s+\S+\s+(\d+)", line)
    if not m:
        continue
    token = m.group(1)
    if token.startswith("0x"): address = int(token, 16)
    elif token[0] in "+-": address += int(token)
    if in_call:  # a call line carries the callee's inclusive cost
        in_call = False
        continue
    i = bisect.bisect_right(starts, address) - 1
    if i >= 0 and wanted.search(names[i]):
        name = re.sub(r"\(.*", "", names[i].replace("(anonymous namespace)::", ""))
        cost[name + (" [stopping]" if "<true>" in names[i] else "")] += int(m.group(2))
for name, n in sorted(cost.items()):
    print(f"{name}\t{n}")
PY
}

for bench in "${benches[@]}"; do
  for build in linux windows; do
    dir="$work/$build.$bench"
    mkdir -p "$dir"
    cp "$root/Reference.txt" "$dir/"
    if [ "$build" = linux ]; then
      (cd "$dir" && valgrind --tool=callgrind --dump-instr=yes --callgrind-out-file="$dir/cg.out" \
         "$linux" "$bench" > /dev/null 2>&1)
    else
      (cd "$dir" && valgrind --tool=callgrind --dump-instr=yes --trace-children=yes \
         --callgrind-out-file="$dir/cg.%p" wine "$windows" "$bench" > /dev/null 2>&1)
      # The process that ran the program is the one whose command names it with the most work.
      best=$(grep -l "^cmd: .*$(basename "$windows")" "$dir"/cg.* |
             xargs grep -H '^summary:' | sort -t' ' -k2 -n | tail -1 | cut -d: -f1)
      mv "$best" "$dir/cg.out"
    fi
    per_function "$dir/cg.out" "$work/$build.syms" > "$work/$build.$bench.txt"
  done
  echo "$bench: instructions per function, Linux, Windows, Windows / Linux"
  join -t $'\t' -a1 -a2 -e 0 -o 0,1.2,2.2 <(sort "$work/linux.$bench.txt") <(sort "$work/windows.$bench.txt") |
    awk -F '\t' '$2 + $3 >= 100000 { printf "  %-34s %15.0f %15.0f %8.2f%%\n", $1, $2, $3, ($2 > 0 ? 100 * $3 / $2 : 0) }'
done
