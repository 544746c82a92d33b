#!/usr/bin/env bash
# Installs what is missing, builds Zendra with warnings as errors, and runs every test (unit, widget
# and integration; the integration tests start their own Xvfb and D-Bus and use temporary XDG
# folders, so no display, session bus or terminal is needed). Extra arguments go to ctest, for
# example `-L unit` or `-R prefs`. Then the unit and integration tests of the command line, the
# preferences store and the automation interface run again under AddressSanitizer and UBSan
# (ZENDRA_SANITIZE=0 skips them). Last, the libFuzzer programs are built with clang (the `fuzz` preset)
# and each runs for a short, fixed time from its committed corpus; any finding fails the run
# (ZENDRA_FUZZ=0 skips them, ZENDRA_FUZZ_SECONDS sets the time per target).
set -euo pipefail
cd "$(dirname "$0")/.."

export DEBIAN_FRONTEND=noninteractive
if [ "${ZENDRA_FUZZ:-1}" != 0 ]; then
  bash scripts/install-deps.sh --fuzz </dev/null
else
  bash scripts/install-deps.sh </dev/null
fi

# Let ccache reuse objects between checkouts in different folders (a CI clone, a developer's tree):
# paths under the checkout are hashed relative to it.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"
export CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-true}"

cmake --preset ci
cmake --build --preset ci --parallel "$(nproc)"
# The ci test preset runs two tests at a time, each with a time limit, and fails when none ran.
ctest --preset ci --output-on-failure "$@" </dev/null

if [ "${ZENDRA_SANITIZE:-1}" != 0 ]; then
  sanitized=(cli_unit_tests cli_integration_tests prefs_unit_tests prefs_integration_tests
    automation_unit_tests automation_integration_tests)
  cmake --preset asan
  # zendra brings the GUI module the command line's integration tests start.
  cmake --build --preset asan --parallel "$(nproc)" --target zendra "${sanitized[@]}"
  # The asan test preset turns leak detection off: at exit of the GUI application started by these
  # tests, LeakSanitizer's own thread-stopping tracer crashes (GCC 12's libasan) and fails the run.
  # Memory errors and undefined behaviour are still reported.
  ctest --preset asan -L 'unit|integration' -R "^($(IFS='|'; echo "${sanitized[*]}"))\$" </dev/null
fi

if [ "${ZENDRA_FUZZ:-1}" != 0 ]; then
  cmake --preset fuzz
  cmake --build --preset fuzz --parallel "$(nproc)"
  bash scripts/fuzz.sh "${ZENDRA_FUZZ_SECONDS:-30}"
fi
