#!/usr/bin/env bash
# Installs what is missing, builds, registers the demo configuration when none is registered,
# and starts the application.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${DIRAVIR_BUILD_DIR:-$root/build}
bash "$root/scripts/build.sh"
if [ -x "$root/scripts/register-demo.sh" ]; then
  bash "$root/scripts/register-demo.sh" "$build"
fi
exec "$build/src/diravir" "$@"
