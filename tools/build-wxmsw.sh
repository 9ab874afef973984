#!/usr/bin/env bash
# Builds wxWidgets for Windows (wxMSW, static) from Debian's own wxwidgets3.2 source package with
# the MinGW-w64 cross compiler (posix thread model), keeping only what Tallyforge uses: base,
# core and gl. It is built once per machine, outside every checkout, in
#
#   ${XDG_CACHE_HOME:-~/.cache}/tallyforge/wxmsw-<source package version>-<this script's hash>/
#
# so that a new source package or a change to this script builds afresh, while the build before
# stays where it is (the toolchain file falls back to it) until the new one is complete.
# cmake/toolchain-mingw-w64.cmake finds the build by the same key.
#
#   tools/build-wxmsw.sh      builds when needed; prints the installed wx-config's path last
#
# Needs root (or sudo) only when packages are missing or a deb-src entry has to be added.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
host=x86_64-w64-mingw32
step="start"
trap 'echo "build-wxmsw.sh: FAILED while: $step" >&2' ERR
. tools/need.sh

step="installing the cross tools"
need g++-mingw-w64-x86-64-posix libz-mingw-w64-dev dpkg-dev xz-utils make ccache

step="finding the source package (deb-src)"
if ! apt-cache showsrc wxwidgets3.2 2>/dev/null | grep -q '^Version:'; then
  # Debian's own archive, source side only; nothing else is added.
  as_root tee /etc/apt/sources.list.d/tallyforge-deb-src.sources >/dev/null <<'SOURCES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
  as_root apt-get update -qq
fi
debversion=$(apt-cache showsrc wxwidgets3.2 | sed -n 's/^Version: //p' | sort -V | tail -1)
[ -n "$debversion" ] || { echo "build-wxmsw.sh: no source of wxwidgets3.2 in apt" >&2; exit 1; }

cache="${XDG_CACHE_HOME:-$HOME/.cache}/tallyforge"
key="${debversion//:/_}-$(sha256sum "$root/tools/build-wxmsw.sh" | cut -c1-12)"
prefix="$cache/wxmsw-$key"
finished() { [ -x "$prefix/bin/wx-config" ] && [ -f "$prefix/.tallyforge-complete" ]; }
if finished; then
  echo "wxMSW $debversion is built already in $prefix"
  echo "$prefix/bin/wx-config"
  exit 0
fi

step="waiting for another build of wxMSW on this machine"
mkdir -p "$cache"
exec 9>"$cache/wxmsw.lock"
flock -n 9 || { echo "Another build of wxMSW is running; waiting for it" >&2; flock 9; }
if finished; then
  echo "wxMSW $debversion was built meanwhile in $prefix"
  echo "$prefix/bin/wx-config"
  exit 0
fi

# One fixed place for the sources, the objects and the install prefix that configure sees, so
# that a rebuild under a new key compiles the same commands and ccache answers most of them.
work="$cache/wxmsw-work"
built_prefix=/tallyforge-wxmsw
step="downloading wxwidgets3.2 $debversion (apt-get source)"
rm -rf "$work"
mkdir -p "$work"
(cd "$work" && apt-get source -qq "wxwidgets3.2=$debversion" >source.log 2>&1) \
  || { tail -20 "$work/source.log" >&2; false; }
src=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'wxwidgets3.2-*' | head -1)
[ -n "$src" ] || { echo "build-wxmsw.sh: apt-get source left no source tree" >&2; exit 1; }

step="configuring wxMSW for $host"
mkdir -p "$work/build"
cd "$work/build"
# Debian's tarball has no bundled image or XML libraries, and the program needs none of them:
# every optional library, the network classes and every GUI part beyond base, core and gl are
# off, which also keeps the build short.
"$src/configure" --host=$host --build="$(dpkg-architecture -qDEB_BUILD_GNU_TYPE)" \
  CC="ccache $host-gcc-posix" CXX="ccache $host-g++-posix" \
  --prefix="$built_prefix" --with-msw --disable-shared --with-opengl --with-zlib=sys \
  --without-libpng --without-libjpeg --without-libtiff --without-expat --without-regex \
  --without-liblzma --without-nanosvg --disable-svg \
  --disable-xrc --disable-html --disable-htmlhelp --disable-webview --disable-mediactrl \
  --disable-richtext --disable-stc --disable-propgrid --disable-ribbon --disable-aui \
  --disable-webrequest --disable-sockets --disable-ipc --disable-protocols --disable-url \
  --disable-fs_inet --disable-grid --disable-dataviewctrl --disable-treelist --disable-docview \
  --disable-mdi --disable-printarch --disable-debugreport --disable-joystick --disable-sound \
  --disable-tests >configure.log 2>&1 \
  || { tail -30 configure.log >&2; false; }

step="compiling wxMSW (make -j${JOBS:-2})"
make -j"${JOBS:-2}" >make.log 2>&1 || { tail -40 make.log >&2; false; }

step="installing into $prefix"
stage="$work/stage"
make install DESTDIR="$stage" >install.log 2>&1 || { tail -20 install.log >&2; false; }
# The texts that name the install prefix (wx-config) are given the real one; wx-config is a
# relative link, so that a copied tree works with --prefix too.
replacement=$(printf '%s' "$prefix" | sed 's/[|&\\]/\\&/g')
grep -rlI --null "$built_prefix" "$stage$built_prefix" | xargs -0 -r sed -i "s|$built_prefix|$replacement|g"
ln -sfn "../lib/wx/config/$(basename "$(readlink "$stage$built_prefix/bin/wx-config")")" \
  "$stage$built_prefix/bin/wx-config"
echo "$debversion" >"$stage$built_prefix/.tallyforge-complete"
# Into place in one rename: a folder of that name is always a complete build.
rm -rf "$prefix"
mv "$stage$built_prefix" "$prefix"
cd "$root"
rm -rf "$work"
echo "wxMSW $debversion built in $prefix ($(du -sh "$prefix" | cut -f1))"
echo "$prefix/bin/wx-config"
