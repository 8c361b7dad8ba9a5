#!/usr/bin/env bash
# The recorded session: a private PulseAudio server with a null sink, its
# monitor recorded with parec, and the engine's test program playing into
# it through Wine's own audio. Where no server can start, the test skips
# and says why. Usage: sound_session.sh TEST_PROGRAM
set -uo pipefail
program=$1
filter=--gtest_filter='SoundSession.*'
# shellcheck source=../../scripts/sound-server.sh
. "$(dirname "$0")/../../scripts/sound-server.sh"

dir=$(mktemp -d)
cleanup() {
  zanto_sound_stop
  rm -rf "$dir"
}
trap cleanup EXIT

skip() {
  ZANTO_SOUND_SKIP="$1" wine "$program" "$filter"
  exit $?
}

zanto_sound_start "$dir" 2>/dev/null || skip "$zanto_sound_error"
zanto_sound_record "$dir/recording.raw" 2>/dev/null || skip "$zanto_sound_error"
ZANTO_RECORDING="Z:${dir//\//\\}\\recording.raw" wine "$program" "$filter"
