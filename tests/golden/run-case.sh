#!/usr/bin/env bash
# Runs one golden case: the program in an empty scratch directory with the case's arguments and
# standard input, then compares standard output, exit status, standard error (when the case holds
# one) and the four files the program may write, byte for byte.
#
# usage: run-case.sh PROGRAM CASE_DIR
# WERKVERBUND_LAUNCHER, when set, is put in front of PROGRAM (for example "wine", or pty-launcher
# to type the input on a terminal); a case's launcher file, when present, in front of both.
# WERKVERBUND_CRLF=1 gives the input CR LF line ends, as a file written on Windows has them; the
# console reads CR LF as one line end, so the output must not change.
set -u
program=$1
[ -e "$program" ] && program=$(realpath "$program")
case_dir=$(cd "$2" && pwd)
name=$(basename "$case_dir")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

args=()
if [ -f "$case_dir/args" ]; then
    mapfile -t args < "$case_dir/args"
fi
input=/dev/null
[ -f "$case_dir/stdin" ] && input="$case_dir/stdin"
if [ -n "${WERKVERBUND_CRLF:-}" ]; then
    # Every LF gets a CR before it; a last line without a line end stays without one.
    sed -z 's/\n/\r\n/g' "$input" > "$scratch/.stdin"
    input=$scratch/.stdin
fi
[ -d "$case_dir/setup" ] && cp -a "$case_dir/setup/." "$scratch/"

launcher=()
[ -n "${WERKVERBUND_LAUNCHER:-}" ] && read -r -a launcher <<< "$WERKVERBUND_LAUNCHER"
# A case's own launcher (bash, the command in "$@") sets up its standard streams or limits.
[ -f "$case_dir/launcher" ] && launcher=(bash "$case_dir/launcher" "${launcher[@]}")

(cd "$scratch" && timeout 20 "${launcher[@]}" "$program" "${args[@]}" < "$input" \
    > "$scratch/.stdout" 2> "$scratch/.stderr")
status=$?

failed=0
fail() { echo "FAIL $name: $*"; failed=1; }

# Reports where two files first differ, with the line that differs on each side.
compare() {
    local expected=$1 actual=$2 what=$3
    if ! cmp -s "$expected" "$actual"; then
        local where line
        where=$(cmp "$expected" "$actual" 2>&1 | head -n 1)
        fail "$what differs: $where"
        line=$(cmp "$expected" "$actual" 2>/dev/null | sed -n 's/.* line \([0-9]*\).*/\1/p')
        if [ -n "$line" ]; then
            echo "  expected line $line: $(sed -n "${line}p" "$expected" | cat -A | cut -c1-200)"
            echo "  actual   line $line: $(sed -n "${line}p" "$actual" | cat -A | cut -c1-200)"
        fi
    fi
}

expected_status=0
[ -f "$case_dir/status" ] && expected_status=$(tr -d ' \r\n' < "$case_dir/status")
[ "$status" = "$expected_status" ] || fail "exit status $status, expected $expected_status"

compare "$case_dir/stdout" "$scratch/.stdout" "stdout"
[ -f "$case_dir/stderr" ] && compare "$case_dir/stderr" "$scratch/.stderr" "stderr"

for file in Ergebnis.txt Eingaben.txt Eingaben-Variablen.txt readme.txt; do
    if [ -f "$case_dir/files/$file" ]; then
        if [ -f "$scratch/$file" ]; then
            compare "$case_dir/files/$file" "$scratch/$file" "$file"
        else
            fail "$file was not written"
        fi
    elif [ -e "$case_dir/setup/$file" ]; then
        diff -r "$case_dir/setup/$file" "$scratch/$file" > /dev/null 2>&1 || fail "$file was changed"
    elif [ -e "$scratch/$file" ]; then
        fail "$file was written but should not exist"
    fi
done

if [ "$failed" = 0 ]; then
    echo "ok $name"
else
    # A launcher's complaint or a sanitizer's summary comes last.
    tail -n 3 "$scratch/.stderr" | sed 's/^/  stderr: /'
fi
exit "$failed"
