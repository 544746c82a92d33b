#!/usr/bin/env bash
# Installs what is missing, builds Zendra with warnings as errors, and runs every test (unit, widget
# and integration; the integration tests start their own Xvfb and D-Bus and use temporary XDG
# folders, so no display, session bus or terminal is needed). Extra arguments go to ctest, for
# example `-L unit` or `-R prefs`.
set -euo pipefail
cd "$(dirname "$0")/.."

export DEBIAN_FRONTEND=noninteractive
bash scripts/install-deps.sh </dev/null

# Let ccache reuse objects between checkouts in different folders (a CI clone, a developer's tree):
# paths under the checkout are hashed relative to it.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"
export CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-true}"

cmake --preset ci
cmake --build --preset ci --parallel "$(nproc)"
# The ci test preset runs two tests at a time, each with a time limit, and fails when none ran.
ctest --preset ci --output-on-failure "$@" </dev/null
