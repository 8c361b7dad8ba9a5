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
cmake --build "$build" -j "$(nproc)"

trap zanto_wine_stop EXIT
trap 'exit 130' INT TERM
zanto_wine_start "$build"

ctest --test-dir "$build" --output-on-failure
