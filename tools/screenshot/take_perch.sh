#!/usr/bin/env bash
# Takes docs/perch.png: the real program with the "Perch" skin and osuwari on,
# sitting on the title bar of Wine's notepad, playing the demo disc, under Wine
# on its own Xvfb display.
# Usage: tools/screenshot/take_perch.sh [OUTPUT.png]   (BUILD_DIR overrides build/)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build}
output=${1:-$root/docs/perch.png}

"$root/scripts/install-deps.sh"
# shellcheck source=../../scripts/wine-env.sh
. "$root/scripts/wine-env.sh"
cmake -S "$root" -B "$build" -G Ninja -DZANTO_ARCH="$(zanto_arch)" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target ZantoPlay virtual_cd

work=$(mktemp -d)
pids=()
finish() {
  local pid
  for pid in "${pids[@]}"; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  zanto_wine_stop
  rm -rf "$work"
}

unset DISPLAY
trap finish EXIT
zanto_wine_start "$build" "$work/prefix"
# No window manager runs on the display: Wine draws the title bars itself.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
# Where notepad opens: low enough for the player to sit above it.
for value in iWindowPosX:60 iWindowPosY:130 iWindowPosDX:440 iWindowPosDY:200; do
  wine reg add 'HKCU\Software\Microsoft\Notepad' /v "${value%%:*}" /t REG_DWORD \
    /d "${value#*:}" /f >/dev/null 2>&1
done
# shellcheck source=../../scripts/demo.sh
. "$root/scripts/demo.sh"
zanto_demo_install "$build" "$work/demo" 1

skin="Z:${zanto_demo_player//\//\\}\\perch\\Perch.rc"
printf '[Resources]\r\nLastFile=%s\r\n[Osuwari]\r\nDoOsuwari=1\r\nOsuwariXPer=75\r\n' "$skin" \
  >"$zanto_demo_player/ZantoPlay.ini"

(cd "$work" && exec wine notepad </dev/null >/dev/null 2>&1) &
pids+=($!)
target=$(timeout 30 xdotool search --sync --onlyvisible --class notepad | head -n 1)

(cd "$zanto_demo_player" && exec wine ./ZantoPlay.exe </dev/null >/dev/null 2>&1) &
pids+=($!)
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^\[01\] 00:00 .*- Zanto Player$' | head -n 1)
xdotool key --window "$window" x
# A click brings the notepad to the front (no window manager to ask); the
# player perches on it at its next tick.
eval "$(xdotool getwindowgeometry --shell "$target")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
sleep 2.5

# The notepad's upper part and the room above it where the player sits.
top=$((Y > 110 ? Y - 110 : 0))
import -window root -crop "$((WIDTH + 20))x$((Y - top + 160))+$((X > 10 ? X - 10 : 0))+$top" +repage "$work/shot.png"
mkdir -p "$(dirname "$output")"
convert "$work/shot.png" "PNG24:$output"
echo "take_perch.sh: wrote $output"
