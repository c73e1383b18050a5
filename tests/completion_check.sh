#!/usr/bin/env bash
# The bash completion offers what the program takes at each place.
# Usage: completion_check.sh COMPLETION_SCRIPT
source "$1"
status=0
# command line up to the cursor | the offers, in order
while IFS='|' read -r line expected; do
	read -r -a COMP_WORDS <<<"$line"
	[[ $line == *' ' ]] && COMP_WORDS+=("")
	COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
	_wiedergewinnszeit
	offers="${COMPREPLY[*]}"
	[ "$offers" = "$expected" ] || { echo "'$line': '$offers', not '$expected'"; status=1; }
done <<'ROWS'
wiedergewinnszeit |-b -bh -bH
wiedergewinnszeit -b|-b -bh -bH
wiedergewinnszeit -bH|-bH
wiedergewinnszeit 1|
wiedergewinnszeit 100 |
wiedergewinnszeit 100 0.24 50 |
wiedergewinnszeit 100 0.24 50 40 |-z -i -a -h -H
wiedergewinnszeit 100 0.24 50 40 -|-z -i -a -h -H
wiedergewinnszeit 100 0.24 50 40 -z |
wiedergewinnszeit 100 0.24 50 40 -i |
wiedergewinnszeit 100 0.24 50 40 -a |
wiedergewinnszeit 100 0.24 50 40 -a 8 -|-z -i -a -h -H
wiedergewinnszeit 100 0.24 50 40 -z 5 -H|-H
ROWS
exit $status
