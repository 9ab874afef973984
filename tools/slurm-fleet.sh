#!/usr/bin/env bash
# Runs tallyforge-cli on many machines through Slurm and reports on them all:
#
#   tools/slurm-fleet.sh [--wait] DIR COUNT [runner arguments...]
#
# An array job of COUNT tasks, each with a node to itself (--exclusive), runs
# `tallyforge-cli --json` in a scratch folder on its node and writes its document to
# DIR/<host>-task<N>.json; a job that waits for all of them (afterok) then writes
# DIR/report.html with `tallyforge-cli report`. DIR must be on a file system every node sees;
# the runner must be installed on every node (TALLYFORGE_CLI names another path). Reference.txt is
# taken from the current folder (TALLYFORGE_REFERENCE names another) and copied to DIR. Runner
# arguments go to every task (e.g. `B1 B2`, `--repeat 3`, `--jobs 0`; the stress run when none).
# sbatch's own variables choose the partition, account and time limit (SBATCH_PARTITION, ...).
# --wait returns when the report is written, with its status. Each job's log: DIR/slurm-*.out.
set -uo pipefail
cli=${TALLYFORGE_CLI:-tallyforge-cli}
die() { echo "slurm-fleet.sh: $*" >&2; exit 2; }

case "${1:-}" in
--task)  # one array task, on its node
  dir=$2; shift 2
  host=$(hostname -s)
  doc="$dir/$host-task${SLURM_ARRAY_TASK_ID:?not an array task}.json"
  scratch=$(mktemp -d "${TMPDIR:-/tmp}/tallyforge-fleet.XXXXXX") || exit 1
  trap 'rm -rf "$scratch"' EXIT
  cp "$dir/Reference.txt" "$scratch/" || exit 1
  echo "task $SLURM_ARRAY_TASK_ID on $host: started $(date +%s.%N)"
  "$cli" -C "$scratch" --json "$doc" "$@"
  status=$?
  echo "task $SLURM_ARRAY_TASK_ID on $host: ended $(date +%s.%N), exit status $status"
  exit $status ;;
--report)  # after every task
  dir=$2
  exec "$cli" report "$dir"/*-task*.json -o "$dir/report.html" ;;
esac

wait=()
[ "${1:-}" = --wait ] && { wait=(--wait); shift; }
[ $# -ge 2 ] || die "usage: tools/slurm-fleet.sh [--wait] DIR COUNT [runner arguments...]"
dir=$1 count=$2; shift 2
[[ "$count" =~ ^[1-9][0-9]{0,5}$ ]] || die "COUNT must be a whole number from 1: $count"
reference=${TALLYFORGE_REFERENCE:-Reference.txt}
[ -f "$reference" ] || die "no $reference here (TALLYFORGE_REFERENCE names it)"
mkdir -p "$dir" || exit 1
dir=$(cd "$dir" && pwd) || exit 1
# Documents of an earlier run would be reported with this one's.
if compgen -G "$dir/*.json" >/dev/null || [ -e "$dir/report.html" ]; then
  die "$dir holds documents or a report already; use an empty folder"
fi
cp "$reference" "$dir/Reference.txt" || exit 1
command -v sbatch >/dev/null || die "sbatch not found (Debian: slurm-client)"

script=$(realpath "$0")
array=$(sbatch --parsable --job-name=tallyforge-fleet --array="1-$count" --nodes=1 --ntasks=1 \
          --exclusive --output="$dir/slurm-%A_%a.out" "$script" --task "$dir" "$@") || exit 1
array=${array%%;*}
echo "array job $array: $count tasks, documents in $dir"
report=$(sbatch --parsable "${wait[@]}" --job-name=tallyforge-report --dependency="afterok:$array" \
           --kill-on-invalid-dep=yes --nodes=1 --ntasks=1 --output="$dir/slurm-%j-report.out" \
           "$script" --report "$dir")
status=$?
echo "report job ${report%%;*}: $dir/report.html once every task has succeeded"
[ ${#wait[@]} -eq 0 ] && exit $status
# sbatch --wait reports a report job cancelled for a failed task as a success.
failed=$(grep -L "exit status 0$" "$dir"/slurm-"$array"_*.out 2>/dev/null)
[ -z "$failed" ] || { echo "slurm-fleet.sh: tasks failed, no report; see"$'\n'"$failed" >&2; exit 1; }
[ $status -eq 0 ] && [ -f "$dir/report.html" ] || { echo "slurm-fleet.sh: no report written" >&2; exit 1; }
