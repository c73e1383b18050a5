#!/bin/sh
# The man page renders without a single warning, and documents every option
# that the program's own help lists.
# Usage: manpage_check.sh PAGE PROGRAM
page=$1
program=$2
for tool in groff mandoc; do
	command -v "$tool" >/dev/null || { echo "$tool missing: skipped"; exit 77; }
done
status=0

warnings=$(groff -man -ww -z "$page" 2>&1)
[ -z "$warnings" ] || { echo "groff: $warnings"; status=1; }
warnings=$(mandoc -T lint "$page" 2>&1)
[ -z "$warnings" ] || { echo "mandoc: $warnings"; status=1; }

text=$(mandoc -T ascii "$page" | col -b)
options=$("$program" | grep -a -o '^  -[A-Za-z]*' | tr -d ' ')
[ -n "$options" ] || { echo "no options found in the help"; status=1; }
for option in $options; do
	printf '%s\n' "$text" | grep -q -E -- "(^|[^-A-Za-z])$option([^A-Za-z]|\$)" ||
		{ echo "option $option is not in the man page"; status=1; }
done
exit $status
