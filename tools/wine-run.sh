#!/usr/bin/env bash
# Runs a Windows program under Wine, in the project's own Wine prefix (build/wine unless
# WINEPREFIX says otherwise), quietly and without the Mono and Gecko installers' dialogs.
# The program's exit status is passed on. CMake's cross-compiling emulator in the windows preset.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$root/build/wine}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  # Tests start in parallel; only one of them may create the prefix.
  mkdir -p "$(dirname "$WINEPREFIX")"
  flock "$WINEPREFIX.lock" sh -c '[ -f "$WINEPREFIX/system.reg" ] || { wineboot -i && wineserver -w; }'
fi
exec wine "$@"
