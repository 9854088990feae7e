#!/usr/bin/env bash
# Makes the Wine prefix $WINEPREFIX ready for the tests: made by wineboot,
# with Wine's own faces (Tahoma, Marlett, ...) in its Fonts folder, since
# Debian's Wine keeps them where it does not look itself, and with QtTest
# told to write to standard output, which Wine passes no QT_ variable to.
set -euo pipefail
export WINEDEBUG=-all

# Chained with &&, since a failing step must fail it where it is called as a
# condition, and there set -e does not hold.
prepare_prefix() {
    wineboot --init &&
        ln -sf /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" &&
        wine reg add 'HKCU\Environment' /v QT_FORCE_STDERR_LOGGING /d 1 /f >/dev/null &&
        wineserver -w
}

# Wine finds a prefix's server by the folder's device and inode, so a prefix
# folder made anew (a fresh clone's) can meet the server of a deleted one
# that is still running, and then fails to load even kernel32.dll. Such a
# server is ended first; a prefix whose boot failed all the same is made
# once more from nothing.
wineserver -k 2>/dev/null || true
if ! prepare_prefix; then
    echo "wine-prefix.sh: making $WINEPREFIX failed; making it once more" >&2
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    prepare_prefix
fi
