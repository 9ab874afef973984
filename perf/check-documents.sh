#!/usr/bin/env bash
# Time and peak memory of `tallyforge-cli check` on a normal result document and on 64 MB
# hostile ones (deep nesting, huge arrays, long strings, many values, many objects), each read
# to its refusal.
# Usage: perf/check-documents.sh build/release/cli/tallyforge-cli [normal.json]
set -euo pipefail
. "$(dirname "$0")/normal-document.sh"
python3 - "$work" <<'PYTHON'
import sys
work = sys.argv[1]
cap = 64 << 20
def write(name, head, unit, tail):
    count = (cap - len(head) - len(tail)) // len(unit)
    with open(f"{work}/{name}.json", "w") as f:
        f.write(head + unit * count + tail)
write("deep-nesting", "", "[", "")
write("many-empty-arrays", '{"schema":"tallyforge-result","x":[', "[],", "[]]}")
write("huge-number-array", '{"schema":"tallyforge-result","x":[', "0,", "0]}")
write("long-string", '{"schema":"tallyforge-result","schema_version":2,"time":"', "a", '"}')
write("many-long-keys", '{"schema":"tallyforge-result","x":{', '"' + "k" * 60 + '":0,', '"z":0}}')
# Just under the value cap, so that the whole tree is built before the schema refuses it.
write("many-strings", '{"schema":"tallyforge-result","x":[', '"' + "s" * 31 + '",', '""]}')
write("many-objects", '{"schema":"tallyforge-result","x":[', '{"' + "k" * 62 + '":0},', '{}]}')
PYTHON
printf '%-20s %10s %8s %6s %5s  %s\n' document bytes seconds MB exit "what check says last"
for doc in normal deep-nesting many-empty-arrays huge-number-array long-string many-long-keys \
    many-strings many-objects; do
  code=0
  /usr/bin/time -o "$work/time" -f '%e %M' "$cli" check "$work/$doc.json" > "$work/out" \
    2> "$work/err" || code=$?
  said=$(cat "$work/out" "$work/err" | tail -1)
  read -r seconds kb < <(tail -1 "$work/time")
  printf '%-20s %10d %8s %6d %5d  %s\n' "$doc" "$(stat -c %s "$work/$doc.json")" "$seconds" \
    $((kb / 1024)) "$code" "${said:0:90}"
done
