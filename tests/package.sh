#!/usr/bin/env bash
# Builds the Debian package as the README says, checks it with lintian,
# installs it and runs the installed program; then builds it again in
# another folder a little later, and the Windows program twice, and each
# pair must be the same bytes.
set -euo pipefail
cd "$(dirname "$0")/.."

package() {  # FOLDER: the README's build command, then cpack
	rm -rf "$1"
	cmake -S . -B "$1" -DBUILD_TESTING=OFF >/dev/null
	cmake --build "$1" >/dev/null
	(cd "$1" && cpack -G DEB >/dev/null)
	echo "$1"/wiedergewinnszeit_*.deb
}

first=$(package build-deb)
echo "== lintian $first"
# Errors and warnings fail; informational tags are shown.
lintian --display-info --fail-on error,warning "$first"

echo "== installed"
dpkg -i "$first" >/dev/null
wiedergewinnszeit 100 0.24 50 40
man -w wiedergewinnszeit
[ -f /usr/share/bash-completion/completions/wiedergewinnszeit ]

echo "== reproducible"
sleep 61
second=$(package build-deb-again)
cmp "$first" "$second"
for build in build-windows build-windows-again; do
	rm -rf $build
	cmake -S . -B $build --toolchain cmake/mingw-w64-x86_64.cmake -DBUILD_TESTING=OFF >/dev/null
	cmake --build $build >/dev/null
done
cmp build-windows/wiedergewinnszeit.exe build-windows-again/wiedergewinnszeit.exe
echo "the package and the Windows program build to the same bytes"
