#!/bin/sh
# man-page.sh PROGRAM NAME SEE_ALSO OUTPUT.gz
# Writes PROGRAM's manual page, gzipped, from its own --help and --version (help2man), so that
# the page cannot drift from the program. Each subcommand that --help lists under
# "Subcommands:" gets a part of the COMMANDS section holding its own --help.
set -eu
program=$1 name=$2 see_also=$3 output=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Roff needs backslashes, hyphens and a leading dot or quote escaped.
roff() { sed -e 's/\\/\\e/g' -e 's/-/\\-/g' -e "s/^[.']/\\\\\\&&/"; }

subcommands=$("$program" --help | awk '/^Subcommands:$/ { on = 1; next } /^$/ { on = 0 } on { print $1 }')
{
  if [ -n "$subcommands" ]; then
    echo "[COMMANDS]"
    for sub in $subcommands; do
      printf '.SS "%s"\n.nf\n' "$(basename "$program") $sub"
      "$program" "$sub" --help | roff
      printf '.fi\n'
    done
  fi
  printf '[SEE ALSO]\n.BR %s (1)\n' "$see_also"
} >"$work/include"

# The programs answer --help and --version without a display. The page's footer gets the
# version number alone: the rest of --version (commit, compiler, version data) is not for it.
version=$(env -u DISPLAY "$program" --version | awk 'NR == 1 { print $2 }')
env -u DISPLAY help2man --no-info --section=1 --name="$name" --version-string="$version" \
  --include="$work/include" --output="$work/page" "$program"
gzip -9 -n -c "$work/page" >"$work/page.gz"
mv "$work/page.gz" "$output"
