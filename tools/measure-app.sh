#!/usr/bin/env bash
# Prints the desktop program's time from start to its window on screen and the resident memory
# of the idle window. Run under a display: xvfb-run -a tools/measure-app.sh build/release/app/tallyforge
set -euo pipefail
app="${1:-build/release/app/tallyforge}"
runs="${2:-5}"
for run in $(seq "$runs"); do
  start=$(date +%s%N)
  "$app" &
  pid=$!
  until xdotool search --onlyvisible --name '^Tallyforge$' >/dev/null 2>&1; do sleep 0.01; done
  shown=$(date +%s%N)
  sleep 1
  rss=$(awk '/^VmRSS/ {print $2}' /proc/$pid/status)
  printf 'run %d: window shown after %d ms, idle RSS %d kB\n' "$run" $(((shown - start) / 1000000)) "$rss"
  kill $pid
  wait $pid 2>/dev/null || true
done
