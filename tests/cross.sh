#!/usr/bin/env bash
# Builds the static program for 32-bit x86, 64-bit Arm and big-endian s390x
# and runs the end-to-end tests against each under QEMU user emulation. The
# test driver itself is the native one, from the test build.
# Usage: tests/cross.sh [i686|aarch64|s390x ...]
set -euo pipefail
cd "$(dirname "$0")/.."

[ -f build-test/CMakeCache.txt ] || cmake --preset test >/dev/null
cmake --build --preset test --target program_test

declare -A emulator=([i686]=qemu-i386-static [aarch64]=qemu-aarch64-static [s390x]=qemu-s390x-static)
targets=("$@")
[ $# -gt 0 ] || targets=(i686 aarch64 s390x)
for t in "${targets[@]}"; do
	echo "== $t under ${emulator[$t]}"
	cmake --preset "$t" >/dev/null
	cmake --build --preset "$t"
	WGZ_EMULATOR=${emulator[$t]} WGZ_BINARY=$PWD/build-$t/wiedergewinnszeit \
		timeout 900 build-test/tests/program_test --gtest_brief=1
done
