#!/bin/bash
# Installs what is missing, builds, and runs the whole test suite: every test
# under the address and undefined-behaviour sanitizers, then the Windows leg.
# Of the normal build only its plain jetwrite is built first: the sanitizer
# build writes its databases with it in a second instead of half a minute.
# The optimised engines (-O2, NDEBUG) run their suites in the Windows leg.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
tools/install-deps.sh
export QT_QPA_PLATFORM=offscreen
jobs="$(nproc)"
mark=$SECONDS
took() {
  echo "== $1 took $((SECONDS - mark)) s =="
  mark=$SECONDS
}
cmake --preset default >/dev/null
cmake --build --preset default -j "$jobs" --target jetwrite_cli
took "the plain writer"
cmake --preset asan >/dev/null
cmake --build --preset asan -j "$jobs"
took "the sanitizer build"
ctest --preset asan -j "$jobs"
took "the sanitizer tests"
# tongshu-cli.exe is compared with the command line just tested.
TONGSHU_LINUX_CLI="$PWD/build/asan/bin/tongshu-cli" tools/test-windows.sh
