#!/bin/bash
# Runs a command on a fresh virtual X server under a real window manager
# (Xvfb and openbox), the way a user's desktop frames, places and maximises
# windows. A missing tool is a failure, never a skipped test.
#   with-window-manager.sh COMMAND [ARGUMENTS...]
set -u
missing=()
for tool in Xvfb openbox wmctrl xdotool xprop xwininfo dbus-run-session; do
  command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "with-window-manager: missing ${missing[*]} (Debian packages xvfb openbox wmctrl xdotool x11-utils dbus-daemon)" >&2
  exit 1
fi

work="$(mktemp -d)"
xvfb=
wm=
cleanup() {
  [ -n "$wm" ] && kill "$wm" 2>/dev/null && wait "$wm" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# A home of its own: the program writes its locale stand-in file there, and
# openbox its session files.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_CACHE_HOME="$work/home/.cache"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"
mkdir -m 0700 "$XDG_RUNTIME_DIR"

stop_desktop() {
  [ -n "$wm" ] && kill "$wm" 2>/dev/null && wait "$wm" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  wm= xvfb=
}

# Starts Xvfb and openbox; false, with their logs on stderr, when either
# does not come up. The server picks a free display itself and writes its
# number, so runs in parallel never share one.
start_desktop() {
  rm -f "$work/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb=$!
  for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.05; done
  if ! [ -s "$work/display" ]; then
    echo "with-window-manager: Xvfb did not start" >&2
    cat "$work/xvfb.log" >&2
    return 1
  fi
  export DISPLAY=":$(head -n1 "$work/display")"
  openbox --sm-disable >"$work/openbox.log" 2>&1 &
  wm=$!
  for _ in $(seq 200); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    sleep 0.05
  done
  echo "with-window-manager: openbox did not start on $DISPLAY" >&2
  cat "$work/openbox.log" "$work/xvfb.log" >&2
  return 1
}

# Under a heavily loaded machine the pair has once failed to come up (openbox
# could not open the new display); that says nothing of the program under
# test, so the start is tried again, and a third failure fails the test.
started=false
for attempt in 1 2 3; do
  if start_desktop; then
    started=true
    break
  fi
  stop_desktop
  echo "with-window-manager: start $attempt of 3 failed" >&2
  sleep 1
done
$started || exit 1

# Qt's X11 plugin reads the keyboard map through libxkbcommon-x11, which hands
# strndup names that are not NUL-terminated; the sanitizers' strict string
# checks report that as an overflow inside the library, so they are off here.
if [ -n "${ASAN_OPTIONS:-}" ]; then
  export ASAN_OPTIONS="$ASAN_OPTIONS:strict_string_checks=0"
fi

# A desktop session has a message bus, and Qt's X11 plugin looks for it at
# start. Without one, libdbus leaks a read buffer of the failed attempt,
# which the leak check of the sanitizer run reports.
QT_QPA_PLATFORM=xcb dbus-run-session -- "$@"
