#!/usr/bin/env bash
# The fleet on Slurm: a one-node cluster started here (tests/slurm_cluster.sh, torn down on any
# exit) runs tools/slurm-fleet.sh with four array tasks of `B1 B2`. Checked: four documents named
# by host and task, each with B1 and B2 and passing `check`; the tasks one after another, as
# --exclusive gives each the node to itself; one report naming all four.
# Usage: slurm_fleet_test.sh tallyforge-cli   (as root: it starts munged, slurmctld and slurmd)
set -uo pipefail
cli=$(realpath "$1")
src=$(cd "$(dirname "$0")/.." && pwd)
fail() { echo "FAIL: $*"; exit 1; }
[ "$(id -u)" -eq 0 ] || fail "needs root, to start munged, slurmctld and slurmd"
for tool in munged mungekey slurmctld slurmd sbatch sinfo; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (Debian: slurm-wlm, munge)"
done
work=$(mktemp -d)
. "$src/tests/slurm_cluster.sh"
trap 'slurm_stop; rm -rf "$work"' EXIT
slurm_start "$work/cluster" || fail "the one-node cluster did not start"

fleet=$work/fleet
(cd "$src" && TALLYFORGE_CLI=$cli tools/slurm-fleet.sh --wait "$fleet" 4 B1 B2) || {
  tail -n 20 "$fleet"/slurm-*.out; fail "slurm-fleet.sh exited with status $?"
}
host=$(hostname -s)
docs=$(cd "$fleet" && ls -- *.json)
[ "$docs" = "$(printf '%s\n' "$host"-task{1..4}.json)" ] || fail "the documents are:"$'\n'"$docs"
for doc in $docs; do
  "$cli" check "$fleet/$doc" >/dev/null || fail "check $doc: status $?"
  for b in B1 B2; do
    grep -q "\"benchmark\": *\"$b\"" "$fleet/$doc" || fail "$doc has no $b"
  done
done

# Each task logs when it started and ended: with the node to itself, none overlaps another.
sed -n 's/^task \([0-9]*\) on .*: started \([0-9.]*\)$/\2 start \1/p;
        s/^task \([0-9]*\) on .*: ended \([0-9.]*\), .*$/\2 end \1/p' "$fleet"/slurm-*_*.out |
  sort -n >"$work/times"
[ "$(wc -l <"$work/times")" -eq 8 ] || fail "task logs:"$'\n'"$(cat "$work/times")"
running=$(awk '$2 == "start" { n++; if (n > most) most = n } $2 == "end" { n-- } END { print most }' "$work/times")
[ "$running" -eq 1 ] || fail "$running tasks ran at once on the node:"$'\n'"$(cat "$work/times")"

reports=$(cd "$fleet" && ls -- *.html)
[ "$reports" = report.html ] || fail "reports: $reports"
for doc in $docs; do
  grep -q "${doc%.json}" "$fleet/report.html" || fail "the report does not name $doc"
done
echo "PASS: four documents from four exclusive array tasks, one report"
