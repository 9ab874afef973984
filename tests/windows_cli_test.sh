#!/usr/bin/env bash
# tallyforge-cli.exe under Wine: B1 and B9 write their files in text mode (every line ends in
# CR LF, the same lines as on Linux), verify them, and `check` accepts the document.
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

"$run" "$cli" B1 B9 --json result.json >rows.txt 2>progress.txt || fail "exit $? $(cat rows.txt progress.txt)"
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
"$run" "$cli" check result.json >check.txt 2>&1 || fail "check: exit $? $(cat check.txt)"
[ "$(grep -c 'matches the expected answer' check.txt)" = 2 ] || fail "check: $(cat check.txt)"
echo PASS
