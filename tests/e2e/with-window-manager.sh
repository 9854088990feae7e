#!/usr/bin/env bash
# Starts openbox on the X server that xvfb-run made, then runs the script.
set -euo pipefail

# xvfb-run can hand over before the server takes connections.
for _ in $(seq 100); do
    xwininfo -root >/dev/null 2>&1 && break
    sleep 0.1
done

# Under load openbox now and then fails to open a display that has just
# answered; a later attempt gets through.
wm_pid=
wm_log=$(mktemp)
trap '[ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null; rm -f "$wm_log"' EXIT
for _attempt in 1 2 3 4 5 6; do
    openbox --sm-disable >>"$wm_log" 2>&1 &
    wm_pid=$!
    for _ in $(seq 100); do
        wmctrl -m >/dev/null 2>&1 && break 2
        kill -0 "$wm_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill "$wm_pid" 2>/dev/null || true
    sleep 0.5
done
if ! wmctrl -m >/dev/null 2>&1; then
    echo "FAIL: no window manager" >&2
    cat "$wm_log" >&2
    exit 1
fi

script=$1
shift
bash "$script" "$@"
