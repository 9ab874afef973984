#!/usr/bin/env bash
# Time, peak memory and output size of `tallyforge-cli report` over 50 documents: 50 copies of a
# normal document, then 50 large ones (its runs repeated to 100 passes, more than a chart draws),
# three times each, as a page and once as SVG files.
# Usage: perf/report-documents.sh build/release/cli/tallyforge-cli [normal.json]
set -euo pipefail
. "$(dirname "$0")/normal-document.sh"
mkdir "$work/normal" "$work/large"
python3 - "$work" <<'PYTHON'
import json, shutil, sys
work = sys.argv[1]
doc = json.load(open(f"{work}/normal.json"))
runs = [dict(run) for run in doc["runs"]]
doc["runs"] = []
for p in range(100):  # the figures change, so check finds them edited: the report marks it
    for run in runs:
        doc["runs"].append(dict(run, **{"pass": p + 1}))
doc["repeat"] = 100
text = json.dumps(doc, indent=2)
for k in range(1, 51):
    shutil.copy(f"{work}/normal.json", f"{work}/normal/host-{k:02}.json")
    open(f"{work}/large/host-{k:02}.json", "w").write(text)
PYTHON
printf '%-8s %12s %8s %8s %11s %s\n' set input-KB seconds peak-MB page-KB "svg files"
for set in normal large; do
  input=$(du -sk "$work/$set" | cut -f1)
  for round in 1 2 3; do
    /usr/bin/time -o "$work/time" -f '%e %M' "$cli" report "$work/$set"/*.json \
      -o "$work/page.html" > /dev/null
    read -r seconds kb < <(tail -1 "$work/time")
    svg=""
    if [ $round -eq 3 ]; then
      rm -rf "$work/svg"
      "$cli" report "$work/$set"/*.json -o "$work/svg/" > /dev/null
      svg="$(ls "$work/svg" | wc -l) files, $(du -sk "$work/svg" | cut -f1) KB"
    fi
    printf '%-8s %12s %8s %8s %11s %s\n' "$set" "$input" "$seconds" "$((kb / 1024))" \
      "$(( $(stat -c %s "$work/page.html") / 1024 ))" "$svg"
  done
done
