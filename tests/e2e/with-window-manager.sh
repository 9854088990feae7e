#!/usr/bin/env bash
set -euo pipefail
openbox --sm-disable >/dev/null 2>&1 &
wm_pid=$!
trap 'kill $wm_pid 2>/dev/null || true' EXIT
for _ in $(seq 100); do
    wmctrl -m >/dev/null 2>&1 && break
    sleep 0.1
done
script=$1
shift
bash "$script" "$@"
