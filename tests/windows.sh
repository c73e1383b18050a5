#!/usr/bin/env bash
# Builds the standalone wiedergewinnszeit.exe with mingw-w64 for 64-bit and
# 32-bit Windows and runs the end-to-end tests against each under wine, plus
# the checks that only hold on Windows. A build this wine cannot run (wine64
# alone runs no 32-bit program) is only built, unless WGZ_ALL_WINDOWS=1.
# The test driver itself is the Linux one, from the test build. A program
# named by its path (as unpacked from the release zip) is run as it is.
# Usage: tests/windows.sh [windows|windows32|PROGRAM.exe ...]
set -euo pipefail
cd "$(dirname "$0")/.."

[ -f build-test/CMakeCache.txt ] || cmake --preset test >/dev/null
cmake --build --preset test --target program_test windows_test
presets=("$@")
[ $# -gt 0 ] || presets=(windows windows32)
for preset in "${presets[@]}"; do
	[[ $preset == *.exe ]] && continue
	cmake --preset $preset >/dev/null
	cmake --build --preset $preset
done

export WINEDEBUG=-all
# A wine prefix of the build's own, so that no user's ~/.wine is touched.
export WINEPREFIX=$PWD/build-windows/wine-prefix
export WGZ_RUNNER=wine
# A new wine prefix is set up once, completely, before the tests start.
wineboot -i </dev/null >/dev/null 2>&1
wineserver -w
# One wine server for all runs, so that each run starts in milliseconds.
wineserver -p || true  # fails when a server is already running
trap 'wineserver -k || true' EXIT
# Start wine's own background services now, away from the tests' pipes: a
# service started by a test would inherit its output pipe and hold it open.
wine cmd /c ver </dev/null >/dev/null 2>&1
log=$(mktemp)
for preset in "${presets[@]}"; do
	if [[ $preset == *.exe ]]; then
		build=$preset
		export WGZ_BINARY=$(realpath "$preset")
	else
		build=build-$preset
		export WGZ_BINARY=$PWD/$build/wiedergewinnszeit.exe
	fi
	# The first runs in a new prefix can be slow or lose their output while
	# wine finishes setting up; ask a few times before giving up.
	for try in 1 2 3; do
		help=$(timeout 120 wine "$WGZ_BINARY" 2>"$log" || true)  # help: status 1
		[[ $help == *" Syntax: "* ]] && break
		sleep 5
	done
	if [[ $help != *" Syntax: "* ]]; then
		echo "== $build: this wine cannot run it, only built; wine said:"
		head -n 5 "$log"
		# CI names only the builds its wine can run: there this is a failure.
		[ "${WGZ_ALL_WINDOWS:-0}" = 1 ] && exit 1
		continue
	fi
	echo "== $build under wine"
	# Now and then wine starts a run that then gives no output and status 1;
	# a suite that fails is run once more, and a fault of the program's fails
	# both times.
	for suite in "timeout 600 build-test/tests/program_test" "timeout 300 build-test/tests/windows_test"; do
		$suite --gtest_brief=1 || { echo "== again, to tell a fault from wine's start-up"; $suite --gtest_brief=1; }
	done
done
