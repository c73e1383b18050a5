#!/bin/sh
# Builds the browser page and runs the browser test against it in each
# engine installed (Chromium, Firefox, WebKit), comparing with the native
# program. Exit 77 (skipped) without emscripten, without the test's npm
# packages, or with no engine at all.
# Usage: web.sh NATIVE_PROGRAM
set -eu
cd "$(dirname "$0")/.."
for tool in emcmake node npm iconv; do
	command -v "$tool" >/dev/null || { echo "$tool missing: skipped"; exit 77; }
done
cmake --preset web >/dev/null
cmake --build --preset web
(cd tests/web && { [ -d node_modules/puppeteer-core ] && [ -d node_modules/axe-core ] || npm ci --no-audit --no-fund; }) ||
	{ echo "npm packages missing: skipped"; exit 77; }
node tests/web/page_test.mjs build-web/wiedergewinnszeit.html "$1"
