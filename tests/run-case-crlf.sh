#!/usr/bin/env bash
# Runs one golden case with its standard input turned into CR LF line ends, as a file written
# on Windows has them, and expects exactly the case's output: the console reads CR LF as one
# line end.
#
# usage: run-case-crlf.sh PROGRAM CASE_DIR
set -u
case_dir=$(cd "$2" && pwd)
copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT
cp -a "$case_dir/." "$copy/"
# Every LF gets a CR before it; a last line without a line end stays without one.
sed -z 's/\n/\r\n/g' "$case_dir/stdin" > "$copy/stdin"
# The case's own name in the report, not the scratch copy's.
"$(dirname "$0")/golden/run-case.sh" "$1" "$copy" | sed "s|$(basename "$copy")|$(basename "$case_dir")|"
exit "${PIPESTATUS[0]}"
