#!/usr/bin/env bash
# scripts/sound-server.sh on its own, no Wine: a server that cannot start is
# told with its reason, a started one is private, named as its clients
# expect and recorded, and stop leaves no process behind (a leak would pile
# up servers across runs). Skips (77) where PulseAudio is not installed.
set -uo pipefail
. "$(dirname "$0")/../../scripts/sound-server.sh"
unset WINEPREFIX
dir=$(mktemp -d)
trap 'zanto_sound_stop; rm -rf "$dir"' EXIT
fail() {
  echo "FAILED: $1" >&2
  exit 1
}
command -v pulseaudio >/dev/null || { echo "pulseaudio is not installed"; exit 77; }

mkdir "$dir/fake"
printf '#!/bin/sh\necho "cannot bind the socket" >&2\nexit 1\n' >"$dir/fake/pulseaudio"
chmod +x "$dir/fake/pulseaudio"
PATH="$dir/fake:$PATH" zanto_sound_start "$dir/broken" 2>/dev/null && fail "a server that exits was taken as started"
[[ $zanto_sound_error == *"cannot bind the socket"* ]] || fail "the reason was lost: '$zanto_sound_error'"
[ -z "$zanto_sound_pulse_pid" ] || fail "a failed start kept a server id"

for round in 1 2; do
  zanto_sound_start "$dir/server$round" || fail "start $round: $zanto_sound_error"
  pulse=$zanto_sound_pulse_pid
  [ "$XDG_RUNTIME_DIR" = "$dir/server$round" ] || fail "clients are not pointed at the private server"
  [ "$(pactl get-default-sink)" = zanto ] || fail "the default sink is not the null sink"
  zanto_sound_record "$dir/recording$round.raw" || fail "record $round: $zanto_sound_error"
  parec=$zanto_sound_parec_pid
  zanto_sound_stop
  kill -0 "$pulse" 2>/dev/null && fail "stop left the server running"
  kill -0 "$parec" 2>/dev/null && fail "stop left parec running"
  [ -s "$dir/recording$round.raw" ] || fail "nothing was recorded"
done
echo "sound-server.sh: start, failure, record and stop behave"
