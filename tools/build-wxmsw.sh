#!/usr/bin/env bash
# Builds wxWidgets for Windows (wxMSW, static) from Debian's own wxwidgets3.2 source package with
# the MinGW-w64 cross compiler (posix thread model), keeping only what Tallyforge uses: base,
# core and gl. The result is installed under build/wxmsw-<version> (or the folder given as the
# first argument) and reused by later runs, so it is built once per machine.
#
#   tools/build-wxmsw.sh [PREFIX]      prints the installed wx-config's path on its last line
#
# Needs root (or sudo) only the first time, to add a deb-src entry and install the cross tools.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
host=x86_64-w64-mingw32
step="start"
trap 'echo "build-wxmsw.sh: FAILED while: $step" >&2' ERR

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

finished() {  # a complete install: its wx-config and the stamp written last
  [ -x "$1/bin/wx-config" ] && [ -f "$1/.tallyforge-complete" ]
}
if [ $# -eq 0 ]; then
  for done in $(ls -d "$root"/build/wxmsw-3.2.* 2>/dev/null | sort -V -r); do
    if finished "$done"; then
      echo "wxMSW is installed already in $done"
      echo "$done/bin/wx-config"
      exit 0
    fi
  done
fi

step="installing the cross tools"
packages=(g++-mingw-w64-x86-64-posix libz-mingw-w64-dev dpkg-dev xz-utils make)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
fi

step="finding the source package (deb-src)"
if ! apt-cache showsrc wxwidgets3.2 2>/dev/null | grep -q '^Version:'; then
  # Debian's own archive, source side only; nothing else is added.
  as_root tee /etc/apt/sources.list.d/tallyforge-deb-src.sources >/dev/null <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  as_root apt-get update -qq
fi
debversion=$(apt-cache showsrc wxwidgets3.2 | sed -n 's/^Version: //p' | sort -V | tail -1)
[ -n "$debversion" ] || { echo "build-wxmsw.sh: no source of wxwidgets3.2 in apt" >&2; exit 1; }
upstream=${debversion%%+*}      # 3.2.2+dfsg-2 -> 3.2.2
upstream=${upstream%%-*}

prefix=${1:-$root/build/wxmsw-$upstream}
case "$prefix" in /*) ;; *) prefix="$root/$prefix" ;; esac
if finished "$prefix"; then
  echo "wxMSW $upstream is installed already in $prefix"
  echo "$prefix/bin/wx-config"
  exit 0
fi

step="preparing $prefix"
mkdir -p "$(dirname "$prefix")"
[ -w "$(dirname "$prefix")" ] || { echo "build-wxmsw.sh: cannot write in $(dirname "$prefix")" >&2; exit 1; }

work="$root/build/wxmsw-src"
step="downloading wxwidgets3.2 $debversion (apt-get source)"
rm -rf "$work"
mkdir -p "$work"
(cd "$work" && apt-get source -qq "wxwidgets3.2=$debversion" >/dev/null)
src=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'wxwidgets3.2-*' | head -1)
[ -n "$src" ] || { echo "build-wxmsw.sh: apt-get source left no source tree" >&2; exit 1; }

step="configuring wxMSW for $host"
mkdir -p "$work/build"
cd "$work/build"
# Debian's tarball has no bundled image or XML libraries, and the program needs none of them:
# every optional library and every GUI part beyond base, core and gl is off.
"$src/configure" --host=$host --build="$(dpkg-architecture -qDEB_BUILD_GNU_TYPE)" \
  CC=$host-gcc-posix CXX=$host-g++-posix \
  --prefix="$prefix" --with-msw --disable-shared --with-opengl --with-zlib=sys \
  --without-libpng --without-libjpeg --without-libtiff --without-expat --without-regex \
  --without-liblzma --without-nanosvg --disable-svg \
  --disable-xrc --disable-html --disable-htmlhelp --disable-webview --disable-mediactrl \
  --disable-richtext --disable-stc --disable-propgrid --disable-ribbon --disable-aui \
  --disable-webrequest --disable-tests >configure.log 2>&1 \
  || { tail -30 configure.log >&2; false; }

step="compiling wxMSW (make -j${JOBS:-2})"
make -j"${JOBS:-2}" >make.log 2>&1 || { tail -40 make.log >&2; false; }

step="installing into $prefix"
stage="$work/stage"
rm -rf "$stage"
make install DESTDIR="$stage" >install.log 2>&1 || { tail -20 install.log >&2; false; }
rm -rf "$prefix"
mv "$stage$prefix" "$prefix"
# Relocatable: a relative link (the toolchain passes --prefix), so a copied tree works too.
ln -sfn "../lib/wx/config/$(basename "$(readlink "$prefix/bin/wx-config")")" "$prefix/bin/wx-config"
echo "$debversion" >"$prefix/.tallyforge-complete"
cd "$root"
rm -rf "$work"
echo "wxMSW $upstream installed in $prefix ($(du -sh "$prefix" | cut -f1))"
echo "$prefix/bin/wx-config"
