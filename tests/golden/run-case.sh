#!/usr/bin/env bash
# usage: run-case.sh [--update] PROGRAM CASE_DIR. Runs one golden case in an empty scratch directory and compares
# standard output, exit status, standard error (when the case holds one) and the four files the program may write,
# byte for byte. WERKVERBUND_LAUNCHER goes in front of PROGRAM (wine, or pty-launcher), a case's launcher file in
# front of both; WERKVERBUND_CRLF=1 gives the input CR LF line ends (as written on Windows), which must not change
# the output.
# --update then writes what the program did into the case (doc/testing.md); run it plainly (no launcher, no CR LF).
set -u
update=0
[ "${1:-}" = --update ] && update=1 && shift
program=$1
[ -e "$program" ] && program=$(realpath "$program")
case_dir=$(cd "$2" && pwd)
name=$(basename "$case_dir")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

files="Ergebnis.txt Eingaben.txt Eingaben-Variablen.txt readme.txt"
args=()
[ -f "$case_dir/args" ] && mapfile -t args < "$case_dir/args"
input=/dev/null
[ -f "$case_dir/stdin" ] && input="$case_dir/stdin"
# With CR LF every LF gets a CR before it; a last line without a line end stays without one.
[ -n "${WERKVERBUND_CRLF:-}" ] && sed -z 's/\n/\r\n/g' "$input" > "$scratch/.stdin" && input=$scratch/.stdin
[ -d "$case_dir/setup" ] && cp -a "$case_dir/setup/." "$scratch/"

read -r -a launcher <<< "${WERKVERBUND_LAUNCHER:-}"
[ -e "${launcher[0]:-}" ] && launcher[0]=$(realpath "${launcher[0]}")  # a path as given from here, not the scratch
# A case's own launcher (bash, the command in "$@") sets up its standard streams or limits.
[ -f "$case_dir/launcher" ] && launcher=(bash "$case_dir/launcher" "${launcher[@]}")

(cd "$scratch" && timeout 20 "${launcher[@]}" "$program" "${args[@]}" < "$input" \
    > "$scratch/.stdout" 2> "$scratch/.stderr")
status=$?

failed=0
fail() { echo "FAIL $name: $*"; failed=1; }

compare() {
    cmp -s "$1" "$2" && return
    fail "$3 differs: $(cmp "$1" "$2" 2>&1 | head -n 1)"
    diff "$1" "$2" 2>&1 | head -n 6 | cut -c1-200 | cat -A | sed 's/^/  /'
}

expected_status=$(tr -d ' \r\n' 2> /dev/null < "$case_dir/status")
[ "$status" = "${expected_status:=0}" ] || fail "exit status $status, expected $expected_status"

compare "$case_dir/stdout" "$scratch/.stdout" "stdout"
[ -f "$case_dir/stderr" ] && compare "$case_dir/stderr" "$scratch/.stderr" "stderr"

# Whether the program left file $1 as the case's setup holds it.
left_as_set_up() { [ -e "$case_dir/setup/$1" ] && diff -r "$case_dir/setup/$1" "$scratch/$1" > /dev/null 2>&1; }

for file in $files; do
    if [ -f "$case_dir/files/$file" ]; then
        [ -f "$scratch/$file" ] || fail "$file was not written"
        [ -f "$scratch/$file" ] && compare "$case_dir/files/$file" "$scratch/$file" "$file"
    elif [ -e "$case_dir/setup/$file" ]; then
        left_as_set_up "$file" || fail "$file was changed"
    elif [ -e "$scratch/$file" ]; then
        fail "$file was written but should not exist"
    fi
done

if [ "$update" = 1 ]; then
    cp "$scratch/.stdout" "$case_dir/stdout"
    rm -f "$case_dir/status"
    [ "$status" = 0 ] || echo "$status" > "$case_dir/status"
    [ -f "$case_dir/stderr" ] && cp "$scratch/.stderr" "$case_dir/stderr"
    for file in $files; do
        rm -f "$case_dir/files/$file"
        if [ -f "$scratch/$file" ] && ! left_as_set_up "$file"; then
            mkdir -p "$case_dir/files"
            cp "$scratch/$file" "$case_dir/files/$file"
        fi
    done
    rmdir "$case_dir/files" 2> /dev/null
    [ "$failed" = 0 ] && echo "ok $name" || echo "updated $name"
    exit 0
fi
[ "$failed" = 0 ] && echo "ok $name" && exit 0
# A launcher's complaint or a sanitizer's summary comes last.
tail -n 3 "$scratch/.stderr" | sed 's/^/  stderr: /'
exit 1
