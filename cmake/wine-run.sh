#!/bin/sh
# The cross build's emulator: runs a Windows program under Wine in the build
# tree's own prefix.  Usage: wine-run.sh STATE_DIR PROGRAM.exe [ARGS...]
#
# STATE_DIR holds the prefix and a zh_CN.UTF-8 locale for Wine's Unix side,
# so the prefix is a Simplified Chinese Windows (code page 936) whatever the
# machine's own locale is. The first call makes both, under a lock, and checks
# that Wine runs a program; if it cannot, every call fails with exit status
# 125 and says why, so no test and no build step can pass without Wine.
#
# Wine's background processes are started detached from the caller: started
# by a test, they would inherit its output pipes and ctest would wait for
# them after every test.
set -u
state=$(realpath -m "$1")
shift

export WINEPREFIX="$state/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LOCPATH="$state/locale"
export LC_ALL=zh_CN.UTF-8
export LANG=zh_CN.UTF-8
unset DISPLAY WAYLAND_DISPLAY

fail() {
  echo "wine-run: $*" >&2
  [ -f "$state/setup.log" ] && tail -n 20 "$state/setup.log" >&2
  exit 125
}

command -v wine >/dev/null 2>&1 || fail "wine is not installed (Debian packages wine and wine64)"
command -v wineserver >/dev/null 2>&1 || fail "wineserver is not installed (Debian package wine)"
mkdir -p "$state" || fail "cannot create $state"

exec 9>"$state/lock" || fail "cannot lock $state"
flock 9 || fail "cannot lock $state"

# Children must not inherit the lock (fd 9): Wine's servers outlive them.
if [ ! -f "$state/ready" ]; then
  : >"$state/setup.log"
  if [ ! -f "$LOCPATH/zh_CN.UTF-8/LC_CTYPE" ]; then
    mkdir -p "$LOCPATH"
    # localedef warns (and exits 1) about harmless details of the source.
    localedef -i zh_CN -f UTF-8 "$LOCPATH/zh_CN.UTF-8" >>"$state/setup.log" 2>&1
    [ -f "$LOCPATH/zh_CN.UTF-8/LC_CTYPE" ] ||
      fail "cannot make the zh_CN.UTF-8 locale (Debian package locales)"
  fi
  rm -rf "$WINEPREFIX"
  wineboot -i </dev/null >>"$state/setup.log" 2>&1 9>&- || fail "wineboot -i failed in $WINEPREFIX"
  rm -f "$state/probe.out"
  wine cmd.exe /c echo tongshu-wine-ok </dev/null >"$state/probe.out" 2>>"$state/setup.log" 9>&-
  probe=$(tr -d '\r' <"$state/probe.out")
  [ "$probe" = tongshu-wine-ok ] || fail "Wine cannot run a program in $WINEPREFIX (got: $probe)"
  touch "$state/ready"
fi

# A new server (exit status 0; 2 when one is running already) gets its
# background processes from a program run with no pipes of ours.
if wineserver -p 30 </dev/null >/dev/null 2>&1 9>&-; then
  wine cmd.exe /c exit </dev/null >/dev/null 2>&1 9>&- || fail "Wine cannot start in $WINEPREFIX"
fi
exec 9>&-

exec wine "$@"
