#!/bin/bash
# Builds the static Qt for 64-bit Windows that the windows preset links: the
# source of Debian's own qt6-base (the Qt of the Linux build), cross-compiled
# with MinGW-w64 (posix threads) and installed into a cache outside the tree.
# Debian's host Qt (QT_HOST_PATH=/usr) gives the build its moc, rcc and uic.
#
#   tools/build-qt-windows.sh [--print-prefix]
#
# The cache is ${TONGSHU_QT_WINDOWS:-${XDG_CACHE_HOME:-$HOME/.cache}/tongshu/qt-6.4.2-mingw-w64}; it
# holds the version and configure options it was built with, and a second
# run with the same ones does nothing. --print-prefix only prints its path.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
version=6.4.2
prefix="${TONGSHU_QT_WINDOWS:-${XDG_CACHE_HOME:-$HOME/.cache}/tongshu/qt-$version-mingw-w64}"
if [ "${1:-}" = --print-prefix ]; then
  echo "$prefix"
  exit 0
fi

# Only what the program uses: QtCore, QtGui, QtWidgets, QtTest and the windows
# and offscreen platform plugins, with Qt's own copies of the libraries below
# them. Debian's source lacks wintab.h, hence no tablet events; the windows
# plugin of 6.4.2 does not compile without OpenGL, so that stays on.
options=(
  -DBUILD_SHARED_LIBS=OFF
  -DCMAKE_BUILD_TYPE=Release
  -DQT_BUILD_EXAMPLES=OFF
  -DQT_BUILD_TESTS=OFF
  -DQT_BUILD_BENCHMARKS=OFF
  -DFEATURE_sql=OFF
  -DFEATURE_network=OFF
  -DFEATURE_dbus=OFF
  -DFEATURE_printsupport=OFF
  -DFEATURE_concurrent=OFF
  -DFEATURE_xml=OFF
  -DFEATURE_vulkan=OFF
  -DFEATURE_tabletevent=OFF
  -DFEATURE_jpeg=OFF
  -DFEATURE_system_zlib=OFF
  -DFEATURE_system_png=OFF
  -DFEATURE_system_pcre2=OFF
  -DFEATURE_freetype=ON
  -DFEATURE_system_freetype=OFF
  -DFEATURE_harfbuzz=ON
  -DFEATURE_system_harfbuzz=OFF
  -DINPUT_openssl=no
)
key="qt6-base $version x86_64-w64-mingw32-posix ${options[*]}"
if [ -f "$prefix/tongshu-build-key" ] && [ "$(cat "$prefix/tongshu-build-key")" = "$key" ]; then
  echo "Qt $version for Windows is already built in $prefix: nothing to do."
  exit 0
fi

"$here/install-deps.sh"
work="$(mktemp -d "${TMPDIR:-/tmp}/tongshu-qt-windows.XXXXXX")"
trap 'rm -rf "$work"' EXIT
start=$SECONDS

# Debian's source package, through a private apt configuration that adds the
# source entries of this machine's own Debian archive and keeps its lists
# apart from the system's.
mkdir -p "$work/apt/lists/partial" "$work/apt/cache/archives/partial" "$work/apt/parts"
for f in /etc/apt/sources.list.d/*.sources; do
  [ -e "$f" ] || continue
  grep -q 'debian-archive-keyring\|^URIs:.*/debian' "$f" || continue
  sed 's/^Types:.*/Types: deb-src/' "$f" >"$work/apt/parts/$(basename "$f")"
done
if [ -f /etc/apt/sources.list ]; then
  sed -n 's/^deb \(.*\)/deb-src \1/p' /etc/apt/sources.list >"$work/apt/parts/sources.list"
fi
cat >"$work/apt/apt.conf" <<EOF
Dir::Etc::SourceList "/dev/null";
Dir::Etc::SourceParts "$work/apt/parts";
Dir::State::Lists "$work/apt/lists";
Dir::Cache "$work/apt/cache";
APT::Sandbox::User "root";
EOF
export APT_CONFIG="$work/apt/apt.conf"
apt-get update -qq
# Exactly the source of the host Qt the build runs with.
host_version="$(dpkg-query -W -f='${Version}' qt6-base-dev)"
case "$host_version" in
  "$version"+*) ;;
  *) echo "build-qt-windows.sh: the host Qt is $host_version, not $version" >&2; exit 1 ;;
esac
(cd "$work" && apt-get source -qq --download-only "qt6-base=$host_version")
unset APT_CONFIG
# dpkg-source warns about one of Debian's patches touching a file twice.
dpkg-source --no-check -x "$work"/qt6-base_*.dsc "$work/src" >"$work/unpack.log" 2>&1 || {
  cat "$work/unpack.log" >&2
  exit 1
}
echo "== Qt for Windows: source fetched and unpacked in $((SECONDS - start)) s =="

cat >"$work/toolchain.cmake" <<'EOF'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
EOF
rm -rf "$prefix"
cmake -S "$work/src" -B "$work/build" -G Ninja --log-level=WARNING \
  -DCMAKE_TOOLCHAIN_FILE="$work/toolchain.cmake" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_INSTALL_PREFIX="$prefix" "${options[@]}"
echo "== Qt for Windows: configured in $((SECONDS - start)) s =="
cmake --build "$work/build" -j "$(nproc)"
cmake --install "$work/build" >/dev/null
echo "$key" >"$prefix/tongshu-build-key"
echo "== Qt for Windows: built and installed into $prefix in $((SECONDS - start)) s =="
