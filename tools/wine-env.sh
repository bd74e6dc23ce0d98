# Sourced by the scripts that run Windows executables: a private wine prefix in the build tree,
# quiet, without the .NET and HTML components.
top=${top:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX="$top/build/wineprefix"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export PATH="$PATH:/usr/lib/wine"

# Creates the prefix once and sets what the tests rely on: no automatic debugger (so that a crash
# gives a non-zero exit code instead of 0) and a virtual desktop (windows close without delay).
wine_prepare_prefix() {
  local marker="$WINEPREFIX/.ferrix-prepared"
  [ -f "$marker" ] && return 0
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 </dev/null || true
  wine64 reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d no-debugger /f >/dev/null 2>&1
  wine64 reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /d 0 /f >/dev/null 2>&1
  wine64 reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  wine64 reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
  wineserver -w
  touch "$marker"
}

# Wine's background services inherit the caller's pipes; a server started here, detached from
# them, keeps every later wine start fast and lets ctest see each test end.
wine_start_server() {
  wineserver -p >/dev/null 2>&1 </dev/null || true
  wineboot >/dev/null 2>&1 </dev/null || true
}
