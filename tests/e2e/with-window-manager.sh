#!/usr/bin/env bash
# Starts openbox on the X server that xvfb-run made, then runs the script.
set -euo pipefail

# xvfb-run can hand over before the server takes connections.
for _ in $(seq 100); do
    xwininfo -root >/dev/null 2>&1 && break
    sleep 0.1
done

wm_pid=
trap '[ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true' EXIT
for _attempt in 1 2 3; do
    openbox --sm-disable >/dev/null 2>&1 &
    wm_pid=$!
    for _ in $(seq 100); do
        wmctrl -m >/dev/null 2>&1 && break 2
        kill -0 "$wm_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill "$wm_pid" 2>/dev/null || true
done
wmctrl -m >/dev/null 2>&1 || { echo "FAIL: no window manager" >&2; exit 1; }

script=$1
shift
bash "$script" "$@"
