#!/usr/bin/env bash
# The Windows packages: the zip holds exactly both programs, Reference.txt, README and LICENSE in
# one folder, and its runner starts from there; the installer, run silently under Wine, puts the
# same files, a Start-menu entry and an uninstaller in place, and the uninstaller takes them away.
# Usage: windows_package_test.sh tallyforge-VERSION-windows-x64.zip setup.exe (source folder: ..)
set -uo pipefail
zip=$1
setup=${2:-}
src="$(cd "$(dirname "$0")/.." && pwd)"
run="$src/tools/wine-run.sh"
fail() { echo "FAIL: $*"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
version=$(basename "$zip" | sed -n 's/^tallyforge-\(.*\)-windows-x64\.zip$/\1/p')
[ -n "$version" ] || fail "zip name $zip"
files="LICENSE.txt README.md Reference.txt tallyforge-cli.exe tallyforge.exe"

# Its names: one folder, the five files, nothing else.
expected=$(printf '%s\n' "tallyforge-$version/" $(printf "tallyforge-$version/%s " $files) | sort)
listed=$(unzip -Z1 "$zip" | sort)
[ "$listed" = "$expected" ] || fail "zip holds:"$'\n'"$listed"
unzip -q "$zip" -d "$work/zip" || fail "unzip"
dir="$work/zip/tallyforge-$version"
# Their contents: the texts as in the source, the programs as Windows GUI and console programs.
cmp -s "$dir/Reference.txt" "$src/Reference.txt" || fail "Reference.txt differs"
cmp -s "$dir/README.md" "$src/README.md" || fail "README.md differs"
cmp -s "$dir/LICENSE.txt" "$src/LICENSE" || fail "LICENSE.txt differs"
file "$dir/tallyforge.exe" | grep -q 'PE32+ executable (GUI) x86-64' || fail "tallyforge.exe: $(file "$dir/tallyforge.exe")"
file "$dir/tallyforge-cli.exe" | grep -q 'PE32+ executable (console) x86-64' || fail "tallyforge-cli.exe: $(file "$dir/tallyforge-cli.exe")"
out=$(cd "$dir" && "$run" ./tallyforge-cli.exe --version 2>&1) || fail "--version from the zip: $out"
grep -q "$version" <<<"$out" || fail "--version from the zip says: $out"
echo "zip: ok"
[ -f "$setup" ] || fail "no installer: $setup"

# The installer into a folder of the test's own (Z: is / under Wine), silently.
target=$(cd "$work" && pwd)/installed
"$run" "$setup" /S "/D=Z:${target//\//\\}" || fail "installer: exit $?"
for f in $files Uninstall.exe; do [ -f "$target/$f" ] || fail "installed: no $f"; done
for f in $files; do cmp -s "$target/$f" "$dir/$f" || fail "installed $f differs from the zip's"; done
prefix="${WINEPREFIX:-$src/build/wine}"
link=$(find "$prefix/drive_c/users" -path '*Start Menu/Programs/Tallyforge.lnk' | head -1)
[ -n "$link" ] || fail "no Start-menu entry"
strings -el "$link" | grep -qi 'tallyforge.exe' || fail "the Start-menu entry does not start tallyforge.exe"
"$run" reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tallyforge' /v DisplayVersion \
  2>/dev/null | grep -q "$version" || fail "no uninstall entry with version $version"

# A run's output file stays with its folder; everything installed goes. _?= runs the
# uninstaller in place, to its end (so it cannot delete itself).
touch "$target/Factors.txt"
"$run" "$target/Uninstall.exe" /S "_?=Z:${target//\//\\}" || fail "uninstaller: exit $?"
for f in $files; do [ ! -e "$target/$f" ] || fail "uninstalled: $f is left"; done
[ -f "$target/Factors.txt" ] || fail "the uninstaller removed a run's output file"
[ ! -e "$link" ] || fail "the Start-menu entry is left"
if "$run" reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tallyforge' >/dev/null 2>&1; then
  fail "the uninstall entry is left"
fi
echo PASS
