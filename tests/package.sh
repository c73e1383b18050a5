#!/usr/bin/env bash
# Builds the Debian packages as the README says (the page's wherever
# emscripten is installed), checks them with lintian and the page's desktop
# entry with desktop-file-validate, installs them, runs the installed
# program and checks its hardening; then builds them again in another folder
# a little later, and the 64-bit and 32-bit Windows programs twice each;
# each pair must be the same bytes.
set -euo pipefail
cd "$(dirname "$0")/.."

package() {  # FOLDER: the README's build command, then cpack
	rm -rf "$1"
	cmake -S . -B "$1" -DBUILD_TESTING=OFF >/dev/null
	cmake --build "$1" >/dev/null
	(cd "$1" && cpack -G DEB >/dev/null)
	ls "$1"/wiedergewinnszeit*.deb
}

first=($(package build-deb))
if command -v emcmake >/dev/null; then
	[ ${#first[@]} = 2 ] || { echo "emscripten is installed, but the page's package was not built"; exit 1; }
fi
for deb in "${first[@]}"; do
	echo "== lintian $deb"
	# Errors and warnings fail; informational tags are shown, and any about
	# hardening fails too.
	tags=$(lintian --display-info --fail-on error,warning "$deb") || { echo "$tags"; exit 1; }
	echo "$tags"
	if grep -q ' hardening-' <<<"$tags"; then
		echo "lintian finds the program not hardened"
		exit 1
	fi
done

echo "== installed"
dpkg -i "${first[@]}" >/dev/null
wiedergewinnszeit 100 0.24 50 40
# PIE, stack protector, fortified calls, RELRO and BIND_NOW, as Debian's
# own packages; control-flow protection needs start files this system lacks.
hardening-check --nocfprotection /usr/bin/wiedergewinnszeit
man -w wiedergewinnszeit
[ -f /usr/share/bash-completion/completions/wiedergewinnszeit ]
if [ ${#first[@]} = 2 ]; then
	desktop-file-validate /usr/share/applications/wiedergewinnszeit.desktop
	# The entry's command opens the page that the package installed.
	command=$(sed -n 's/^Exec=//p' /usr/share/applications/wiedergewinnszeit.desktop)
	page=$(sed -n 's/^exec xdg-open //p' "$(command -v "$command")")
	cmp "$page" build-deb/page/wiedergewinnszeit.html
	man -w wiedergewinnszeit-seite
	echo "page: $page"
fi

echo "== reproducible"
sleep 61
second=($(package build-deb-again))
for i in "${!first[@]}"; do cmp "${first[$i]}" "${second[$i]}"; done
for toolchain in mingw-w64-x86_64 mingw-w64-i686; do
	for build in build-$toolchain build-$toolchain-again; do
		rm -rf "$build"
		cmake -S . -B "$build" --toolchain cmake/$toolchain.cmake -DBUILD_TESTING=OFF >/dev/null
		cmake --build "$build" >/dev/null
	done
	cmp build-$toolchain/wiedergewinnszeit.exe build-$toolchain-again/wiedergewinnszeit.exe
done
echo "the packages and the Windows programs build to the same bytes"
