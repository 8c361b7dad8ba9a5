#!/usr/bin/env bash
# Installs what is missing, builds, and starts the player under Wine with a
# demo disc in the virtual CD drive.
# Usage: scripts/run.sh   (BUILD_DIR overrides the build folder, default build/)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}

"$root/scripts/install-deps.sh"

# shellcheck source=wine-env.sh
. "$root/scripts/wine-env.sh"
cmake -S "$root" -B "$build" -G Ninja -DZANTO_ARCH="$(zanto_arch)" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j "$(nproc)"

trap zanto_wine_stop EXIT
trap 'exit 130' INT TERM
had_display=${DISPLAY:-}
# Its own prefix, so the demo's settings never mix with the tests'.
zanto_wine_start "$build" "$build/run-prefix"

windows_path() { local p=$1; echo "Z:${p//\//\\}"; }

# The demo disc: twelve tracks, a fresh disc at every start.
demo="$build/run-demo"
mkdir -p "$demo"
disc="$demo/disc.txt"
identity=305419896 # 0x12345678
cat >"$disc" <<DISC
# The disc in the virtual drive. Set present = no to take it out, tray = open
# to open the tray; the player notices within half a second.
present = yes
tray = closed
identity = $identity
track = 04:12:30
track = 03:48:05
track = 05:01:60
track = 02:57:12
track = 04:30:00
track = 03:21:44
track = 06:05:18
track = 03:59:70
track = 04:44:02
track = 02:38:55
track = 05:17:33
track = 07:02:09
DISC

reg_file=$(mktemp --suffix=.reg)
disc_windows=$(windows_path "$disc")
{
  echo 'REGEDIT4'
  echo
  echo '[HKEY_CURRENT_USER\Software\Zanto\VirtualCD]'
  echo "\"DiscFile\"=\"${disc_windows//\\/\\\\}\""
  echo '"Speed"="1"'
  # Settle like a real drive: not ready, then the contents unreadable for a
  # while after a disc goes in, and a stop that reports a position a little off.
  echo '"NotReadyMs"="1500"'
  echo '"TocSettleMs"="1500"'
  echo '"StopDriftFrames"="30"'
  echo '"LogFile"=-'
} >"$reg_file"
wine regedit /S "$(windows_path "$reg_file")" >/dev/null 2>&1 </dev/null
rm -f "$reg_file"

# The demo runs from a copy of the install folder, so the settings and disc
# memory it writes never end up in build/out.
player="$demo/player"
mkdir -p "$player"
cp -f "$build/out/"* "$player/"

# Track titles for the demo disc beside the program, in the ANSI code page the
# player runs with. Added once; the player keeps its own entries there.
cd_ini="$player/CD.ini"
section=$(printf '%X' "$identity")
if ! grep -qi "^\[$section\]" "$cd_ini" 2>/dev/null; then
  titles=("朝の光" "Harbour Lights" "雨上がりの坂道" "Paper Planes" "夜行列車" "Slow Tide"
          "風のうた" "Lanterns" "遠い記憶" "Morning Glass" "星降る丘" "Homeward")
  {
    printf '[%s]\r\n' "$section"
    for i in "${!titles[@]}"; do printf '%d=%s\r\n' "$i" "${titles[$i]}"; done
  } | iconv -f UTF-8 -t CP932 >>"$cd_ini"
fi

echo "Zanto Player: $player/ZantoPlay.exe"
echo "Virtual CD: edit $disc to eject, insert or swap the disc."
if [ -z "$had_display" ]; then
  echo "No DISPLAY was set: the player runs on Xvfb display $DISPLAY. Take a screenshot with"
  echo "  import -display $DISPLAY -window root shot.png"
fi
cd "$player"
# In the background, so an interrupt reaches this script at once and its
# clean-up ends the player, Wine and Xvfb.
wine ./ZantoPlay.exe </dev/null &
wait $!
