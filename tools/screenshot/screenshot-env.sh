# Sourced by the screenshot scripts: builds the program and the virtual drive,
# and gives them a display, a Wine prefix and a scratch folder of their own, so
# nothing else is on the pictures. Defines zanto_shot_start ROOT BUILD (sets
# zanto_shot_work) and zanto_shot_run_player FOLDER (starts the program there
# in the background); everything started is ended when the script exits.

zanto_shot_player_pid=""

zanto_shot_finish() {
  if [ -n "$zanto_shot_player_pid" ]; then
    kill "$zanto_shot_player_pid" 2>/dev/null || true
    wait "$zanto_shot_player_pid" 2>/dev/null || true
  fi
  zanto_wine_stop
  rm -rf "$zanto_shot_work"
}

zanto_shot_start() {
  local root=$1 build=$2
  "$root/scripts/install-deps.sh"
  # shellcheck source=../../scripts/wine-env.sh
  . "$root/scripts/wine-env.sh"
  cmake -S "$root" -B "$build" -G Ninja -DZANTO_ARCH="$(zanto_arch)" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$build" -j2 --target ZantoPlay virtual_cd
  zanto_shot_work=$(mktemp -d)
  unset DISPLAY
  trap zanto_shot_finish EXIT
  zanto_wine_start "$build" "$zanto_shot_work/prefix"
}

zanto_shot_run_player() {
  (cd "$1" && exec wine ./ZantoPlay.exe </dev/null >/dev/null 2>&1) &
  zanto_shot_player_pid=$!
}
