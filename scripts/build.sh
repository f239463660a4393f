#!/usr/bin/env bash
# Configures and builds into build/ (or $DIRAVIR_BUILD_DIR). Extra arguments go to CMake.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${DIRAVIR_BUILD_DIR:-$root/build}
bash "$root/scripts/deps.sh"
cmake -S "$root" -B "$build" -G Ninja "$@" >/dev/null
cmake --build "$build"
