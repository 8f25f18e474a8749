#!/usr/bin/env bash
# Turns every golden case into two seeds for the fuzzer: a byte with the argument count, one byte per
# argument naming its spelling in the fuzzer's table ARGUMENT_SPELLINGS, a header of eight bytes, then
# the case's standard input. The header of the first seed is all zeros (a plain run: input in memory,
# files on disk), that of the second (CASE.checked) asks for chunked reads and every other file call
# failing. The table is read from fuzz_run.cpp itself, so the two cannot disagree.
# usage: make-corpus.sh CORPUS_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
corpus=$1
mkdir -p "$corpus"
mapfile -t spellings < <(sed -n '/ARGUMENT_SPELLINGS\[\] = {/,/};/p' "$here/fuzz_run.cpp" |
    sed 's/^[^{]*{//; s/}.*//' | grep -o '"[^"]*"' | sed 's/^"//; s/"$//')
[ "${#spellings[@]}" -gt 8 ] || { echo "make-corpus.sh: no spellings found in fuzz_run.cpp" >&2; exit 1; }

# usage: seed CASE_DIR HEADER
seed() {
    local case_dir=$1 header=$2 args=()
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
        printf "$header"
        if [ -f "$case_dir/stdin" ]; then cat "$case_dir/stdin"; fi
    }
}

for case_dir in "$here"/../tests/golden/*/; do
    name=$(basename "$case_dir")
    seed "$case_dir" '\0\0\0\0\0\0\0\0' > "$corpus/$name"
    seed "$case_dir" '\3\125\125\125\125\245\132\0' > "$corpus/$name.checked"
done
