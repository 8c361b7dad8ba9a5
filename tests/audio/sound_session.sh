#!/usr/bin/env bash
# The recorded session: a private PulseAudio server with a null sink, its
# monitor recorded with parec, and the engine's test program playing into
# it through Wine's own audio. Where no server can start, the test skips
# and says why. Usage: sound_session.sh TEST_PROGRAM
set -uo pipefail
program=$1
filter=--gtest_filter='SoundSession.*'

skip() {
  ZANTO_SOUND_SKIP="$1" wine "$program" "$filter"
  exit $?
}

command -v pulseaudio >/dev/null && command -v parec >/dev/null && command -v pactl >/dev/null ||
  skip "pulseaudio and pulseaudio-utils are not installed"

dir=$(mktemp -d)
pulsePid="" parecPid=""
cleanup() {
  [ -n "$parecPid" ] && kill "$parecPid" 2>/dev/null
  [ -n "$pulsePid" ] && kill "$pulsePid" 2>/dev/null
  [ -n "$pulsePid" ] && wait "$pulsePid" 2>/dev/null
  rm -rf "$dir"
}
trap cleanup EXIT

# Nothing of the machine's own sound setup: a server of our own, found
# through our own runtime folder only, and never one spawned behind our back.
export XDG_RUNTIME_DIR="$dir" PULSE_CLIENTCONFIG="$dir/client.conf"
unset PULSE_SERVER
chmod 700 "$dir"
echo 'autospawn = no' >"$dir/client.conf"
cat >"$dir/default.pa" <<'PA'
load-module module-null-sink sink_name=zanto rate=44100 format=s16le channels=2 norewinds=1
load-module module-native-protocol-unix
set-default-sink zanto
PA
pulseaudio -n -F "$dir/default.pa" --daemonize=no --exit-idle-time=-1 >"$dir/pulse.log" 2>&1 </dev/null &
pulsePid=$!
for _ in $(seq 1 100); do
  pactl info >/dev/null 2>&1 && break
  sleep 0.05
done
pactl info >/dev/null 2>&1 || skip "the private sound server did not start: $(tail -1 "$dir/pulse.log")"

parec -d zanto.monitor --raw --format=s16le --rate=44100 --channels=2 --latency-msec=20 >"$dir/recording.raw" 2>/dev/null &
parecPid=$!
# Recording before the first sound: the monitor sends silence until then.
for _ in $(seq 1 100); do
  [ -s "$dir/recording.raw" ] && break
  sleep 0.05
done
[ -s "$dir/recording.raw" ] || skip "parec recorded nothing from the null sink's monitor"

# Wine keeps its own latency low by default; under load that leaves gaps.
export PULSE_LATENCY_MSEC=100
ZANTO_RECORDING="Z:${dir//\//\\}\\recording.raw" wine "$program" "$filter"
