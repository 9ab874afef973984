#!/usr/bin/env bash
# Installs what Tallyforge needs to build, run and test on Debian 12: every test of the default
# run included (chromium for the report page's check in a headless browser).
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/need.sh
need build-essential cmake git libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev \
     nlohmann-json3-dev libssl-dev libwxgtk3.2-dev libgtk-3-dev libgl1-mesa-dev libglu1-mesa-dev \
     libgl1-mesa-dri xvfb xauth xdotool imagemagick x11-utils help2man chromium strace
