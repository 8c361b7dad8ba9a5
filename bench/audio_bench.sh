#!/usr/bin/env bash
# Runs audio_bench.exe against a private sound server whose sink is recorded
# (scripts/sound-server.sh), in the build's Wine prefix, and hands it the
# process ids whose CPU it counts beside its players': the prefix's
# wineserver and the sound server.
# Usage: bench/audio_bench.sh [SECONDS [RUNS]]   (BUILD_DIR as for test.sh)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${BUILD_DIR:-$root/build}" && pwd)
# shellcheck source=../scripts/wine-env.sh
. "$root/scripts/wine-env.sh"
# shellcheck source=../scripts/sound-server.sh
. "$root/scripts/sound-server.sh"

dir=$(mktemp -d)
cleanup() {
  zanto_sound_stop
  zanto_wine_stop
  rm -rf "$dir"
}
trap cleanup EXIT
zanto_wine_start "$build"
zanto_sound_start "$dir/sound" || exit 1
zanto_sound_record "$dir/recording.raw" || exit 1

# The prefix's wineserver works in a folder named after the prefix's device
# and inode (under a temporary folder of its own); no other wineserver does.
serverDir="server-$(printf %x "$(stat -c %d "$WINEPREFIX")")-$(printf %x "$(stat -c %i "$WINEPREFIX")")"
serverPid=""
for proc in /proc/[0-9]*; do
  case "$(cat "$proc/comm" 2>/dev/null)" in wineserver*) ;; *) continue ;; esac
  [ "$(basename "$(readlink "$proc/cwd" 2>/dev/null)")" = "$serverDir" ] && serverPid=${proc#/proc/}
done
[ -n "$serverPid" ] || echo "audio_bench.sh: the prefix's wineserver was not found; its share is not counted" >&2

ZANTO_BENCH_WINESERVER_PID=$serverPid ZANTO_BENCH_PULSE_PID=$zanto_sound_pulse_pid \
  ZANTO_RECORDING="Z:${dir//\//\\}\\recording.raw" wine "$build/bench/audio_bench.exe" "$@"
