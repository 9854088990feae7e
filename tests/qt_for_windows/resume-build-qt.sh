#!/usr/bin/env bash
# build-qt.sh cut off half way goes on where it stopped, and accepts a
# finished install as it is. apt-get, dpkg-source and cmake are stand-ins
# here that log their calls, so no Qt is fetched or built.
set -euo pipefail

script=$1/qt_for_windows/build-qt.sh
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export QUILLON_CACHE=$scratch/cache STANDINS_LOG=$scratch/calls
version=$(dpkg-query -W -f='${Version}' qt6-base-dev | sed 's/^[0-9]*://; s/[+-].*//')
prefix=$QUILLON_CACHE/qt-$version-mingw64

mkdir "$scratch/bin"
cat >"$scratch/bin/apt-get" <<'STANDIN'
#!/bin/sh
echo "apt-get $*" >>"$STANDINS_LOG"
touch "qt6-base_${4#qt6-base=}.dsc"
STANDIN
cat >"$scratch/bin/dpkg-source" <<STANDIN
#!/bin/sh
echo "dpkg-source \$*" >>"\$STANDINS_LOG"
mkdir -p "\$4"
echo 'set(QT_REPO_MODULE_VERSION "$version")' >"\$4/.cmake.conf"
STANDIN
# "cmake --build" fails while CUT_OFF is set, as a run killed half way;
# "cmake --install" makes the install folder that configure was given.
cat >"$scratch/bin/cmake" <<'STANDIN'
#!/bin/sh
echo "cmake $1" >>"$STANDINS_LOG"
case $1 in
-S)
    mkdir -p "$4" && touch "$4/build.ninja"
    for argument; do
        case $argument in -DCMAKE_INSTALL_PREFIX=*) echo "${argument#*=}" >"$4/prefix" ;; esac
    done ;;
--build) [ -z "${CUT_OFF:-}" ] ;;
--install) mkdir -p "$(cat "$2/prefix")" ;;
esac
STANDIN
chmod +x "$scratch"/bin/*
export PATH=$scratch/bin:$PATH

fail() { echo "FAIL: $*" >&2; cat "$STANDINS_LOG" >&2; exit 1; }

if CUT_OFF=1 bash "$script" >/dev/null 2>&1; then fail "the cut-off run succeeded"; fi
[ "$(grep -c '^cmake -S' "$STANDINS_LOG")" = 1 ] || fail "not configured once"
[ ! -e "$prefix/.complete" ] || fail "a cut-off run marked the install complete"

: >"$STANDINS_LOG"
last=$(bash "$script" 2>/dev/null | tail -n 1)
[ "$last" = "$prefix" ] || fail "printed '$last', not the install folder"
grep -q '^apt-get\|^dpkg-source\|^cmake -S' "$STANDINS_LOG" && fail "the second run started over"
grep -q '^cmake --build' "$STANDINS_LOG" || fail "the second run did not build on"
[ -f "$prefix/.complete" ] || fail "no .complete marker"
[ ! -e "$QUILLON_CACHE/qt-$version-source" ] || fail "the work folder stayed"

: >"$STANDINS_LOG"
[ "$(bash "$script" 2>/dev/null)" = "$prefix" ] || fail "a finished install was not taken as it is"
[ ! -s "$STANDINS_LOG" ] || fail "a finished install was built again"
echo "PASS"
