#!/usr/bin/env bash
# Builds the Debian packages as the README says (the page's wherever
# emscripten is installed), checks them with lintian and the page's desktop
# entry with desktop-file-validate, installs them, runs the installed
# program and checks its hardening; unpacks the Windows zip (built wherever
# mingw-w64 is installed) and checks it as a Windows user would use it;
# then builds them again in another folder a little later, and the 64-bit
# and 32-bit Windows programs twice each; each pair must be the same bytes.
# WGZ_WINDOWS names the Windows builds this machine's wine runs (default:
# windows windows32).
set -euo pipefail
cd "$(dirname "$0")/.."

package() {  # FOLDER: the README's build command, then cpack
	rm -rf "$1"
	cmake -S . -B "$1" -DBUILD_TESTING=OFF >/dev/null
	cmake --build "$1" >/dev/null
	(cd "$1" && cpack -G DEB >/dev/null)
	ls "$1"/wiedergewinnszeit*.deb
}
version=$(sed -n 's/^project(wiedergewinnszeit VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
zip=wiedergewinnszeit-$version-windows

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

if command -v x86_64-w64-mingw32-g++-win32 >/dev/null && command -v i686-w64-mingw32-g++-win32 >/dev/null; then
	echo "== $zip.zip, unpacked into a new folder"
	unpacked=$(mktemp -d)
	unzip -q "build-deb/$zip.zip" -d "$unpacked"
	folder=$unpacked/$zip
	ls -l "$folder"
	# Notepad's text: UTF-8 with its mark, every line ended by CR LF.
	for text in LIESMICH.txt LIZENZ.txt; do
		if grep -qv $'\r$' "$folder/$text"; then
			echo "$text: a line without CR LF"
			exit 1
		fi
	done
	[ "$(head -c 3 "$folder/LIESMICH.txt" | od -An -tx1 | tr -d ' ')" = efbbbf ]
	iconv -f UTF-8 -t UTF-16 "$folder/LIESMICH.txt" >/dev/null
	if [ ${#first[@]} = 2 ]; then
		cmp "$folder/wiedergewinnszeit.html" build-deb/page/wiedergewinnszeit.html
		grep -q 'lit-html' "$folder/LIZENZEN-SEITE.txt"
	fi
	# Explorer's "Details": name, version and copyright of each program.
	for exe in wiedergewinnszeit.exe wiedergewinnszeit-32bit.exe; do
		details=$(exiftool -s3 -ProductName -ProductVersion -FileVersion -LegalCopyright "$folder/$exe")
		echo "$exe: $(tr '\n' ' ' <<<"$details")"
		[ "$details" = "wiedergewinnszeit
$version
$version
$(grep -m1 '^Copyright ' LICENSE)" ]
	done
	# The end-to-end tests against the programs as unpacked.
	programs=()
	for build in ${WGZ_WINDOWS:-windows windows32}; do
		case $build in
		windows) programs+=("$folder/wiedergewinnszeit.exe") ;;
		windows32) programs+=("$folder/wiedergewinnszeit-32bit.exe") ;;
		esac
	done
	bash tests/windows.sh "${programs[@]}"
	rm -rf "$unpacked"
fi

echo "== reproducible"
sleep 61
second=($(package build-deb-again))
for i in "${!first[@]}"; do cmp "${first[$i]}" "${second[$i]}"; done
if [ -f "build-deb/$zip.zip" ]; then cmp "build-deb/$zip.zip" "build-deb-again/$zip.zip"; fi
for toolchain in mingw-w64-x86_64 mingw-w64-i686; do
	for build in build-$toolchain build-$toolchain-again; do
		rm -rf "$build"
		cmake -S . -B "$build" --toolchain cmake/$toolchain.cmake -DBUILD_TESTING=OFF >/dev/null
		cmake --build "$build" >/dev/null
	done
	cmp build-$toolchain/wiedergewinnszeit.exe build-$toolchain-again/wiedergewinnszeit.exe
done
echo "the packages, the Windows zip and the Windows programs build to the same bytes"
