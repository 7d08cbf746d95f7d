#!/bin/bash
# Installs what is missing, builds, and starts 吉星通书 with its data files.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
tools/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target tongshu tongshu_data
app=build/default/bin/tongshu
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found; starting the program in a virtual X server (xvfb-run)." >&2
  exec xvfb-run -a "$app"
fi
exec "$app"
