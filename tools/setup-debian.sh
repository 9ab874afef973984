#!/usr/bin/env bash
# Installs what Tallyforge needs to build, run and test on Debian 12.
set -euo pipefail
packages=(build-essential cmake git libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev
          nlohmann-json3-dev libssl-dev libwxgtk3.2-dev libgtk-3-dev libgl1-mesa-dev libglu1-mesa-dev libgl1-mesa-dri
          xvfb xauth xdotool imagemagick x11-utils help2man strace)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
run() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
run apt-get update -qq
run env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
