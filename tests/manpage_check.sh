#!/bin/sh
# The man pages render without a single warning, and the program's page
# documents every option that the program's own help lists.
# Usage: manpage_check.sh PAGE PROGRAM [OTHER_PAGE ...]
page=$1
program=$2
shift 2
for tool in groff mandoc; do
	command -v "$tool" >/dev/null || { echo "$tool missing: skipped"; exit 77; }
done
status=0

for each in "$page" "$@"; do
	warnings=$(groff -man -ww -z "$each" 2>&1)
	[ -z "$warnings" ] || { echo "groff: $warnings"; status=1; }
	warnings=$(mandoc -T lint "$each" 2>&1)
	[ -z "$warnings" ] || { echo "mandoc: $warnings"; status=1; }
done

text=$(mandoc -T ascii "$page" | col -b)
options=$("$program" | grep -a -o '^  -[A-Za-z]*' | tr -d ' ')
[ -n "$options" ] || { echo "no options found in the help"; status=1; }
for option in $options; do
	printf '%s\n' "$text" | grep -q -E -- "(^|[^-A-Za-z])$option([^A-Za-z]|\$)" ||
		{ echo "option $option is not in the man page"; status=1; }
done
exit $status
