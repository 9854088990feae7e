#!/usr/bin/env bash
# Runs one end-to-end script on a private X server with a window manager,
# so that windows get title bars and close the normal way.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    bash "$here/with-window-manager.sh" "$@"
