#!/usr/bin/env bash
# tallyforge-cli.exe under Wine: B1 and B9 write their files in text mode (every line ends in
# CR LF, the same lines as on Linux), verify them, and `check` accepts the document, whose name is
# as long as a name can be; the copies of --jobs end with their parent when it is killed.
# Usage: windows_cli_test.sh tallyforge-cli.exe Reference.txt
set -uo pipefail
cli=$1
here=$(cd "$(dirname "$0")" && pwd)
run="$here/../tools/wine-run.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$2" "$work/Reference.txt"
cd "$work"
fail() { echo "FAIL: $*"; exit 1; }

# The temporary file's name is cut to fit the limit on a name.
document=$(printf 'r%.0s' $(seq 250)).json
"$run" "$cli" B1 B9 --json "$document" >rows.txt 2>progress.txt || fail "exit $? $(cat rows.txt progress.txt)"
[ "$(grep -c '^  verified: ' rows.txt)" = 2 ] || fail "not both verified: $(cat rows.txt)"

# Sizes: B1's 74,521 primes and closing lines; Factors.txt as its 20,001 lines give it.
[ "$(stat -c %s Numbers_0000000000005.txt)" = 1117838 ] || fail "Numbers size $(stat -c %s Numbers_0000000000005.txt)"
[ "$(stat -c %s Factors.txt)" = 683547 ] || fail "Factors.txt size $(stat -c %s Factors.txt)"
for file in Numbers_0000000000005.txt Factors.txt; do
  lines=$(wc -l <"$file")
  crlf=$(grep -c $'\r$' "$file")
  [ "$lines" = "$crlf" ] || fail "$file: $crlf of $lines lines end in CR LF"
done
[ "$(tr -d '\r' <Numbers_0000000000005.txt | head -3 | tr '\n' ' ')" = "0000000000002 0000000000003 0000000000005 " ] ||
  fail "Numbers starts $(head -3 Numbers_0000000000005.txt | od -c | head -2)"
[ "$(tail -1 Numbers_0000000000005.txt)" = $'Prime Found : 74521\r' ] || fail "closing line"
[ "$(head -1 Factors.txt)" = $'1000000000 =   2  2  2  2  2  2  2  2  2  5  5  5  5  5  5  5  5  5\r' ] ||
  fail "first factors line $(head -1 Factors.txt | od -c | head)"
[ "$(grep -c ' Prime'$'\r''$' Factors.txt)" = 958 ] || fail "prime lines"

# check accepts the document: the files' checksums are the expected CR LF answers.
"$run" "$cli" check "$document" >check.txt 2>&1 || fail "check: exit $? $(cat check.txt)"
[ "$(grep -c 'matches the expected answer' check.txt)" = 2 ] || fail "check: $(cat check.txt)"

# The parent killed outright (no handler runs): its job object ends the copies at once, long
# before B5 would have.
tag="jobs-$$.json"
"$run" "$cli" --jobs 2..2 B5 --json "$tag" >jobs.out 2>jobs.err &
parent=$!
for _ in $(seq 600); do grep -q 'running 2 copies' jobs.err && break; sleep 0.1; done
sleep 1
copies=$(pgrep -f -- "$tag --jobs-copy=" | tr '\n' ' ')
[ -n "$copies" ] || fail "no copies running: $(cat jobs.err)"
kill -KILL "$parent"
for _ in $(seq 30); do alive=$(for c in $copies; do [ -e "/proc/$c" ] && echo "$c"; done); [ -z "$alive" ] && break; sleep 0.1; done
[ -z "$alive" ] || fail "copies $alive outlived their parent"
echo PASS
