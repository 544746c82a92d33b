#!/bin/sh
# Wall time of `zendra get-text` (process start to exit) over a number of runs: against a running
# instance on a private session bus and Xvfb server, and without one (straight from the file).
# Usage: bench/app/get_text.sh [path/to/zendra] [runs]
set -eu

zendra=${1:-build/release/src/app/zendra}
runs=${2:-50}

for tool in Xvfb xdpyinfo dbus-daemon dbus-send; do
    command -v "$tool" >/dev/null || { echo "get_text.sh: $tool is needed" >&2; exit 1; }
done
[ -x "$zendra" ] || { echo "get_text.sh: no binary at $zendra" >&2; exit 1; }

work=$(mktemp -d)
xvfb_pid=
bus_pid=
zendra_pid=
cleanup() {
    [ -n "$zendra_pid" ] && kill "$zendra_pid" 2>/dev/null || true
    [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

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
    [ $tries -lt 500 ] || { echo "get_text.sh: Xvfb did not start" >&2; exit 1; }
    sleep 0.01
done

dbus-daemon --session --nofork --nopidfile --print-address=3 --address="unix:path=$work/bus" \
    3>"$work/bus.address" >/dev/null 2>&1 &
bus_pid=$!
tries=0
until [ -s "$work/bus.address" ]; do
    tries=$((tries + 1))
    [ $tries -lt 500 ] || { echo "get_text.sh: dbus-daemon did not start" >&2; exit 1; }
    sleep 0.01
done
DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$work/bus.address")
export DBUS_SESSION_BUS_ADDRESS

mkdir -p "$work/config" "$work/data" "$work/cache" "$work/runtime"
chmod 700 "$work/runtime"
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_CACHE_HOME="$work/cache" \
    XDG_RUNTIME_DIR="$work/runtime"

now_ns() { date +%s%N; }

# Prints "median min max" in milliseconds of `runs` runs of get-text.
measure() {
    : >"$work/times"
    run=1
    while [ $run -le "$runs" ]; do
        start=$(now_ns)
        "$zendra" get-text >/dev/null
        end=$(now_ns)
        echo $(( (end - start) / 1000 )) >>"$work/times"
        run=$((run + 1))
    done
    sort -n "$work/times" | awk '{ v[NR] = $1 } END {
        m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
        printf "median %.1f ms, min %.1f ms, max %.1f ms\n", m / 1000, v[1] / 1000, v[NR] / 1000 }'
}

"$zendra" set-text "Write the report" >/dev/null
echo "get-text without a running instance ($runs runs): $(measure)"

"$zendra" >"$work/zendra.log" 2>&1 &
zendra_pid=$!
tries=0
until dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.zendra.Zendra 2>/dev/null | grep -q "boolean true"; do
    tries=$((tries + 1))
    [ $tries -lt 500 ] || { echo "get_text.sh: zendra did not start" >&2; cat "$work/zendra.log" >&2; exit 1; }
    sleep 0.01
done
echo "get-text against the running instance ($runs runs): $(measure)"
