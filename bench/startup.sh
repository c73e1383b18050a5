#!/usr/bin/env bash
# Start-up cost of each form of run, against /bin/true on the same machine.
# Builds nothing. Usage: bench/startup.sh [BINARY] [RUNS]
#   instructions: valgrind --tool=callgrind, repeatable for the same binary
#   wall time: median of RUNS calls each, the two programs called alternately
set -euo pipefail
binary=${1:-build/wiedergewinnszeit}
runs=${2:-300}
[ -x "$binary" ] || { echo "no program at $binary; build it first" >&2; exit 1; }
command -v valgrind >/dev/null || { echo "valgrind is needed" >&2; exit 1; }

instructions() {
	# The program's own exit status is not a failure here.
	{ valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 >/dev/null || true; } |
		sed -n 's/.*Collected : \([0-9]*\).*/\1/p'
}

median() {
	sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# Microseconds per call, for the program and /bin/true, alternating.
walltimes() {
	local i t0 t1 t2 ours="" theirs=""
	for ((i = 0; i < runs; i++)); do
		t0=$EPOCHREALTIME
		"$@" >/dev/null || true
		t1=$EPOCHREALTIME
		/bin/true
		t2=$EPOCHREALTIME
		ours+="$(( (${t1/./} - ${t0/./}) ))"$'\n'
		theirs+="$(( (${t2/./} - ${t1/./}) ))"$'\n'
	done
	printf '%s %s\n' "$(printf '%s' "$ours" | median)" "$(printf '%s' "$theirs" | median)"
}

base=$(instructions /bin/true)
printf '%s, %s\n' "$(date -u +%Y-%m-%d)" "$(uname -srm)"
printf '/bin/true: %s instructions\n\n' "$base"
printf '%-12s %14s %8s %10s %10s %8s\n' form instructions ratio "us" "us true" ratio
while IFS='|' read -r form args; do
	# shellcheck disable=SC2086
	count=$(instructions "$binary" $args)
	# shellcheck disable=SC2086
	read -r ours theirs < <(walltimes "$binary" $args)
	printf '%-12s %14s %8.2f %10s %10s %8.2f\n' "$form" "$count" \
		"$(echo "$count / $base" | bc -l)" "$ours" "$theirs" "$(echo "$ours / $theirs" | bc -l)"
done <<'FORMS'
table|100 0.24 50 40
page|100 0.24 50 40 -z 5.0 -i 2.5 -a 8 -H
help|
examples|-bH
FORMS
