#!/usr/bin/env bash
# Benchmark of the full run with every option against the floor program bench/floor.c: median
# wall time with hyperfine, heap allocations with valgrind. Not part of CI.
#
# usage: bench/run.sh [--update-expected]
#   --update-expected  rewrites bench/expected/ (what the floor writes) from the program's full
#                      run; needed after a deliberate change of the program's output.
# BENCH_RUNS sets the number of timed runs per program and round (default 300).
#
# Exits 1 when the full run no longer writes bench/expected/ or a target is missed: no heap
# allocation other than C stdio's for its streams, median wall time at most 1.5 times the floor's.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build-bench
args=(-h -br -xl -or -dat -m -es -opt)
input=$root/bench/input.txt
expected=$root/bench/expected
runs=${BENCH_RUNS:-300}
outputs=(console.txt Ergebnis.txt Eingaben.txt Eingaben-Variablen.txt readme.txt)

update=0
case "${1:-}" in
    --update-expected) update=1 ;;
    "") ;;
    *) echo "usage: bench/run.sh [--update-expected]" >&2; exit 2 ;;
esac

# libc6-dbg names the C library's own functions in valgrind's allocation stacks.
need=()
command -v cmake >/dev/null || need+=(cmake)
command -v g++ >/dev/null || need+=(g++)
command -v cc >/dev/null || need+=(gcc)
command -v hyperfine >/dev/null || need+=(hyperfine)
command -v valgrind >/dev/null || need+=(valgrind)
dpkg -s libc6-dbg >/dev/null 2>&1 || need+=(libc6-dbg)
if [ "${#need[@]}" -gt 0 ]; then
    sudo=()
    [ "$(id -u)" = 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${need[@]}"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "== building Release into build-bench/"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DWERKVERBUND_TESTS=OFF > /dev/null
cmake --build "$build" -j2 --target werkverbund > /dev/null
program=$build/werkverbund

# Runs the full run of $1 (the program, or the floor without arguments) in a fresh directory $2.
full_run() {
    local binary=$1 dir=$2
    shift 2
    mkdir -p "$dir"
    (cd "$dir" && "$binary" "$@" < "$input" > console.txt 2> "$work/stderr") || {
        echo "FAIL $binary ended with status $?" >&2
        exit 1
    }
    if [ -s "$work/stderr" ]; then
        echo "FAIL $binary wrote to standard error:" >&2
        cat "$work/stderr" >&2
        exit 1
    fi
}

# Checks that directory $1 holds exactly the expected files (the console text only when $2 is
# "console"), byte for byte.
matches_expected() {
    local dir=$1 file files=("${outputs[@]}")
    [ "${2:-}" = console ] || files=("${outputs[@]:1}")
    [ "$(cd "$dir" && ls | sort)" = "$(printf '%s\n' "${files[@]}" | sort)" ] || return 1
    for file in "${files[@]}"; do
        cmp -s "$expected/$file" "$dir/$file" || return 1
    done
}

full_run "$program" "$work/check" "${args[@]}"
if [ "$update" = 1 ]; then
    mkdir -p "$expected"
    for file in "${outputs[@]}"; do cp "$work/check/$file" "$expected/$file"; done
    echo "bench/expected/ rewritten from the full run"
elif ! matches_expected "$work/check" console; then
    echo "FAIL the full run no longer writes what bench/expected/ holds; after a deliberate change of" >&2
    echo "     the output, run bench/run.sh --update-expected" >&2
    exit 1
fi

echo "== building the floor"
floor=$build/floor
cc -O2 -std=c11 -Wall -Wextra -DEXPECTED_DIR="\"$expected\"" "$root/bench/floor.c" -o "$floor"
full_run "$floor" "$work/floor-check"
matches_expected "$work/floor-check" console || { echo "FAIL the floor does not write bench/expected/" >&2; exit 1; }

# Three rounds of hyperfine, each timing both after warm-up runs; the figures are the medians
# of the three rounds' medians, which steadies them against a busy machine.
echo "== timing (3 rounds of $runs runs each)"
mkdir "$work/timing"
program_medians=()
floor_medians=()
for round in 1 2 3; do
    (cd "$work/timing" &&
        hyperfine --style basic --warmup 50 --runs "$runs" --export-json "$work/times-$round.json" \
            -n werkverbund "'$program' ${args[*]} < '$input'" \
            -n floor "'$floor' < '$input'" 2>&1 | grep -E '^(Benchmark|  Time)')
    mapfile -t medians < <(sed -n 's/^ *"median": *\([0-9.eE+-]*\),*$/\1/p' "$work/times-$round.json")
    program_medians+=("${medians[0]}")
    floor_medians+=("${medians[1]}")
done
# Each timed run replaced the files of the one before (hyperfine drops the console text).
matches_expected "$work/timing" || { echo "FAIL repeated runs left other files" >&2; exit 1; }
middle() { printf '%s\n' "$@" | sort -g | sed -n 2p; }
program_median=$(middle "${program_medians[@]}")
floor_median=$(middle "${floor_medians[@]}")

echo "== counting heap allocations"
# Prints "total allocs" and then "blocks function" for each function that called the allocator.
count_allocs() {
    local name=$1 binary=$2
    shift 2
    mkdir "$work/vg-$name"
    (cd "$work/vg-$name" &&
        valgrind --tool=memcheck --xtree-memory=full --xtree-memory-file="$work/$name.kcg" \
            --log-file="$work/$name.vg" "$binary" "$@" < "$input" > /dev/null)
    sed -n 's/.*total heap usage: \([0-9,]*\) allocs.*/\1/p' "$work/$name.vg" | tr -d ,
    awk -f "$root/bench/alloc-sites.awk" "$work/$name.kcg" | sort -rn
}
mapfile -t program_allocs < <(count_allocs werkverbund "$program" "${args[@]}")
mapfile -t floor_allocs < <(count_allocs floor "$floor")

# The C library's own allocations for a stream: the FILE of fopen and the stream's buffer.
foreign=$(printf '%s\n' "${program_allocs[@]:1}" | grep -vE '^[0-9]+ (__fopen_internal|_IO_file_doallocate)$' || true)

echo
echo "Full run with every option (${args[*]}), scripted answers from bench/input.txt:"
awk -v p="$program_median" -v f="$floor_median" -v pa="${program_allocs[0]}" -v fa="${floor_allocs[0]}" 'BEGIN {
    printf "                median wall time              heap allocations\n"
    printf "  werkverbund   %8.3f ms                  %6d\n", p * 1000, pa
    printf "  floor         %8.3f ms                  %6d\n", f * 1000, fa
    printf "  ratio         %8.2f (target: at most 1.5)\n", p / f
}'
echo "Who called the allocator in the full run (blocks, function):"
printf '  %s\n' "${program_allocs[@]:1}"

failed=0
if [ -n "$foreign" ]; then
    echo "MISSED no heap allocation by the program's own code; allocated elsewhere:"
    printf '  %s\n' "$foreign"
    failed=1
else
    echo "met    no heap allocation by the program's own code (only C stdio for its streams)"
fi
if awk -v p="$program_median" -v f="$floor_median" 'BEGIN { exit !(p <= 1.5 * f) }'; then
    echo "met    median wall time within 1.5 times the floor's"
else
    echo "MISSED median wall time within 1.5 times the floor's"
    failed=1
fi
exit "$failed"
