#!/usr/bin/env bash
# Turns every golden case into a seed for the fuzzer: a byte with the argument count, one byte per
# argument naming its spelling in the fuzzer's table, then the case's standard input.
# usage: make-corpus.sh CORPUS_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
corpus=$1
mkdir -p "$corpus"
spellings=( -h -br -xl -or -dat -m -es -opt /XL Xxl xh -help -Dateien -options -OPT -BR -x -o -op -orx - "" h --h )

for case_dir in "$here"/../tests/golden/*/; do
    name=$(basename "$case_dir")
    args=()
    [ -f "$case_dir/args" ] && mapfile -t args < "$case_dir/args"
    {
        printf "\\$(printf '%03o' "${#args[@]}")"
        for arg in "${args[@]}"; do
            index=0
            for i in "${!spellings[@]}"; do
                if [ "${spellings[$i]}" = "$arg" ]; then index=$i; break; fi
            done
            printf "\\$(printf '%03o' "$index")"
        done
        [ -f "$case_dir/stdin" ] && cat "$case_dir/stdin"
    } > "$corpus/$name"
done
