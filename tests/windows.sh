#!/usr/bin/env bash
# Builds the standalone wiedergewinnszeit.exe with mingw-w64 and runs the
# end-to-end tests against it under wine, plus the checks that only hold on
# Windows. The test driver itself is the Linux one, from the test build.
set -euo pipefail
cd "$(dirname "$0")/.."

[ -f build-test/CMakeCache.txt ] || cmake --preset test >/dev/null
cmake --build --preset test --target program_test
cmake --preset windows >/dev/null
cmake --build --preset windows

export WINEDEBUG=-all
export WGZ_RUNNER=wine
export WGZ_BINARY=$PWD/build-windows/wiedergewinnszeit.exe
# One wine server for all runs, so that each run starts in milliseconds.
wineserver -p || true  # fails when a server is already running
trap 'wineserver -k || true' EXIT
build-test/tests/program_test --gtest_brief=1
