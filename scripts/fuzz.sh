#!/usr/bin/env bash
# Runs every libFuzzer program of the `fuzz` preset (build/fuzz) for SECONDS each (default 30), starting
# from its committed corpus. New inputs go to a scratch folder under build/fuzz/runs/, never into the
# committed corpus; a finding is written to build/fuzz/findings/<target>/ and fails the run.
#   scripts/fuzz.sh [SECONDS] [TARGET...]
set -uo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-30}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(zendra_url plist_codec keyed_archive stored_shortcut markdown)

export QT_QPA_PLATFORM=offscreen
unset DISPLAY WAYLAND_DISPLAY
export DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/zendra-fuzz-no-session-bus
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

passed=0 failed=0
for target in "${targets[@]}"; do
  program=build/fuzz/fuzz/${target}_fuzzer
  if [ ! -x "$program" ]; then
    echo "fuzz: $program is missing (cmake --preset fuzz && cmake --build --preset fuzz)" >&2
    failed=$((failed + 1))
    continue
  fi
  scratch=build/fuzz/runs/$target findings=build/fuzz/findings/$target
  rm -rf "$scratch" && mkdir -p "$scratch" "$findings"
  log=build/fuzz/runs/$target.log
  if "$program" "$scratch" "fuzz/corpus/$target" -max_total_time="$seconds" -timeout=10 \
      -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/" >"$log" 2>&1; then
    stats=$(grep -E '^stat::(number_of_executed_units|average_exec_per_sec|new_units_added):' "$log" |
      sed -e 's/^stat:://' -e 's/: */=/' | tr '\n' ' ')
    echo "fuzz: $target ok in ${seconds}s: $stats"
    passed=$((passed + 1))
  else
    echo "fuzz: $target FOUND A FAULT (input in $findings/):" >&2
    grep -E 'ERROR|SUMMARY|invariant|runtime error|Test unit written' "$log" | head -20 >&2
    failed=$((failed + 1))
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
