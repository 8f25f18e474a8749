#!/usr/bin/env bash
# usage: update-test.sh PROGRAM GOLDEN_DIR. Each case, its stdout, status and files/ removed and its stderr emptied,
# must come back from run-case.sh --update as it stands: the update writes exactly what the comparison checks.
set -u
program=$(realpath "$1")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failed=0
for case_dir in "$2"/*/; do
    name=$(basename "$case_dir")
    cp -a "$case_dir" "$scratch/$name"
    rm -rf "$scratch/$name/stdout" "$scratch/$name/status" "$scratch/$name/files"
    [ -f "$scratch/$name/stderr" ] && : > "$scratch/$name/stderr"
    "$(dirname "$0")/run-case.sh" --update "$program" "$scratch/$name" > /dev/null
    diff -r "$case_dir" "$scratch/$name" > "$scratch/.diff" && continue
    echo "FAIL $name: the update left the case otherwise"
    head -n 6 "$scratch/.diff" | cut -c1-200 | cat -A | sed 's/^/  /'
    failed=1
done
[ "$failed" = 0 ] && echo "ok every case comes back from its update"
exit "$failed"
