#!/usr/bin/env bash
# Installs what is missing, builds Zendra with warnings as errors, and runs every test
# (unit, widget and integration; the integration tests start their own Xvfb and D-Bus).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset ci
cmake --build --preset ci
ctest --preset ci "$@"
