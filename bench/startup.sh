#!/usr/bin/env bash
# Start-up time: from starting a program until its window is mapped, for
# msgbox-quillon and for its three forms as uic builds them with nothing of
# the program's own (bench-bare-forms), RUNS times each, alternating, in one
# X session. Prints the medians and their ratio.
#   bench/startup.sh [BIN_DIR] [RUNS]      (BIN_DIR defaults to build/bin)
# Runs itself on a private X server with a window manager (as the end-to-end
# tests do) unless DISPLAY is already set.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bin_dir=$(cd "${1:-$here/../build/bin}" && pwd)
runs=${2:-21}

if [ -z "${DISPLAY:-}" ]; then
    exec bash "$here/../tests/e2e/run-under-xvfb.sh" "$0" "$bin_dir" "$runs"
fi

# The program keeps its store beside itself: a folder of its own, emptied
# before each run, so every run starts as a first start; its data and
# settings folders are kept there too.
program_dir=$(mktemp -d)
trap 'rm -rf "$program_dir"' EXIT
cp "$bin_dir/msgbox-quillon" "$program_dir/"
export XDG_DATA_HOME="$program_dir/data" XDG_CONFIG_HOME="$program_dir/config"

python3 - "$program_dir/msgbox-quillon" "$bin_dir/bench-bare-forms" "$runs" "$program_dir" <<'PY'
import os, statistics, subprocess, sys, time

quillon, bare, runs, program_dir = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4]

def time_to_map(program):
    """Seconds from starting `program` until a window is mapped on the root."""
    for name in os.listdir(program_dir):
        if name.endswith('.txt'):
            os.remove(os.path.join(program_dir, name))
    xev = subprocess.Popen(['xev', '-root', '-event', 'substructure'],
                           stdout=subprocess.PIPE, text=True, bufsize=1)
    time.sleep(0.3)  # xev selects its events before the program starts
    start = time.monotonic()
    app = subprocess.Popen([program], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    for line in xev.stdout:
        if line.startswith('MapNotify'):
            break
    mapped = time.monotonic() - start
    app.terminate()
    app.wait()
    xev.kill()
    xev.wait()
    return mapped

times = {quillon: [], bare: []}
for _ in range(runs):
    for program in (bare, quillon):
        times[program].append(time_to_map(program))

bare_ms = statistics.median(times[bare]) * 1000
quillon_ms = statistics.median(times[quillon]) * 1000
print(f'bare uic forms   median {bare_ms:6.1f} ms')
print(f'msgbox-quillon   median {quillon_ms:6.1f} ms')
print(f'ratio            {quillon_ms / bare_ms:6.2f}')
PY
