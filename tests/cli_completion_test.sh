#!/usr/bin/env bash
# Bash completion of tallyforge-cli as TAB shows it: every option and command that the program's
# --help (and each command's --help) shows is offered, and an option's value completes to what
# the option takes.
set -uo pipefail
export LC_ALL=C  # the expected candidates below are in C order
cli=$1
failed=0
fail() { echo "FAIL: $*"; failed=1; }
# shellcheck source=/dev/null
source "$2" || { echo "FAIL: cannot source $2"; exit 1; }
complete -p tallyforge-cli >/dev/null || { echo "FAIL: nothing registered for tallyforge-cli"; exit 1; }

# offers WORD...: the candidates for the last word, one a line, sorted.
offers() {
  COMP_WORDS=(tallyforge-cli "$@")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMP_LINE="${COMP_WORDS[*]}"
  COMP_POINT=${#COMP_LINE}
  COMPREPLY=()
  _tallyforge_cli tallyforge-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"
  ((${#COMPREPLY[@]})) && printf '%s\n' "${COMPREPLY[@]}" | sort
}
options_in() { awk '/^  -/ { n = split($1, names, ","); for (i = 1; i <= n; i++) print names[i] }'; }
commands_in() { awk '/^Subcommands:$/ { on = 1; next } /^$/ { on = 0 } on { print $1 }'; }

help=$("$cli" --help) || fail "--help exited $?"
[ -n "$(options_in <<<"$help")" ] || fail "no options found in --help: $help"
for option in $(options_in <<<"$help"); do
  offers - | grep -qx -- "$option" || fail "'tallyforge-cli -' does not offer $option"
done
for command in $(commands_in <<<"$help"); do
  offers "" | grep -qx -- "$command" || fail "'tallyforge-cli ' does not offer $command"
  for option in $("$cli" "$command" --help | options_in); do
    offers "$command" - | grep -qx -- "$option" ||
      fail "'tallyforge-cli $command -' does not offer $option"
  done
done

# The values: words typed so far | the candidates expected (space-separated).
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" && mkdir "a dir" && touch a.json notes.txt
while IFS='|' read -r words expected; do
  eval "set -- $words"
  got=$(offers "$@" | tr '\n' ' ')
  [ "$got" = "$expected" ] || fail "tallyforge-cli $words<TAB>: got '$got', expected '$expected'"
done <<'TABLE'
B|B1 B2 B3 B4 B5 B6 B7 B8 B9 
B1 B3 B|B2 B4 B5 B6 B7 B8 B9 
s|stress 
B1 s|
-C ""|a dir 
--dir a|a dir 
--json ""|- a dir a.json notes.txt 
--json = n|notes.txt 
check ""|a dir a.json 
report a.json ""|a dir a.json 
report a.json -o ""|a dir a.json notes.txt 
--repeat ""|
-C "a dir" B9 B|B1 B2 B3 B4 B5 B6 B7 B8 
TABLE
[ $failed -eq 0 ] && echo PASS
exit $failed
