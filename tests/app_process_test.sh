#!/usr/bin/env bash
# The desktop program as a user starts it: --version without a display, then the real window
# on the display (xvfb-run), which holds its folder: a second window and the runner (the second
# argument) started there are refused; the first ends with Enter.
set -uo pipefail
app="$1"
cli="$2"
shots="${TALLYFORGE_SCREENSHOT_DIR:-screenshots}"
mkdir -p "$shots"
fail() { echo "FAIL: $*"; exit 1; }
. "$(dirname "$0")/wait_window.sh"

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
id=$(wait_window '^Tallyforge$' 10)
[ -n "$id" ] || { kill $pid; fail "no window appeared"; }
sleep 1
eval "$(xdotool getwindowgeometry --shell "$id")"
import -silent -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$shots/app-started.png" ||
  fail "no screenshot"
xprop -id "$id" _NET_WM_ICON | grep -q 'Icon (32 x 32)' || fail "the window has no 32 x 32 icon"

# One run per folder: a second window in the same folder says so in a message box and ends
# with 75 once it is closed; so does the runner, naming the window's process.
( cd "$work" && exec "$app" ) &
second=$!
box=""
for _ in $(seq 100); do
  box=$(xdotool search --onlyvisible --name '^Tallyforge$' 2>/dev/null | grep -vx "$id" | head -1)
  [ -n "$box" ] && break
  sleep 0.1
done
[ -n "$box" ] || { kill $pid $second; fail "no message box from the second window"; }
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$box")"
import -silent -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$shots/app-folder-in-use.png" ||
  fail "no screenshot of the message box"
xdotool mousemove $((X + WIDTH / 2)) $((Y + 10)) key Return
for _ in $(seq 50); do kill -0 $second 2>/dev/null || break; sleep 0.1; done
kill -0 $second 2>/dev/null && { kill $pid $second; fail "Enter did not close the message box"; }
wait $second
status=$?
[ $status -eq 75 ] || { kill $pid; fail "a second window in a folder in use exited $status"; }
message=$(cd "$work" && "$cli" B1 2>&1 >/dev/null)
status=$?
[ $status -eq 75 ] || { kill $pid; fail "the runner in the window's folder exited $status"; }
grep -q "is in use by another run (process $pid, tallyforge)" <<<"$message" ||
  { kill $pid; fail "the runner said: $message"; }
[ ! -e "$work/Numbers_0000000000005.txt" ] || { kill $pid; fail "the refused runner wrote a file"; }

# Enter with the focus on END, where start-up leaves it: the program ends with status 0.
eval "$(xdotool getwindowgeometry --shell "$id")"
xdotool mousemove $((X + 20)) $((Y + 100)) key Return
for _ in $(seq 50); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
if kill -0 $pid 2>/dev/null; then kill $pid; fail "Enter did not end the program"; fi
wait $pid
status=$?
[ $status -eq 0 ] || fail "exit status $status"
echo "PASS"
