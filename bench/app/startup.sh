#!/bin/sh
# Start-up figures of the real binary on a private Xvfb server:
#   - process start to the panel item window mapped (the first MapNotify of a top-level window, seen by
#     an X client listening on the root window), over several runs, each with fresh XDG folders;
#   - resident memory (VmRSS) one second after start;
#   - context switches of the idle process over 30 seconds (a process with no timer busier than the
#     20-minute watchdog should show only a handful).
# Usage: bench/app/startup.sh [path/to/zendra] [runs] [idle seconds]
set -eu

zendra=${1:-build/release/src/app/zendra}
runs=${2:-10}
idle_seconds=${3:-30}

for tool in Xvfb xev xdpyinfo stdbuf; do
    command -v "$tool" >/dev/null || { echo "startup.sh: $tool is needed" >&2; exit 1; }
done
[ -x "$zendra" ] || { echo "startup.sh: no binary at $zendra" >&2; exit 1; }

work=$(mktemp -d)
xvfb_pid=
zendra_pid=
cleanup() {
    [ -n "$zendra_pid" ] && kill "$zendra_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

# A free display number: no lock file and no socket.
number=80
while [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ]; do
    number=$((number + 1))
done
export DISPLAY=":$number"
unset WAYLAND_DISPLAY XAUTHORITY
Xvfb "$DISPLAY" -screen 0 1920x1080x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
tries=0
until xdpyinfo >/dev/null 2>&1; do
    tries=$((tries + 1))
    [ $tries -lt 500 ] || { echo "startup.sh: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
    sleep 0.01
done

now_ns() { date +%s%N; }

# Session bus: none, so nothing waits on a desktop portal that is not there.
export DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/zendra-startup-bench

results="$work/results"
: >"$results"
run=1
while [ $run -le "$runs" ]; do
    home="$work/run$run"
    mkdir -p "$home/config" "$home/data" "$home/cache" "$home/runtime"
    chmod 700 "$home/runtime"
    export XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_CACHE_HOME="$home/cache" \
        XDG_RUNTIME_DIR="$home/runtime"

    events="$work/events$run"
    : >"$events"
    stdbuf -oL xev -root -event substructure >"$events" 2>/dev/null &
    xev_pid=$!
    # xev prints nothing until an event arrives; give it a moment to select the root's events.
    sleep 0.3

    start=$(now_ns)
    "$zendra" >"$home/stdout" 2>"$home/stderr" &
    zendra_pid=$!
    # Polled every few milliseconds, so the figure may be up to that much late.
    mapped=
    polls=0
    while [ $polls -lt 5000 ]; do
        if grep -q '^MapNotify' "$events"; then
            mapped=$(now_ns)
            break
        fi
        polls=$((polls + 1))
        sleep 0.002
    done
    kill "$xev_pid" 2>/dev/null || true
    [ -n "$mapped" ] || { echo "startup.sh: no window was mapped (run $run)" >&2; cat "$home/stderr" >&2; exit 1; }
    echo $(((mapped - start) / 1000)) >>"$results"

    if [ $run -eq "$runs" ]; then
        sleep 1
        rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$zendra_pid/status")
        switches() {
            awk '/^(voluntary|nonvoluntary)_ctxt_switches:/ { sum += $2 } END { print sum }' "/proc/$zendra_pid/status"
        }
        before=$(switches)
        sleep "$idle_seconds"
        after=$(switches)
    fi
    kill "$zendra_pid"
    wait "$zendra_pid" 2>/dev/null || true
    zendra_pid=
    run=$((run + 1))
done

sort -n "$results" | awk -v rss="$rss" -v sw=$((after - before)) -v idle="$idle_seconds" '
    { t[NR] = $1; sum += $1 }
    END {
        printf "start to item window mapped (ms), %d runs: min %.1f  median %.1f  max %.1f  mean %.1f\n",
            NR, t[1] / 1000, (NR % 2 ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2) / 1000,
            t[NR] / 1000, sum / NR / 1000
        printf "resident memory 1 s after start: %.1f MiB (VmRSS %d kB)\n", rss / 1024, rss
        printf "context switches while idle for %d s: %d\n", idle, sw
    }'
