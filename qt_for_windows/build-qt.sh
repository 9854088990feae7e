#!/usr/bin/env bash
# Builds Qt for Windows (MinGW-w64) once from Debian's own qt6-base source and
# installs it into a cache folder outside the clone. A later run finds the
# finished install and does nothing. The version must be the host Qt's, since
# the cross build runs the host's moc, uic and rcc.
#
# The build takes half an hour on two cores. A run cut off half way leaves
# its sources and build folder behind, and the next run goes on from there;
# only sources of another Qt version are thrown away. Both go once the
# install is complete.
#
#   qt_for_windows/build-qt.sh            prints the install folder on the last line
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
# The source package's version: a binary rebuild ("+b1") has none of its own.
package_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev)
host_version=$(sed 's/^[0-9]*://; s/[+-].*//' <<<"$package_version")
cache=${QUILLON_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quillon}
prefix=$cache/qt-$host_version-mingw64
work=$cache/qt-$host_version-source
# The source package's description, as apt-get source names it (no epoch).
dsc=qt6-base_${package_version#*:}.dsc

say() { echo "build-qt.sh: $*" >&2; }

if [ -f "$prefix/.complete" ]; then
	echo "$prefix"
	exit 0
fi

# apt-get source needs a deb-src entry of the release the host Qt comes from.
ensure_deb_src() {
	if grep -rqs '^Types:.*deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
		return
	fi
	local release srclist=/etc/apt/sources.list.d/quillon-deb-src.sources
	release=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
	if [ -z "$release" ]; then
		say "/etc/os-release names no release (VERSION_CODENAME): add a deb-src entry for qt6-base by hand"
		exit 1
	fi
	local entry="Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $release $release-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg"
	if [ "$(id -u)" -ne 0 ]; then
		say "Qt's source needs a deb-src entry, and only root may add one. Please run:"
		printf '  sudo tee %s <<EOF\n%s\nEOF\n  sudo apt-get update\n' "$srclist" "$entry" >&2
		say "and then this script again."
		exit 1
	fi
	say "adding $srclist for $release"
	printf '%s\n' "$entry" >"$srclist"
	apt-get update -qq
}

# The sources are reused where they are those of the host's Qt package and
# were unpacked whole; anything else in the work folder is thrown away.
sources_ready() {
	[ -f "$work/$dsc" ] && [ -f "$work/src/.cmake.conf" ] || return 1
	local source_version
	source_version=$(sed -n 's/^set(QT_REPO_MODULE_VERSION "\(.*\)")/\1/p' "$work/src/.cmake.conf")
	[ "$source_version" = "$host_version" ]
}

fetch_sources() {
	if sources_ready; then
		say "going on with the sources in $work"
		return
	fi
	ensure_deb_src
	rm -rf "$work"
	mkdir -p "$work"
	(cd "$work" && apt-get source -qq --download-only "qt6-base=$package_version" >/dev/null \
		&& dpkg-source --no-check -x "./$dsc" src.partial >/dev/null \
		&& mv src.partial src)
	if ! sources_ready; then
		say "the source in $work is not Qt $host_version"
		exit 1
	fi
}

# Only what the program and its tests use. Debian's source lacks the Wintab
# headers (tablet events); without OpenGL the dynamic GL loader must go too.
# zlib, PCRE2, HarfBuzz, libpng and libjpeg are Qt's bundled copies.
# A build folder that a cut-off run configured whole is only built on.
configure_qt() {
	if [ -f "$work/build/build.ninja" ]; then
		return
	fi
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
		>>"$work/configure.log"
}

fetch_sources
configure_qt
say "building Qt $host_version for Windows in $work/build (log: $work/build.log)"
cmake --build "$work/build" >>"$work/build.log"
cmake --install "$work/build" >>"$work/install.log"

touch "$prefix/.complete"
rm -rf "$work"
echo "$prefix"
