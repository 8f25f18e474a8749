#!/usr/bin/env bash
# Turns every golden case into a seed for the fuzzer: a byte with the argument count, one byte per
# argument naming its spelling in the fuzzer's table ARGUMENT_SPELLINGS, then the case's standard
# input. The table is read from fuzz_run.cpp itself, so the two cannot disagree.
# usage: make-corpus.sh CORPUS_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
corpus=$1
mkdir -p "$corpus"
mapfile -t spellings < <(sed -n '/ARGUMENT_SPELLINGS\[\] = {/,/};/p' "$here/fuzz_run.cpp" |
    sed 's/^[^{]*{//; s/}.*//' | grep -o '"[^"]*"' | sed 's/^"//; s/"$//')
[ "${#spellings[@]}" -gt 8 ] || { echo "make-corpus.sh: no spellings found in fuzz_run.cpp" >&2; exit 1; }

for case_dir in "$here"/../tests/golden/*/; do
    name=$(basename "$case_dir")
    args=()
    [ -f "$case_dir/args" ] && mapfile -t args < "$case_dir/args"
    {
        printf "\\$(printf '%03o' "${#args[@]}")"
        for arg in "${args[@]}"; do
            index=-1
            for i in "${!spellings[@]}"; do
                if [ "${spellings[$i]}" = "$arg" ]; then index=$i; break; fi
            done
            if [ "$index" -lt 0 ]; then
                echo "make-corpus.sh: $name: add the spelling \"$arg\" to ARGUMENT_SPELLINGS" >&2
                exit 1
            fi
            printf "\\$(printf '%03o' "$index")"
        done
        [ -f "$case_dir/stdin" ] && cat "$case_dir/stdin"
    } > "$corpus/$name"
done
