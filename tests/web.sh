#!/bin/sh
# Builds the browser page and runs the browser test against it, comparing
# with the native program. Exit 77 (skipped) without emscripten, Chromium
# or the test's npm packages.
# Usage: web.sh NATIVE_PROGRAM
set -eu
cd "$(dirname "$0")/.."
for tool in emcmake node npm /usr/bin/chromium; do
	command -v "$tool" >/dev/null || { echo "$tool missing: skipped"; exit 77; }
done
cmake --preset web >/dev/null
cmake --build --preset web
(cd tests/web && { [ -d node_modules/puppeteer-core ] || npm ci --no-audit --no-fund; }) ||
	{ echo "npm packages missing: skipped"; exit 77; }
node tests/web/page_test.mjs build-web/wiedergewinnszeit.html "$1"
