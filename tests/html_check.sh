#!/bin/sh
# Every complete page the program writes is valid HTML 4.01 Transitional, and
# so is every fragment inside a minimal page. The one warning tidy gives,
# '<table> lacks "summary" attribute', comes from the fixed table markup.
# Usage: html_check.sh PROGRAM
program=$1
command -v tidy >/dev/null || { echo "tidy missing: skipped"; exit 77; }
status=0
page=$(mktemp)
trap 'rm -f "$page"' EXIT

check() {
	findings=$(tidy -q -e "$page" 2>&1 | grep -v '<table> lacks "summary" attribute')
	if [ -n "$findings" ]; then
		echo "$1:"
		echo "$findings"
		status=1
	fi
}

wrapped() {
	printf '%s\n' '<!doctype html public "-//w3c//dtd html 4.01 Transitional//en" "http://www.w3.org/TR/html4/loose.dtd">' \
		'<html lang="de">' '<head>' '<title>Test</title>' \
		'<meta http-equiv="content-type" content="text/html; charset=utf-8">' '</head>' '<body>'
	"$@"
	printf '%s\n' '</body>' '</html>'
}

for args in "100 0.24 50 40" "100 0.24 50 40 -a 8" "100 0.24 50 40 -z 5 -i 2.5" \
	"100 0.24 50 40 -z 5 -i 2.5 -a 8" "300 0.30 0 -100 -a 12"; do
	# shellcheck disable=SC2086
	"$program" $args -H >"$page"
	check "$args -H"
	# shellcheck disable=SC2086
	wrapped "$program" $args -h >"$page"
	check "$args -h"
done
"$program" -bH >"$page"
check "-bH"
wrapped "$program" -bh >"$page"
check "-bh"
exit $status
