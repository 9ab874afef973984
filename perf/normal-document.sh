# Sourced by the document perf scripts: sets cli and work (a scratch folder removed at exit) and
# puts a normal result document at $work/normal.json, the one given or a fresh B1 B2 B9 run.
# Arguments: the runner's path [normal.json]
cli=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ $# -ge 2 ]; then
  cp "$2" "$work/normal.json"
else
  echo "making a normal document: B1 B2 B9 --repeat 3 (about 30 s)" >&2
  (cd "$work" && "$cli" B1 B2 B9 --repeat 3 --json normal.json > /dev/null 2>&1)
fi
