#!/bin/bash
# tongshu.exe as a Windows user meets it, under Wine on the X server that
# tests/app/with-window-manager.sh starts (Xvfb and openbox):
#   program-under-wine.sh program WINE_RUN STATE_DIR TONGSHU_EXE RECORDER_EXE LINUX_CLI
#     the caption read from the X server, the almanac opened from its menu by
#     keyboard with 2011-3-5 typed key by key (its result copied to the
#     clipboard and compared with the Linux command line's), the locale
#     settings written to the registry, and the exit command starting
#     IEXPLORE.EXE once;
#   program-under-wine.sh installer WINE_RUN STATE_DIR MSI RECORDER_EXE
#     msiexec /i installs the program, its data files, a Start-menu shortcut
#     and an uninstall entry; the installed program starts; msiexec /x leaves
#     none of them behind.
# WINE_RUN and STATE_DIR are the build's emulator (cmake/wine-run.sh) and its
# prefix. Its server runs without a display: it is ended here, so that the
# programs of this run draw on the X server, and again at the end.
set -u
mode=$1 wine_run=$2 state=$(realpath -m "$3")
shift 3
work=$(mktemp -d)
failed=0
fail() {
  echo "FAIL: $*" >&2
  failed=1
}
finish() {
  wineserver -k 2>/dev/null
  rm -rf "$work"
}
trap finish EXIT

# The prefix, made headless by the build's emulator if it is not there yet.
env -u DISPLAY "$wine_run" "$state" cmd.exe /c exit </dev/null >/dev/null || exit 1
export WINEPREFIX="$state/prefix" WINEDEBUG=-all LOCPATH="$state/locale"
# Wine's Unix side in Chinese (the locale is the prefix's own, which this
# shell cannot load).
wine() { env LC_ALL=zh_CN.UTF-8 LANG=zh_CN.UTF-8 wine "$@"; }
# No Mono or Gecko installer, and no menu entries on the host for the shortcut.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
wineserver -k 2>/dev/null
wineserver -w

windows_path() { echo "Z:${1//\//\\}"; }
reg() { wine reg "$@" </dev/null 2>/dev/null | tr -d '\r' | iconv -f GBK -t UTF-8; }

