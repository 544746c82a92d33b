#!/usr/bin/env bash
# Installs what is missing, builds Zendra and starts it with the given arguments.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target zendra
exec build/default/src/app/zendra "$@"
