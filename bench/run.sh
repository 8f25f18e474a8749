#!/usr/bin/env bash
# Benchmark of the full run with every option against a fair floor: a C program that makes exactly
# the program's own file calls (the same opens with the same flags, the same reads, the same writes
# of the same bytes, the same closes) with plain system calls and nothing else. The floor is made
# afresh from a trace of the program's run (strace, then bench/trace-to-c.awk), so it follows every
# change of the program. Median wall time with hyperfine, instructions with callgrind, heap
# allocations with memcheck. bench/floor.c, which writes each file once, is timed beside them as
# the least any program could do. Not part of CI.
#
# usage: bench/run.sh [--update-expected]
#   --update-expected  rewrites bench/expected/ (what the full run writes) from the program's full
#                      run; needed after a deliberate change of the program's output.
# BENCH_ROUNDS and BENCH_RUNS set the rounds of timing (default 9) and the timed runs per program
# and round (default 100).
#
# Exits 1 when the full run no longer writes bench/expected/ or a target is missed: median wall
# time at most 1.1 times the fair floor's, instructions at most 3 times, at most 2 heap allocations.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build-bench
args=(-h -br -xl -or -dat -m -es -opt)
input=$root/bench/input.txt
expected=$root/bench/expected
rounds=${BENCH_ROUNDS:-9}
runs=${BENCH_RUNS:-100}
outputs=(console.txt Ergebnis.txt Eingaben.txt Eingaben-Variablen.txt readme.txt)
max_time_ratio=1.1
max_instruction_ratio=3
max_allocations=2

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
command -v strace >/dev/null || need+=(strace)
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

# Runs the full run of $1 (the program with the arguments that follow, or a floor without) in a
# fresh directory $2.
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

echo "== building the floors"
floor=$build/floor
cc -O2 -std=c11 -Wall -Wextra -DEXPECTED_DIR="\"$expected\"" "$root/bench/floor.c" -o "$floor"
full_run "$floor" "$work/floor-check"
matches_expected "$work/floor-check" console || { echo "FAIL the floor does not write bench/expected/" >&2; exit 1; }

mkdir "$work/trace"
(cd "$work/trace" && strace -o "$work/trace.txt" -xx -s 1000000 -e trace=open,openat,creat,read,write,writev,close \
    "$program" "${args[@]}" < "$input" > /dev/null)
awk -f "$root/bench/trace-to-c.awk" "$work/trace.txt" > "$build/fair-floor.c"
fair=$build/fair-floor
# The lines are too long for the compiler's column tracking, which it would mention.
cc -O2 -std=c11 -Wall -Wextra -Wno-misleading-indentation "$build/fair-floor.c" -o "$fair"
full_run "$fair" "$work/fair-check"
matches_expected "$work/fair-check" console || { echo "FAIL the fair floor does not write bench/expected/" >&2; exit 1; }
echo "fair floor: $(grep -c ' = open' "$build/fair-floor.c") opens, $(grep -c 'write(' "$build/fair-floor.c") writes," \
    "$(grep -c 'read(' "$build/fair-floor.c") reads, $(grep -c 'close(' "$build/fair-floor.c") closes (build-bench/fair-floor.c)"

# Rounds of hyperfine, the order of the programs turning each round, so that a change of the
# machine's load falls on all of them alike. Each figure is the median of the rounds' medians;
# the ratio is the median of the rounds' ratios.
echo "== timing ($rounds rounds of $runs runs each)"
mkdir "$work/timing"
names=(werkverbund fair-floor floor)
commands=("'$program' ${args[*]} < '$input'" "'$fair' < '$input'" "'$floor' < '$input'")
for round in $(seq 1 "$rounds"); do
    order=()
    for i in 0 1 2; do
        at=$(((i + round) % 3))
        order+=(-n "${names[$at]}" "${commands[$at]}")
    done
    # hyperfine warns about every run this short; its messages matter only when it fails.
    (cd "$work/timing" && hyperfine --style none --warmup 20 --runs "$runs" --export-json "$work/times.json" \
        "${order[@]}" 2> "$work/hyperfine.err") || { cat "$work/hyperfine.err" >&2; exit 1; }
    # "round name median" for each program of the round.
    awk -v r="$round" -F '"' '/"command":/ { name = $4 } /"median":/ { gsub(/[^0-9.eE+-]/, "", $3); print r, name, $3 }' \
        "$work/times.json" >> "$work/medians"
