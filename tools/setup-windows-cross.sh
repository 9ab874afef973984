#!/usr/bin/env bash
# Installs what the Windows build and its tests under Wine need on Debian 12: what the Linux
# build needs (tools/setup-debian.sh: CMake, the header-only libraries, Xvfb, xdotool), the
# MinGW-w64 cross compiler, GoogleTest's sources, Wine, NSIS and the tools the package test
# uses; then builds wxMSW once per machine (tools/build-wxmsw.sh, a few minutes to half an hour).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup-debian.sh
. tools/need.sh
need g++-mingw-w64-x86-64-posix libz-mingw-w64-dev googletest wine wine64 nsis unzip file
tools/build-wxmsw.sh
