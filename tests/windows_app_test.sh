#!/usr/bin/env bash
# tallyforge.exe under Wine on the display (xvfb-run): the window with its icon, Enter at
# start-up ends it with status 0; STOP BENCH ends a run of B6; a real click on START BENCH runs B1
# to its end, the About entry is in the system menu (Alt+Space), OPENGL opens the view, END ends
# the program.
# Screenshots go to $TALLYFORGE_SCREENSHOT_DIR. Usage: windows_app_test.sh tallyforge.exe Reference.txt
set -uo pipefail
app=$1
run="$(cd "$(dirname "$0")" && pwd)/../tools/wine-run.sh"
shots="${TALLYFORGE_SCREENSHOT_DIR:-screenshots}"
mkdir -p "$shots"
fail() { echo "FAIL: $*"; exit 1; }
. "$(dirname "$0")/wait_window.sh"
[ -n "${DISPLAY:-}" ] || fail "no display: run under xvfb-run"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$2" "$work/Reference.txt"

# Starts the program in $work; sets pid and id (its window), or fails.
start() {
  ( cd "$work" && exec "$run" "$app" ) &
  pid=$!
  id=$(wait_window '^Tallyforge$' 60)
  [ -n "$id" ] || { kill $pid; fail "no window appeared"; }
  sleep 2
  eval "$(xdotool getwindowgeometry --shell "$id")"
}
shot() { import -silent -window root -crop "${1}" +repage "$shots/$2" || fail "no screenshot $2"; }
ended() {  # waits for the program to end; its status in status
  for _ in $(seq 100); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
  kill -0 $pid 2>/dev/null && { kill $pid; fail "$1 did not end the program"; }
  wait $pid
  status=$?
}

# Whether the file's last line matches the pattern within tenths of a second.
ends_with() {
  for _ in $(seq "$3"); do
    tail -1 "$1" 2>/dev/null | grep -q "$2" && return 0
    sleep 0.1
  done
  return 1
}

start
xprop -id "$id" _NET_WM_ICON | grep -q 'Icon (32 x 32)' || fail "the window has no 32 x 32 icon"
shot "${WIDTH}x${HEIGHT}+${X}+${Y}" windows-app-started.png
xdotool windowfocus --sync "$id" key Return
ended "Enter"
[ $status -eq 0 ] || fail "Enter: exit status $status"

start
wx=$X wy=$Y ww=$WIDTH wh=$HEIGHT
# Pixels from dialog units: 6 x 12 pixels per 4 x 8 units here.
# B6 (radio at 4, 134; over 20 s here), START BENCH (control 2 at 4, 204, 52 x 32), and a
# second into the run STOP BENCH (64, 204, 48 x 32): the run ends long before B6 could.
numbers6="$work/Numbers_0100000000005.txt"
xdotool mousemove $((wx + 15)) $((wy + 208)) click 1
sleep 0.5
xdotool mousemove $((wx + 45)) $((wy + 330)) click 1
for _ in $(seq 100); do [ -s "$numbers6" ] && break; sleep 0.1; done
sleep 1
xdotool mousemove $((wx + 132)) $((wy + 330)) click 1
ends_with "$numbers6" $'^Prime Found : [0-9]*\r$' 40 || fail "STOP did not end B6 within 4 s"
# B1 (radio at 4, 54), then START BENCH.
xdotool mousemove $((wx + 15)) $((wy + 88)) click 1
sleep 0.5
xdotool mousemove $((wx + 45)) $((wy + 330)) click 1
ends_with "$work/Numbers_0000000000005.txt" $'^Prime Found : 74521\r$' 600 ||
  fail "B1 did not run to its end"
sleep 1
shot "${ww}x${wh}+${wx}+${wy}" windows-app-b1.png

# The system menu (there is no window manager to draw the caption): Alt+Space opens it.
xdotool windowfocus --sync "$id" key alt+space
sleep 1
shot "$((ww + 200))x${wh}+${wx}+${wy}" windows-app-system-menu.png
xdotool key Escape
sleep 0.5

# OPENGL: control 3 at 252, 236, 56 x 20 dialog units.
xdotool mousemove $((wx + 417)) $((wy + 369)) click 1
view=$(wait_window 'OpenGl View' 20)
[ -n "$view" ] || { kill $pid; fail "OPENGL opened no view"; }
sleep 2
eval "$(xdotool getwindowgeometry --shell "$view")"
shot "${WIDTH}x${HEIGHT}+${X}+${Y}" windows-view.png
xdotool windowfocus --sync "$view" key Escape
sleep 1

# END: control 1 at 248, 258, 62 x 40 dialog units.
xdotool mousemove $((wx + 418)) $((wy + 417)) click 1
ended "END"
[ $status -eq 0 ] || fail "END: exit status $status"
echo PASS
