#!/usr/bin/env bash
# Runs one end-to-end script on a private X server with a window manager,
# so that windows get title bars and close the normal way.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

# xvfb-run -a takes the first free display number, and two runs that start
# together can both take the same one and share one server. Each run looks
# for a free number from a start of its own instead.
display=$((100 + $$ % 800))
while [ -e "/tmp/.X${display}-lock" ]; do
    display=$((display + 1))
done
exec xvfb-run -n "$display" -s "-screen 0 1280x1024x24 -nolisten tcp" \
    bash "$here/with-window-manager.sh" "$@"
