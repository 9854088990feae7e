#!/usr/bin/env bash
# Makes the Wine prefix $WINEPREFIX ready for the tests: made by wineboot,
# with Wine's own faces (Tahoma, Marlett, ...) in its Fonts folder, since
# Debian's Wine keeps them where it does not look itself, and with QtTest
# told to write to standard output, which Wine passes no QT_ variable to.
set -euo pipefail
export WINEDEBUG=-all
wineboot --init
for face in /usr/share/wine/fonts/*.ttf; do
    ln -sf "$face" "$WINEPREFIX/drive_c/windows/Fonts/"
done
wine reg add 'HKCU\Environment' /v QT_FORCE_STDERR_LOGGING /d 1 /f >/dev/null
wineserver -w
