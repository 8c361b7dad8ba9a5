#!/usr/bin/env bash
# Takes docs/screenshot.png: the default skin running under Wine on its own
# Xvfb display, showing a time, a track line and a half-filled seek bar.
# The parts the skin cuts away are transparent in the picture.
# Usage: tools/screenshot/take.sh [OUTPUT.png]   (BUILD_DIR overrides build/)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build}
output=${1:-$root/docs/screenshot.png}

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target zanto_screenshot default_skin

work=$(mktemp -d)
tool_pid=""
finish() {
  if [ -n "$tool_pid" ]; then
    kill "$tool_pid" 2>/dev/null || true
    wait "$tool_pid" 2>/dev/null || true
  fi
  zanto_wine_stop
  rm -rf "$work"
}

# shellcheck source=../../scripts/wine-env.sh
. "$root/scripts/wine-env.sh"
# A display of our own, so nothing else is on the picture.
unset DISPLAY
trap finish EXIT
zanto_wine_start "$build"

skin="$build/out/ZantoPlay1.rc"
wine "$build/tools/screenshot/zanto_screenshot.exe" "Z:${skin//\//\\}" 8 >/dev/null 2>&1 </dev/null &
tool_pid=$!

window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Zanto Player screenshot$' | head -n 1)
sleep 1  # let the first paint reach the screen
eval "$(xdotool getwindowgeometry --shell "$window")"

import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$work/shot.png"
# Magenta in the background is what the skin cuts away: those pixels become
# transparent.
background=$(sed -n 's/^BackgroundImage[ \t]\+\([^ \t\r]*\).*/\1/p' "$skin" | head -n 1)
convert "$build/out/$background" -alpha off -fill white +opaque '#FF00FF' \
  -fill black -opaque '#FF00FF' "$work/mask.png"
mkdir -p "$(dirname "$output")"
convert "$work/shot.png" "$work/mask.png" -alpha off -compose CopyOpacity -composite \
  "PNG32:$output"
echo "take.sh: wrote $output (${WIDTH}x${HEIGHT})"
