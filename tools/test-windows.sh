#!/bin/bash
# The Windows leg: the MinGW-w64 cross build (preset "windows") and its tests
# under Wine, in a Wine prefix inside build/windows. The command-line tests
# compare tongshu-cli.exe with the Linux build's tongshu-cli, byte for byte:
# that is build/default/bin/tongshu-cli, built here if needed, or the one
# named by TONGSHU_LINUX_CLI (its data files beside it).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
jobs="$(nproc)"
# Wine's servers for the build's prefix outlive the tests (a persistent
# server, and services the shell starts): end them, whatever the outcome.
stop_wine() {
  if [ -d build/windows/wine/prefix ]; then
    WINEPREFIX="$PWD/build/windows/wine/prefix" wineserver -k 2>/dev/null || true
  fi
}
trap stop_wine EXIT
start=$SECONDS
mark=$SECONDS
phase() {
  echo "== windows: $1 took $((SECONDS - mark)) s =="
  mark=$SECONDS
}

linux_cli="${TONGSHU_LINUX_CLI:-}"
if [ -z "$linux_cli" ]; then
  [ -f build/default/CMakeCache.txt ] || cmake --preset default >/dev/null
  cmake --build --preset default -j "$jobs" --target tongshu-cli tongshu_data tongshu_render_artwork
  linux_cli="$PWD/build/default/bin/tongshu-cli"
  phase "the Linux tongshu-cli"
fi

# The static Qt for Windows, when it has been built (tools/build-qt-windows.sh).
qt_windows="$(tools/build-qt-windows.sh --print-prefix)"
if [ -f "$qt_windows/tongshu-build-key" ]; then
  # The windows' pictures come from the Linux build's render tool.
  render="$(dirname "$(realpath "$linux_cli")")/../tools-bin/tongshu_render_artwork"
  qt_option=(-DTONGSHU_QT_WINDOWS="$qt_windows" -DTONGSHU_BUILD_UI=ON -DTONGSHU_RENDER_ARTWORK="$(realpath -m "$render")")
  targets=(all msi)
else
  qt_option=(-DTONGSHU_QT_WINDOWS= -DTONGSHU_BUILD_UI=OFF)
  targets=(all)
  echo "== windows: no Qt for Windows in $qt_windows; tools/build-qt-windows.sh builds it (about 45 min) =="
fi
cmake --preset windows -DTONGSHU_LINUX_CLI="$(realpath "$linux_cli")" "${qt_option[@]}" >/dev/null
phase "configure"
cmake --build --preset windows -j "$jobs" --target "${targets[@]}"
phase "build (with the data files written under Wine)"
ctest --preset windows -j "$jobs"
phase "tests under Wine"
echo "== windows: $((SECONDS - start)) s in all =="
