#!/usr/bin/env bash
# Wall time (process start to exit) of the quick commands over a number of runs: `get-text`,
# `set-text` and `--version`, without a running instance (straight from the preferences file) and
# against one on a private session bus and Xvfb server; `cat` of the preferences file is the baseline.
# Usage: bench/app/get_text.sh [path/to/zendra] [runs]
# Bash for its clock ($EPOCHREALTIME): starting `date` for every reading would add a process start
# to each figure.
set -eu

zendra=${1:-build/default/src/app/zendra}
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
preferences="$XDG_CONFIG_HOME/zendra/org.zendra.Zendra.plist"

# Prints "median min max" in milliseconds of `runs` runs of the command given as arguments.
measure() {
    : >"$work/times"
    run=1
    while [ $run -le "$runs" ]; do
        start=$EPOCHREALTIME
        "$@" >/dev/null
        end=$EPOCHREALTIME
        echo "$start $end" >>"$work/times"
        run=$((run + 1))
    done
    awk '{ gsub(",", ".") ; printf "%d\n", ($2 - $1) * 1000000 }' "$work/times" | sort -n | awk '{ v[NR] = $1 } END {
        m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
        printf "median %5.1f ms, min %5.1f ms, max %5.1f ms\n", m / 1000, v[1] / 1000, v[NR] / 1000 }'
}

# One line per command: `where` says whether an instance runs.
report() {
    where=$1
    echo "cat of the preferences file   $(measure cat "$preferences")"
    echo "--version                     $(measure "$zendra" --version)"
    echo "get-text $where $(measure "$zendra" get-text)"
    echo "set-text $where $(measure "$zendra" set-text "Write the report")"
}

"$zendra" set-text "Write the report" >/dev/null
echo "Without a running instance, $runs runs each:"
report "(file)            "

"$zendra" >"$work/zendra.log" 2>&1 &
zendra_pid=$!
tries=0
until dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.zendra.Zendra 2>/dev/null | grep -q "boolean true"; do
    tries=$((tries + 1))
    [ $tries -lt 500 ] || { echo "get_text.sh: zendra did not start" >&2; cat "$work/zendra.log" >&2; exit 1; }
    sleep 0.01
done
echo "Against the running instance, $runs runs each:"
report "(D-Bus)           "
