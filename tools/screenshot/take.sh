#!/usr/bin/env bash
# Takes docs/screenshot.png: the real program with the default skin, playing
# the demo disc on the virtual drive under Wine on its own Xvfb display (a
# remaining time with its sign, shuffle's lamp lit, the track's title from
# CD.ini, the seek fill). The parts the
# skin cuts away are transparent in the picture.
# Usage: tools/screenshot/take.sh [OUTPUT.png]   (BUILD_DIR overrides build/)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build}
output=${1:-$root/docs/screenshot.png}

# shellcheck source=screenshot-env.sh
. "$root/tools/screenshot/screenshot-env.sh"
zanto_shot_start "$root" "$build"
work=$zanto_shot_work
# shellcheck source=../../scripts/demo.sh
. "$root/scripts/demo.sh"
# Forty disc seconds a real second: the seek bar fills visibly while we wait.
zanto_demo_install "$build" "$work/demo" 40

zanto_shot_run_player "$zanto_demo_player"
# The title names track 1 (and its title) once the drive has settled and the
# disc is read.
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^\[01\] 00:00 .*- Zanto Player$' | head -n 1)
# Shuffle on and the track's remaining time, so that the picture shows the
# skin's lamp and sign; then play.
xdotool key --window "$window" s t x
sleep 3.2  # about two minutes into the first track played
eval "$(xdotool getwindowgeometry --shell "$window")"

import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$work/shot.png"
# Magenta in the background is what the skin cuts away: those pixels become
# transparent.
out=$(zanto_out_dir "$build")
skin="$out/ZantoPlay1.rc"
background=$(sed -n 's/^BackgroundImage[ \t]\+\([^ \t\r]*\).*/\1/p' "$skin" | head -n 1)
convert "$out/$background" -alpha off -fill white +opaque '#FF00FF' \
  -fill black -opaque '#FF00FF' "$work/mask.png"
mkdir -p "$(dirname "$output")"
convert "$work/shot.png" "$work/mask.png" -alpha off -compose CopyOpacity -composite \
  "PNG32:$output"
echo "take.sh: wrote $output (${WIDTH}x${HEIGHT}), title: $(xdotool getwindowname "$window")"