done
# Each timed run replaced the files of the one before (hyperfine drops the console text).
matches_expected "$work/timing" || { echo "FAIL repeated runs left other files" >&2; exit 1; }
# The median of the rounds' values of $1: a name, or ratio (werkverbund's time over the fair floor's).
median_of() {
    awk -v want="$1" '{ t[$1 " " $2] = $3; if ($1 > n) n = $1 }
        END { for (r = 1; r <= n; ++r) print want == "ratio" ? t[r " werkverbund"] / t[r " fair-floor"] : t[r " " want] }' \
        "$work/medians" | sort -g | awk '{ v[NR] = $1 } END { print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
program_time=$(median_of werkverbund)
fair_time=$(median_of fair-floor)
floor_time=$(median_of floor)
time_ratio=$(median_of ratio)

echo "== counting instructions and heap allocations"
# Prints the instructions that callgrind counts for the whole run of $2 (arguments after it).
count_instructions() {
    local name=$1 binary=$2
    shift 2
    mkdir "$work/cg-$name"
    (cd "$work/cg-$name" &&
        valgrind --tool=callgrind --callgrind-out-file=/dev/null --log-file="$work/$name.cg" \
            "$binary" "$@" < "$input" > /dev/null)
    sed -n 's/.*Collected : \([0-9]*\).*/\1/p' "$work/$name.cg"
}
program_instructions=$(count_instructions werkverbund "$program" "${args[@]}")
fair_instructions=$(count_instructions fair "$fair")

# Prints "total allocs" and then "blocks function" for each function that called the allocator.
mkdir "$work/vg"
(cd "$work/vg" &&
    valgrind --tool=memcheck --xtree-memory=full --xtree-memory-file="$work/allocs.kcg" \
        --log-file="$work/allocs.vg" "$program" "${args[@]}" < "$input" > /dev/null)
program_allocs=$(sed -n 's/.*total heap usage: \([0-9,]*\) allocs.*/\1/p' "$work/allocs.vg" | tr -d ,)

echo
echo "Full run with every option (${args[*]}), scripted answers from bench/input.txt:"
awk -v p="$program_time" -v f="$fair_time" -v l="$floor_time" -v r="$time_ratio" -v pi="$program_instructions" \
    -v fi="$fair_instructions" -v pa="$program_allocs" 'BEGIN {
    printf "                median wall time   instructions   heap allocations\n"
    printf "  werkverbund       %8.3f ms   %12d   %16d\n", p * 1000, pi, pa
    printf "  fair floor        %8.3f ms   %12d\n", f * 1000, fi
    printf "  ratio             %8.2f       %12.2f\n", r, pi / fi
    printf "  floor.c           %8.3f ms   (each file written once)\n", l * 1000
    printf "(times: medians of %d rounds; time ratio: the median of the rounds\047 ratios)\n", '"$rounds"' 
}'
if [ "$program_allocs" -gt 0 ]; then
    echo "Who called the allocator (blocks, function):"
    awk -f "$root/bench/alloc-sites.awk" "$work/allocs.kcg" | sort -rn | sed 's/^/  /'
fi

failed=0
# Prints met or MISSED for the target $1 and sets failed when the awk condition $2 is false.
target() {
    if awk -v r="$time_ratio" -v pi="$program_instructions" -v fi="$fair_instructions" \
        -v pa="$program_allocs" "BEGIN { exit !($2) }"; then
        echo "met    $1"
    else
        echo "MISSED $1"
        failed=1
    fi
}
target "median wall time at most $max_time_ratio times the fair floor's" "r <= $max_time_ratio"
target "instructions at most $max_instruction_ratio times the fair floor's" "pi <= $max_instruction_ratio * fi"
target "at most $max_allocations heap allocations" "pa <= $max_allocations"
exit "$failed"
