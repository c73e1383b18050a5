#!/usr/bin/env bash
# Builds the Debian package as the README says, checks it with lintian,
# installs it, runs the installed program and checks its hardening; then
# builds it again in another folder a little later, and the 64-bit and
# 32-bit Windows programs twice each; each pair must be the same bytes.
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
# Errors and warnings fail; informational tags are shown, and any about
# hardening fails too.
tags=$(lintian --display-info --fail-on error,warning "$first") || { echo "$tags"; exit 1; }
echo "$tags"
if grep -q ' hardening-' <<<"$tags"; then
	echo "lintian finds the program not hardened"
	exit 1
fi

echo "== installed"
dpkg -i "$first" >/dev/null
wiedergewinnszeit 100 0.24 50 40
# PIE, stack protector, fortified calls, RELRO and BIND_NOW, as Debian's
# own packages; control-flow protection needs start files this system lacks.
hardening-check --nocfprotection /usr/bin/wiedergewinnszeit
man -w wiedergewinnszeit
[ -f /usr/share/bash-completion/completions/wiedergewinnszeit ]

echo "== reproducible"
sleep 61
second=$(package build-deb-again)
cmp "$first" "$second"
for toolchain in mingw-w64-x86_64 mingw-w64-i686; do
	for build in build-$toolchain build-$toolchain-again; do
		rm -rf "$build"
		cmake -S . -B "$build" --toolchain cmake/$toolchain.cmake -DBUILD_TESTING=OFF >/dev/null
		cmake --build "$build" >/dev/null
	done
	cmp build-$toolchain/wiedergewinnszeit.exe build-$toolchain-again/wiedergewinnszeit.exe
done
echo "the package and the Windows programs build to the same bytes"
