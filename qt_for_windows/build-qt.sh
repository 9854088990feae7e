#!/usr/bin/env bash
# Builds Qt for Windows (MinGW-w64) once from Debian's own qt6-base source and
# installs it into a cache folder outside the clone. A later run finds the
# folder and does nothing. The version must be the host Qt's, since the cross
# build runs the host's moc, uic and rcc.
#
#   qt_for_windows/build-qt.sh            prints the install folder on the last line
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
host_version=$(dpkg-query -W -f='${Version}' qt6-base-dev | sed 's/[+-].*//')
cache=${QUILLON_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quillon}
prefix=$cache/qt-$host_version-mingw64

if [ -f "$prefix/.complete" ]; then
	echo "$prefix"
	exit 0
fi

# apt-get source needs a deb-src entry of the suite the host Qt comes from.
srclist=/etc/apt/sources.list.d/quillon-deb-src.sources
if ! grep -rqs '^Types:.*deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
	cat >"$srclist" <<SOURCES
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
	apt-get update -qq
fi

work=$cache/qt-$host_version-source
rm -rf "$work"
mkdir -p "$work"
(cd "$work" && apt-get source -qq --download-only "qt6-base=$(dpkg-query -W -f='${Version}' qt6-base-dev)" >/dev/null \
	&& dpkg-source --no-check -x ./*.dsc src >/dev/null)

source_version=$(sed -n 's/^set(QT_REPO_MODULE_VERSION "\(.*\)")/\1/p' "$work/src/.cmake.conf")
if [ "$source_version" != "$host_version" ]; then
	echo "Qt source $source_version is not the host's Qt $host_version" >&2
	exit 1
fi

# Only what the program and its tests use. Debian's source lacks the Wintab
# headers (tablet events); without OpenGL the dynamic GL loader must go too.
# zlib, PCRE2, HarfBuzz, libpng and libjpeg are Qt's bundled copies.
cmake -S "$work/src" -B "$work/build" -G Ninja \
	-DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake" \
	-DCMAKE_BUILD_TYPE=Release \
	-DCMAKE_INSTALL_PREFIX="$prefix" \
	-DQT_HOST_PATH=/usr \
	-DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
	-DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
	-DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF \
	-DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
	-DFEATURE_icu=OFF -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF \
	-DFEATURE_tabletevent=OFF \
	-DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF \
	-DFEATURE_system_harfbuzz=OFF -DFEATURE_system_png=OFF \
	-DFEATURE_system_jpeg=OFF -DFEATURE_system_freetype=OFF \
	>"$work/configure.log"
cmake --build "$work/build" >"$work/build.log"
cmake --install "$work/build" >"$work/install.log"

touch "$prefix/.complete"
rm -rf "$work"
echo "$prefix"
