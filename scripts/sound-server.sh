# shellcheck shell=bash
# Sourced by the test, run and bench scripts: a private PulseAudio server with
# one null sink ("zanto", 44.1 kHz 16-bit stereo), found by its clients only
# through its own runtime folder, never the machine's own sound setup.
#
#   zanto_sound_start DIR   starts it in DIR (created if missing; the caller
#                           owns it) and exports what clients need; restarts
#                           the wineserver of $WINEPREFIX, if one is set, so
#                           the prefix's processes see it. Returns non-zero
#                           with the reason in $zanto_sound_error (and on
#                           stderr) when no server can start.
#   zanto_sound_record FILE records the sink's monitor into FILE (raw s16le
#                           stereo 44.1 kHz) until zanto_sound_stop; returns
#                           non-zero with a reason when nothing is recorded.
#   zanto_sound_stop        ends the recording and the server.

# shellcheck disable=SC2034  # read by the scripts that source this one
zanto_sound_pulse_pid="" zanto_sound_parec_pid="" zanto_sound_error=""

zanto_sound_fail() {
  zanto_sound_error=$1
  echo "sound server: $1" >&2
  return 1
}

zanto_sound_start() {
  local dir=$1
  zanto_sound_error=""
  if ! command -v pulseaudio >/dev/null || ! command -v parec >/dev/null || ! command -v pactl >/dev/null; then
    zanto_sound_fail "pulseaudio and pulseaudio-utils are not installed"
    return 1
  fi
  mkdir -p "$dir" || { zanto_sound_fail "cannot create $dir"; return 1; }
  dir=$(cd "$dir" && pwd)
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
  zanto_sound_pulse_pid=$!
  local _
  for _ in $(seq 1 100); do
    pactl info >/dev/null 2>&1 && break
    kill -0 "$zanto_sound_pulse_pid" 2>/dev/null || break
    sleep 0.05
  done
  if ! pactl info >/dev/null 2>&1; then
    zanto_sound_fail "the private sound server did not start: $(tail -1 "$dir/pulse.log")"
    zanto_sound_stop
    return 1
  fi
  # Wine keeps its own latency low by default; under load that leaves gaps.
  export PULSE_LATENCY_MSEC=100
  # Processes the prefix already runs carry the environment they started
  # with: start the prefix's server again, persistent, as wine-env.sh does,
  # and its background processes with it, away from the caller's streams
  # (a pipe they held would keep a test's reader waiting).
  if [ -n "${WINEPREFIX:-}" ] && command -v wineserver >/dev/null; then
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    wineserver -p >/dev/null 2>&1 </dev/null || true
    wine cmd /c exit >/dev/null 2>&1 </dev/null || true
  fi
  return 0
}

zanto_sound_record() {
  local file=$1
  [ -n "$zanto_sound_pulse_pid" ] || { zanto_sound_fail "no sound server runs"; return 1; }
  parec -d zanto.monitor --raw --format=s16le --rate=44100 --channels=2 --latency-msec=20 >"$file" 2>/dev/null </dev/null &
  zanto_sound_parec_pid=$!
  # Recording before the first sound: the monitor sends silence until then.
  local _
  for _ in $(seq 1 100); do
    [ -s "$file" ] && return 0
    sleep 0.05
  done
  zanto_sound_fail "parec recorded nothing from the null sink's monitor"
}

zanto_sound_stop() {
  if [ -n "$zanto_sound_parec_pid" ]; then
    kill "$zanto_sound_parec_pid" 2>/dev/null || true
    wait "$zanto_sound_parec_pid" 2>/dev/null || true
    zanto_sound_parec_pid=""
  fi
  if [ -n "$zanto_sound_pulse_pid" ]; then
    kill "$zanto_sound_pulse_pid" 2>/dev/null || true
    wait "$zanto_sound_pulse_pid" 2>/dev/null || true
    zanto_sound_pulse_pid=""
  fi
}
