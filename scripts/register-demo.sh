#!/usr/bin/env bash
# Registers the demo configuration for the current user when no configuration is registered yet.
# Usage: scripts/register-demo.sh BUILD_DIR
# The demo is installed under $DIRAVIR_DEMO_ROOT (default: the user's data folder, Diravir/Demo).
# It takes the catalogue from data/catalog/*.csv and the settings from data/OKFurniture.ini when
# the repository has them; without them the configuration gets an empty catalogue and default
# settings, so the application starts but has nothing to select from.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-${DIRAVIR_BUILD_DIR:-$root/build}}
cli="$build/src/diravir-cli"
if [ ! -x "$cli" ]; then
  echo "register-demo: $cli not found; build first" >&2
  exit 1
fi

if [ -n "$("$cli" config list)" ]; then
  exit 0
fi

demo=${DIRAVIR_DEMO_ROOT:-${XDG_DATA_HOME:-$HOME/.local/share}/Diravir/Demo}
args=(install --config "Демо" --root "$demo" --default)
if compgen -G "$root/data/catalog/*.csv" >/dev/null; then
  args+=(--catalog-from "$root/data/catalog")
  # A catalogue left by an earlier registration is replaced by the repository's.
  [ -e "$demo/Catalog/Catalog.sqlite" ] && args+=(--force)
else
  echo "register-demo: no demo catalogue in data/catalog; registering an empty one" >&2
fi
if [ -f "$root/data/OKFurniture.ini" ] && [ ! -e "$demo/Catalog/OKFurniture.ini" ]; then
  mkdir -p "$demo/Catalog"
  cp "$root/data/OKFurniture.ini" "$demo/Catalog/OKFurniture.ini"
fi
"$cli" "${args[@]}"
