#!/usr/bin/env bash
# The Debian package, built from the finished build into a folder of its own:
# it holds what a desktop needs, and lintian and desktop-file-validate find
# no error in it. Nothing is installed.
set -euo pipefail

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack --config "$QUILLON_BUILD_DIR/CPackConfig.cmake" -B "$work" >"$work/cpack.log" \
    || { cat "$work/cpack.log" >&2; fail "cpack failed"; }
debs=("$work"/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one .deb, found: ${debs[*]}"
deb=${debs[0]}

contents=$(dpkg-deb -c "$deb" | awk '{ print $6 }')
for path in \
    ./usr/bin/msgbox-quillon \
    ./usr/bin/msgbox-format \
    ./usr/share/applications/msgbox-quillon.desktop \
    ./usr/share/icons/hicolor/32x32/apps/msgbox-quillon.png \
    ./usr/share/man/man1/msgbox-format.1.gz \
    ./usr/share/doc/msgbox-quillon/copyright; do
    grep -qxF "$path" <<<"$contents" || fail "$path is missing from the package"
done

[ "$(dpkg-deb -f "$deb" Package)" = msgbox-quillon ] || fail "wrong package name"
grep -q 'libqt6widgets6' <<<"$(dpkg-deb -f "$deb" Depends)" \
    || fail "the dependencies lack the Qt widgets library"

dpkg-deb -x "$deb" "$work/root"
file "$work/root/usr/share/icons/hicolor/32x32/apps/msgbox-quillon.png" | grep -q 'PNG image data, 32 x 32' \
    || fail "the 32x32 icon is not a 32 x 32 PNG"
zcat "$work/root/usr/share/man/man1/msgbox-format.1.gz" | grep -q 'reformat' \
    || fail "the manual page of msgbox-format is not readable"

desktop-file-validate "$work/root/usr/share/applications/msgbox-quillon.desktop" \
    || fail "desktop-file-validate found an error"
lintian --fail-on error "$deb" || fail "lintian found an error"
