#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite under Wine.
# Usage: scripts/test.sh   (BUILD_DIR overrides the build folder, default build/)
#   ZANTO_ARCH=x86_64 takes the path of a machine without 32-bit support.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}

"$root/scripts/install-deps.sh"

# shellcheck source=wine-env.sh
. "$root/scripts/wine-env.sh"
cmake -S "$root" -B "$build" -G Ninja -DZANTO_ARCH="$(zanto_arch)" -DCMAKE_BUILD_TYPE=Release -DZANTO_WERROR=ON >/dev/null
# The tests' own programs first; the rest (the other architecture's shipped
# programs, the benches) is built while the tests run, which mostly wait on
# the drive and the display: on two cores that saves about a minute.
cmake --build "$build" -j "$(nproc)" --target zanto_tests_ready

trap zanto_wine_stop EXIT
trap 'exit 130' INT TERM
zanto_wine_start "$build"

restLog="$build/rest-of-build.log"
nice -n 10 cmake --build "$build" -j "$(nproc)" >"$restLog" 2>&1 </dev/null &
restPid=$!
status=0
ctest --test-dir "$build" --output-on-failure -E '^exe_' || status=$?
if ! wait "$restPid"; then
  cat "$restLog" >&2
  echo "test.sh: the rest of the build failed (above)" >&2
  exit 1
fi
# The shipped programs' checks need the whole build.
ctest --test-dir "$build" --output-on-failure -R '^exe_' || status=$?
exit "$status"
