# Sourced by test.sh and run.sh: the Wine environment the program and its tests
# run in. Defines zanto_wine_start BUILD_DIR and zanto_wine_stop.

zanto_xvfb_pid=""

zanto_free_display() {
  local n
  for n in $(seq 91 250); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
      echo "$n"
      return 0
    fi
  done
  return 1
}

zanto_start_xvfb() {
  local n
  n=$(zanto_free_display) || { echo "no free X display number" >&2; return 1; }
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  zanto_xvfb_pid=$!
  local i
  for i in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    sleep 0.05
  done
  export DISPLAY=":$n"
}

# Japanese face names the program asks for, drawn with the installed IPA font.
zanto_font_replacements() {
  local face
  for face in "ＭＳ Ｐゴシック" "ＭＳ ゴシック" "MS PGothic" "MS Gothic"; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /t REG_SZ /d "IPAPGothic" /f >/dev/null 2>&1
  done
}

zanto_wine_start() {
  local build
  build=$(cd "$1" && pwd)
  export WINEPREFIX="$build/wineprefix"
  export WINEARCH=win32
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export LC_ALL=ja_JP.UTF-8
  if [ -z "${DISPLAY:-}" ]; then
    zanto_start_xvfb
  fi
  # Wine's background processes inherit our standard streams: keep them off
  # any pipe the caller may be reading.
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1 </dev/null
    zanto_font_replacements
  fi
  wineserver -p >/dev/null 2>&1 </dev/null
  wine cmd /c exit >/dev/null 2>&1 </dev/null || true
}

zanto_wine_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$zanto_xvfb_pid" ]; then
    kill "$zanto_xvfb_pid" 2>/dev/null || true
    wait "$zanto_xvfb_pid" 2>/dev/null || true
    zanto_xvfb_pid=""
  fi
}
