#!/usr/bin/env bash
# Takes docs/settings-dialog.png (the title-display page) and docs/about-box.png
# from the real program with the default skin under Xvfb. The dialogs are
# opened with the skin's own Preferences and About buttons.
# Usage: tools/screenshot/dialogs.sh [OUTPUT_FOLDER]   (BUILD_DIR overrides build/)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build}
output=${1:-$root/docs}

# shellcheck source=screenshot-env.sh
. "$root/tools/screenshot/screenshot-env.sh"
zanto_shot_start "$root" "$build"
work=$zanto_shot_work

mkdir -p "$work/player"
cp -rf "$(zanto_out_dir "$build")/"* "$work/player/"
zanto_shot_run_player "$work/player"

player=$(timeout 20 xdotool search --sync --onlyvisible --name 'Zanto Player$' | head -n 1)
sleep 1
# Centres of the default skin's Preferences and About buttons.
click() {
  xdotool mousemove --window "$player" "$1" "$2" mousedown 1
  sleep 0.2
  xdotool mouseup 1
}
shoot() {
  local window
  window=$(timeout 20 xdotool search --sync --onlyvisible --name "$1" | head -n 1)
  sleep 1
  if [ -n "${2:-}" ]; then
    # Typed keys go to the dialog, which has the focus. One argument per key.
    # shellcheck disable=SC2086
    xdotool key $2
    sleep 1
  fi
  mkdir -p "$output"
  local WIDTH HEIGHT X Y SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$window")"
  timeout 20 import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$3"
  echo "dialogs.sh: wrote $3"
  xdotool key Escape
  # The player takes clicks again only once the dialog is gone.
  local i
  for i in $(seq 1 50); do
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || break
    sleep 0.2
  done
}

click 234 105
# The list has the focus: two steps down is the title-display page.
shoot '^Zanto Playerの設定$' "Down Down" "$output/settings-dialog.png"
click 319 19
shoot '^Zanto Playerのバージョン情報$' "" "$output/about-box.png"
