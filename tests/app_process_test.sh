#!/usr/bin/env bash
# The desktop program as a user starts it: --version without a display, then the real window
# on the display (xvfb-run), ended with Enter.
set -uo pipefail
app="$1"
shots="${TALLYFORGE_SCREENSHOT_DIR:-screenshots}"
mkdir -p "$shots"
fail() { echo "FAIL: $*"; exit 1; }

version=$(env -u DISPLAY "$app" --version) || fail "--version exited $?"
grep -q '^tallyforge [0-9.]* (commit ' <<<"$version" || fail "--version printed: $version"
grep -q 'Tallyforga Applicazione, version 1, 0, 0, 1' <<<"$version" || fail "no version data: $version"
env -u DISPLAY "$app" --bogus 2>/dev/null; [ $? -eq 2 ] || fail "an unknown option must exit 2"
env -u DISPLAY "$app" --help >/dev/full 2>/dev/null && fail "--help to a full disk must fail"

[ -n "${DISPLAY:-}" ] || fail "no display: run under xvfb-run"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '0.8\n1.5\n3.2\n10.5\n30\n60\n120\n7.0\n6.0\n' >"$work/Reference.txt"
( cd "$work" && exec "$app" ) &
pid=$!
id=""
for _ in $(seq 100); do
  id=$(xdotool search --onlyvisible --name '^Tallyforge$' 2>/dev/null | head -1)
  [ -n "$id" ] && break
  sleep 0.1
done
[ -n "$id" ] || { kill $pid; fail "no window appeared"; }
sleep 1
eval "$(xdotool getwindowgeometry --shell "$id")"
import -silent -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$shots/app-started.png" ||
  fail "no screenshot"
xprop -id "$id" _NET_WM_ICON | grep -q 'Icon (32 x 32)' || fail "the window has no 32 x 32 icon"
# Enter with the focus on END, where start-up leaves it: the program ends with status 0.
xdotool mousemove $((X + 20)) $((Y + 100)) key Return
for _ in $(seq 50); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
if kill -0 $pid 2>/dev/null; then kill $pid; fail "Enter did not end the program"; fi
wait $pid
status=$?
[ $status -eq 0 ] || fail "exit status $status"
echo "PASS"
