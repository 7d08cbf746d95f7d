#!/bin/bash
# Installs what is missing, builds, and runs the whole test suite: first the
# normal build, then the same suite under the address and undefined-behaviour
# sanitizers. The sanitizer build is configured after the normal one is built,
# so that it finds that build's jetwrite to write its databases with.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
tools/install-deps.sh
export QT_QPA_PLATFORM=offscreen
jobs="$(nproc)"
for preset in default asan; do
  echo "== $preset =="
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset" -j "$jobs"
done
tools/test-windows.sh
