# Sourced by the window scripts. wait_window NAME SECONDS: the id of the first visible window
# whose name matches NAME, polled every 0.1 s; empty when none appeared within SECONDS.
wait_window() {
  local id="" _
  for _ in $(seq $(($2 * 10))); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
    [ -n "$id" ] && break
    sleep 0.1
  done
  echo "$id"
}
