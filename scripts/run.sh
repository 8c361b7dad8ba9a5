#!/usr/bin/env bash
# Installs what is missing, builds what it runs (the program of the
# architecture this machine's Wine runs, its skins and the virtual CD drive;
# not the tests, not the other architecture), and starts the player under
# Wine with a demo disc in the virtual CD drive; where a sound server runs,
# the demo disc plays as a disc image instead, with real sound.
# Usage: scripts/run.sh   (BUILD_DIR overrides the build folder, default build/)
#   ZANTO_ARCH=x86_64 takes the path of a machine without 32-bit support.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}

"$root/scripts/install-deps.sh"

# shellcheck source=wine-env.sh
. "$root/scripts/wine-env.sh"
cmake -S "$root" -B "$build" -G Ninja -DZANTO_ARCH="$(zanto_arch)" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j "$(nproc)" --target ZantoPlay virtual_cd

trap zanto_wine_stop EXIT
trap 'exit 130' INT TERM
had_display=${DISPLAY:-}
# Its own prefix, so the demo's settings never mix with the tests'.
zanto_wine_start "$build" "$build/run-prefix"

# shellcheck source=demo.sh
. "$root/scripts/demo.sh"
zanto_demo_install "$build" "$build/run-demo"
player=$zanto_demo_player
disc=$zanto_demo_disc

image_args=()
if command -v pactl >/dev/null && pactl info >/dev/null 2>&1; then
  echo "A sound server runs: the demo disc plays as a disc image (made once, a tone per track)."
  zanto_demo_image "$build/run-demo/image"
  image_args=("$zanto_demo_image")
fi

echo "Zanto Player: $player/ZantoPlay.exe"
echo "Virtual CD: edit $disc to eject, insert or swap the disc."
[ ${#image_args[@]} -eq 0 ] || echo "Disc image: ${image_args[0]} (eject it to go back to the virtual CD)."
if [ -z "$had_display" ]; then
  echo "No DISPLAY was set: the player runs on Xvfb display $DISPLAY. Take a screenshot with"
  echo "  import -display $DISPLAY -window root shot.png"
fi
cd "$player"
# In the background, so an interrupt reaches this script at once and its
# clean-up ends the player, Wine and Xvfb.
wine ./ZantoPlay.exe "${image_args[@]}" </dev/null &
wait $!
