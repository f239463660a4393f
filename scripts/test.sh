#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${DIRAVIR_BUILD_DIR:-$root/build}
bash "$root/scripts/build.sh" -DDIRAVIR_BUILD_TESTS=ON
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
