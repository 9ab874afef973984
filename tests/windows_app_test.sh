#!/usr/bin/env bash
# tallyforge.exe under Wine on the display (xvfb-run): the window with its icon and B9's radio
# button drawn as B8's is, Enter at start-up ends it with status 0; B9 selected shows it;
# STOP BENCH ends a run of B7; a real click on START BENCH runs B1 to its end, the About entry is
# in the system menu (Alt+Space), OPENGL opens the view, the info dialog's labels leave the
# lists' borders whole, END ends the program.
# Screenshots go to $TALLYFORGE_SCREENSHOT_DIR. Usage: windows_app_test.sh tallyforge.exe Reference.txt
set -uo pipefail
app=$1
run="$(cd "$(dirname "$0")" && pwd)/../tools/wine-run.sh"
shots="${TALLYFORGE_SCREENSHOT_DIR:-screenshots}"
mkdir -p "$shots"
pid=
# A failure leaves a screenshot of the screen and no program running (ctest would wait for it).
fail() {
  echo "FAIL: $*"
  import -silent -window root "$shots/windows-app-failure.png" 2>/dev/null
  [ -n "$pid" ] && kill $pid 2>/dev/null
  exit 1
}
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

# crop SHOT W H X Y NAME: that part of a screenshot as a picture of its own.
crop() { convert "$shots/$1" -crop "$2x$3+$4+$5" +repage "$work/$6"; }
# within A B: whether picture B is found, pixel for pixel, in picture A.
within() { local m; m=$(compare -metric AE -subimage-search "$work/$1" "$work/$2" null: 2>&1); [ "${m%% *}" = 0 ]; }
# colours NAME: how many colours the picture holds.
colours() { convert "$work/$1" -format %k info:; }

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
# Pixels from dialog units: 6 x 12 pixels per 4 x 8 units here. Each radio button's circle is
# at its left, in the middle of its height: B1 (4, 54, 180 x 10) selected, B8 (4, 166) not, and
# B9 (4, 182, 180 x 16, two lines) must show B8's circle; its text stays within its 180 units,
# clear of row 9's cells (from 188).
crop windows-app-started.png 15 15 6 81 selected.png
crop windows-app-started.png 15 15 6 249 unselected.png
crop windows-app-started.png 15 24 6 273 b9.png
within b9.png unselected.png || fail "B9's radio button has no circle"
crop windows-app-started.png 5 24 277 273 b9-to-cells.png
[ "$(colours b9-to-cells.png)" = 1 ] || fail "B9's text runs on under row 9's cells"
xdotool windowfocus --sync "$id" key Return
ended "Enter"
[ $status -eq 0 ] || fail "Enter: exit status $status"

start
wx=$X wy=$Y ww=$WIDTH wh=$HEIGHT
# B9 clicked shows B9 selected.
xdotool mousemove $((wx + 9)) $((wy + 285)) click 1
sleep 0.5
shot "${ww}x${wh}+${wx}+${wy}" windows-app-b9.png
crop windows-app-b9.png 15 24 6 273 b9-selected.png
within b9-selected.png selected.png || fail "B9 selected shows no selected circle"
# B7 (radio at 4, 150; over 30 s here), START BENCH (control 2 at 4, 204, 52 x 32), and a
# second into the run STOP BENCH (64, 204, 48 x 32): the run ends long before B7 could, even on
# a busy machine.
numbers7="$work/Numbers_1000000000005.txt"
xdotool mousemove $((wx + 15)) $((wy + 232)) click 1
sleep 0.5
xdotool mousemove $((wx + 45)) $((wy + 330)) click 1
for _ in $(seq 100); do [ -s "$numbers7" ] && break; sleep 0.1; done
sleep 1
xdotool mousemove $((wx + 132)) $((wy + 330)) click 1
ends_with "$numbers7" $'^Prime Found : [0-9]*\r$' 40 || fail "STOP did not end B7 within 4 s"
# B1 (radio at 4, 54), then START BENCH; clicked again, as a person would, while the stopped
# run's check still holds the buttons (a busy machine).
numbers1="$work/Numbers_0000000000005.txt"
for _ in 1 2 3; do
  xdotool mousemove $((wx + 15)) $((wy + 88)) click 1
  sleep 0.5
  xdotool mousemove $((wx + 45)) $((wy + 330)) click 1
  for _ in $(seq 50); do [ -e "$numbers1" ] && break 2; sleep 0.1; done
done
ends_with "$numbers1" $'^Prime Found : 74521\r$' 600 ||
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

# "Info && Thanks....": control 1038 at 8, 281, 228 x 12. In the info dialog (342 x 262 units) the
# labels "Program Info" (0, 4, 100 x 8) and "Thanks to..." (0, 128) end where the lists begin
# (0, 12 and 0, 136, 340 units wide): each list's top border runs whole under its label.
xdotool mousemove $((wx + 183)) $((wy + 430)) click 1
info=$(wait_window '^VEXOR.TALLYFORGE$' 20)
[ -n "$info" ] || { kill $pid; fail "Info && Thanks.... opened no dialog"; }
sleep 2
eval "$(xdotool getwindowgeometry --shell "$info")"
shot "${WIDTH}x${HEIGHT}+${X}+${Y}" windows-info.png
for top in 12 136; do
  y=$((top * HEIGHT / 262)) width=$((340 * WIDTH / 342 - 2))
  crop windows-info.png "$width" 1 1 "$y" border.png
  crop windows-info.png 1 1 1 $((y - 3)) ground.png
  [ "$(colours border.png)" = 1 ] && ! within border.png ground.png ||
    fail "a label paints over the border of the list at $top units"
done
# EXIT (292, 236, 50 x 26) closes it.
xdotool mousemove $((X + 317 * WIDTH / 342)) $((Y + 249 * HEIGHT / 262)) click 1
for _ in $(seq 50); do xdotool search --onlyvisible --name '^VEXOR.TALLYFORGE$' >/dev/null || break; sleep 0.1; done
xdotool search --onlyvisible --name '^VEXOR.TALLYFORGE$' >/dev/null && { kill $pid; fail "EXIT did not close the info dialog"; }
sleep 0.5

# END: control 1 at 248, 258, 62 x 40 dialog units.
xdotool mousemove $((wx + 418)) $((wy + 417)) click 1
ended "END"
[ $status -eq 0 ] || fail "END: exit status $status"
echo PASS