# The visible top-level window whose caption is exactly $1, by its X id.
wait_for_window() {
  local id
  for _ in $(seq 600); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

caption_of() { xprop -id "$1" _NET_WM_NAME | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p'; }

# The stand-in for the browser (tests/windows/LinkRecorder.cpp) where the
# shell finds IEXPLORE.EXE; it writes each start to $links.
links="$work/links.log"
register_browser() {
  reg add 'HKLM\Software\Microsoft\Windows\CurrentVersion\App Paths\IEXPLORE.EXE' /ve /d "$(windows_path "$1")" /f >/dev/null
  # Wine has an iexplore.exe of its own that would take the name first.
  reg add 'HKCU\Software\Wine\DllOverrides' /v iexplore.exe /d native /f >/dev/null
  export TONGSHU_LINK_LOG="$(windows_path "$links")"
}

# Waits for the program started as $1 (a process id) to end; its status in
# $status.
wait_for_exit() {
  for _ in $(seq 300); do
    kill -0 "$1" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$1" 2>/dev/null; then
    status=timeout
  else
    wait "$1"
    status=$?
  fi
}

program() {
  local exe=$1 recorder=$2 linux_cli=$3
  register_browser "$recorder"
  # Settings the start-up's locale step must change (a fresh Chinese Windows').
  local intl='HKCU\Control Panel\International'
  reg add "$intl" /v sLongDate /d "yyyy'年'M'月'd'日'dddd" /f >/dev/null
  reg add "$intl" /v sShortDate /d 'yyyy/M/d' /f >/dev/null
  reg add "$intl" /v sTimeFormat /d 'HH:mm:ss' /f >/dev/null
  reg add "$intl" /v sDate /d '/' /f >/dev/null
  reg add "$intl" /v sTime /d '.' /f >/dev/null

  wine "$exe" </dev/null >"$work/program.log" 2>&1 &
  local pid=$!
  local main
  main=$(wait_for_window 吉星通书) || { fail "no window captioned 吉星通书 appeared"; return; }
  [ "$(caption_of "$main")" = 吉星通书 ] || fail "the main window's caption on the X server is \"$(caption_of "$main")\""

  local name value
  while IFS='|' read -r name value; do
    reg query "$intl" /v "$name" | grep -qxF "    $name    REG_SZ    $value" ||
      fail "$name is not $value after the start: $(reg query "$intl" /v "$name" | grep REG_SZ)"
  done <<'EOF'
sLongDate|yyyy'年'M'月'd'日'
sShortDate|yyyy-MM-dd
sTimeFormat|H:mm:ss
sDate|-
sTime|:
EOF

  # 吉日(&D), then its first item, 黄道吉日.
  xdotool windowactivate --sync "$main"
  xdotool key --clearmodifiers alt+d
  sleep 0.5
  xdotool key Return
  local almanac
  almanac=$(wait_for_window 黄道吉日) || { fail "the almanac did not open from its menu"; return; }
  xdotool windowactivate --sync "$almanac"
  xdotool type --delay 60 2011
  xdotool key Tab
  xdotool type --delay 60 3
  xdotool key Tab
  xdotool type --delay 60 5
  # To 测算 and press it; then to the result box, all of it to the clipboard.
  xdotool key Tab space
  sleep 0.5
  xdotool key Tab Tab ctrl+a ctrl+c
  "$linux_cli" almanac 2011-3-5 | tail -n +2 >"$work/expected.txt"
  local shown=
  for _ in $(seq 50); do
    shown=$(xclip -o -selection clipboard 2>/dev/null | tr -d '\r')
    [ -n "$shown" ] && break
    sleep 0.1
  done
  [ "$shown" = "$(cat "$work/expected.txt")" ] ||
    fail "the almanac's result for 2011-3-5 differs from tongshu-cli's: $(diff <(echo "$shown") "$work/expected.txt")"

  # 系统(&S), 退出系统: the program ends and the browser starts once.
  xdotool windowactivate --sync "$main"
  xdotool key --clearmodifiers alt+s
  sleep 0.5
  xdotool key Return
  wait_for_exit "$pid"
  [ "$status" = 0 ] || fail "the program's exit status after 退出系统 is $status"
  for _ in $(seq 100); do
    [ -s "$links" ] && break
    sleep 0.1
  done
  sleep 1  # time for a second start, if there were one
  [ "$(cat "$links" 2>/dev/null)" = "https://www.example.com/" ] ||
    fail "the browser's starts were not the home page once: $(cat "$links" 2>/dev/null)"
}

installer() {
  local msi=$1 recorder=$2
  local folder="$WINEPREFIX/drive_c/Program Files/吉星通书"
  local uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
  entry() { reg query "$uninstall" /s | grep -c "DisplayName    REG_SZ    吉星通书$"; }
  shortcuts() { find "$WINEPREFIX/drive_c" -name '吉星通书.lnk' | wc -l; }
  register_browser "$recorder"

  wine msiexec /i "$(windows_path "$(realpath "$msi")")" /qn </dev/null >"$work/install.log" 2>&1 ||
    fail "msiexec /i failed: $(cat "$work/install.log")"
  local file
  for file in tongshu.exe KorBirth.dll dream.dll KorFile.dll; do
    [ -f "$folder/$file" ] || fail "not installed: Program Files\\吉星通书\\$file"
  done
  [ "$(shortcuts)" = 1 ] || fail "$(shortcuts) Start-menu shortcuts named 吉星通书 after the install"
  [ "$(entry)" = 1 ] || fail "$(entry) uninstall entries named 吉星通书 after the install"

  wine 'C:\Program Files\吉星通书\tongshu.exe' </dev/null >"$work/program.log" 2>&1 &
  local pid=$!
  local main
  if main=$(wait_for_window 吉星通书); then
    wmctrl -i -c "$main"
    wait_for_exit "$pid"
    [ "$status" = 0 ] || fail "the installed program did not end with status 0 when closed"
  else
    fail "the installed program showed no window captioned 吉星通书"
  fi

  wine msiexec /x "$(windows_path "$(realpath "$msi")")" /qn </dev/null >"$work/uninstall.log" 2>&1 ||
    fail "msiexec /x failed: $(cat "$work/uninstall.log")"
  [ -e "$folder" ] && fail "left behind: $(find "$folder")"
  [ "$(shortcuts)" = 0 ] || fail "a Start-menu shortcut is left behind"
  [ "$(entry)" = 0 ] || fail "the uninstall entry is left behind"
}

case $mode in
  program) program "$@" ;;
  installer) installer "$@" ;;
  *) echo "usage: program-under-wine.sh program|installer WINE_RUN STATE_DIR ..." >&2; exit 2 ;;
esac
exit $failed
