#!/usr/bin/env bash
# Benchmark of the full run with every option against a fair floor: a C program that makes exactly
# the program's own file calls (the same opens with the same flags, the same reads, the same writes
# of the same bytes, the same closes) with plain system calls and nothing else. The floor is made
# afresh from a trace of the program's run (strace, then bench/trace-to-c.awk), so it follows every
# change of the program. Instructions with callgrind, heap allocations with memcheck, the libraries
# the program needs with readelf, and the median wall time with hyperfine; bench/floor.c, which
# writes each file once, is timed beside them as the least any program could do.
#
# usage: bench/run.sh [--update-expected]
#        bench/run.sh --check [PROGRAM]
#   --update-expected  rewrites bench/expected/ (what the full run writes) from the program's full
#                      run; needed after a deliberate change of the program's output.
#   --check            the footprint alone, counted the same on every run (CI runs it): no timing,
#                      no hyperfine. PROGRAM is the console program to measure, by default a Release
#                      build into build-bench/; the fair floor is made beside it.
# BENCH_ROUNDS and BENCH_RUNS set the rounds of timing (default 9) and the timed runs per program
# and round (default 100).
#
# Exits 1, naming the figure, when the full run no longer writes bench/expected/ or a bound is
# missed: instructions at most 2.7 times the fair floor's, no heap allocation, no library beyond
# the C library and libm (and the dynamic loader); and, when timed, the median wall time at most
# 1.1 times the fair floor's.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
args=(-h -br -xl -or -dat -m -es -opt)
input=$root/bench/input.txt
expected=$root/bench/expected
rounds=${BENCH_ROUNDS:-9}
runs=${BENCH_RUNS:-100}
outputs=(console.txt Ergebnis.txt Eingaben.txt Eingaben-Variablen.txt readme.txt)
max_time_ratio=1.1
max_instruction_ratio=2.7
max_allocations=0

usage() { echo "usage: bench/run.sh [--update-expected] | --check [PROGRAM]" >&2; exit 2; }
update=0 check=0 program=
case "${1:-}" in
    --update-expected) update=1; [ $# = 1 ] || usage ;;
    --check) check=1; program=${2:-}; [ $# -le 2 ] || usage ;;
    "") ;;
    *) usage ;;
esac

# libc6-dbg names the C library's own functions in valgrind's allocation stacks.
tools=(cmake g++ cc=gcc valgrind strace readelf=binutils dpkg:libc6-dbg)
[ "$check" = 1 ] || tools+=(hyperfine)
"$root/.ci/need.sh" "${tools[@]}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if [ -z "$program" ]; then
    echo "== building Release into build-bench/"
    cmake -S "$root" -B "$root/build-bench" -DCMAKE_BUILD_TYPE=Release -DWERKVERBUND_TESTS=OFF > /dev/null
    cmake --build "$root/build-bench" -j2 --target werkverbund > /dev/null
    program=$root/build-bench/werkverbund
fi
program=$(realpath "$program")
build=$(dirname "$program")

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

echo "== making the fair floor from the program's file calls"
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
    "$(grep -c 'read(' "$build/fair-floor.c") reads, $(grep -c 'close(' "$build/fair-floor.c") closes ($build/fair-floor.c)"

echo "== counting instructions and heap allocations"
# Says why valgrind could not count the run of $1 (its log is $2) and ends the script.
valgrind_failed() {
    echo "FAIL valgrind could not count the run of $1:" >&2
    grep -v '^==[0-9]*== *$' "$2" | tail -n 6 >&2
    exit 1
}

# Prints the instructions that callgrind counts for the whole run of $2 (arguments after it).
count_instructions() {
    local name=$1 binary=$2
    shift 2
    mkdir "$work/cg-$name"
    (cd "$work/cg-$name" &&
        valgrind --tool=callgrind --callgrind-out-file=/dev/null --log-file="$work/$name.cg" \
            "$binary" "$@" < "$input" > /dev/null) || valgrind_failed "$binary" "$work/$name.cg"
    sed -n 's/.*Collected : \([0-9]*\).*/\1/p' "$work/$name.cg"
}
program_instructions=$(count_instructions werkverbund "$program" "${args[@]}")
fair_instructions=$(count_instructions fair "$fair")

# The heap allocations of the run; the xtree file tells who called the allocator.
mkdir "$work/vg"
(cd "$work/vg" &&
    valgrind --tool=memcheck --xtree-memory=full --xtree-memory-file="$work/allocs.kcg" \
        --log-file="$work/allocs.vg" "$program" "${args[@]}" < "$input" > /dev/null) ||
    valgrind_failed "$program" "$work/allocs.vg"
program_allocs=$(sed -n 's/.*total heap usage: \([0-9,]*\) allocs.*/\1/p' "$work/allocs.vg" | tr -d ,)

# The shared libraries the program needs beyond the C library, libm and the loader, and what it
# imports from anything but the C library (the C++ runtime's guards, exception personality, unwinder).
libraries=$(readelf -d "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]$/\1/p' | paste -sd ' ')
extra_libraries=$(tr ' ' '\n' <<< "$libraries" | { grep -vxE 'libc\.so\.[0-9]+|libm\.so\.[0-9]+|ld-linux.*' || true; } |
    paste -sd ' ')
foreign_imports=$(readelf --dyn-syms -W "$program" | awk '$7 == "UND" && $8 ~ /@/ && $8 !~ /@GLIBC_/ { print $8 }' |
    sort -u | paste -sd ' ')

instruction_ratio=$(awk -v pi="$program_instructions" -v fi="$fair_instructions" 'BEGIN { printf "%.2f", pi / fi }')

echo
echo "Full run with every option (${args[*]}), scripted answers from bench/input.txt:"
awk -v pi="$program_instructions" -v fi="$fair_instructions" -v r="$instruction_ratio" -v pa="$program_allocs" \
    -v l="$libraries" 'BEGIN {
    printf "                  instructions   heap allocations   libraries\n"
    printf "  werkverbund     %12d   %16d   %s\n", pi, pa, l
    printf "  fair floor      %12d\n", fi
    printf "  ratio           %12s\n", r
}'

failed=0
# Says met, or MISSED with the figure, for the bound $1 and sets failed when the awk condition $2 is false.
bound() {
    if awk -v pi="$program_instructions" -v fi="$fair_instructions" -v pa="$program_allocs" "BEGIN { exit !($2) }"; then
        echo "met    $1"
    else
        echo "MISSED $1: $3"
        failed=1
    fi
}
bound "instructions at most $max_instruction_ratio times the fair floor's" "pi <= $max_instruction_ratio * fi" \
    "$program_instructions against $fair_instructions, $instruction_ratio times"
bound "no heap allocation" "pa <= $max_allocations" "$program_allocs made"
if [ "$program_allocs" -gt "$max_allocations" ]; then
    echo "Who called the allocator (blocks, function):"
    awk -f "$root/bench/alloc-sites.awk" "$work/allocs.kcg" | sort -rn | sed 's/^/  /'
fi
if [ -z "$extra_libraries$foreign_imports" ]; then
    echo "met    no library beyond the C library and libm"
else
    echo "MISSED no library beyond the C library and libm: needs ${extra_libraries:-no other library}; imports" \
        "${foreign_imports:-nothing else}"
    failed=1
fi
[ "$check" = 0 ] || exit "$failed"

echo "== building the floor that writes each file once"
floor=$build/floor
cc -O2 -std=c11 -Wall -Wextra -DEXPECTED_DIR="\"$expected\"" "$root/bench/floor.c" -o "$floor"
full_run "$floor" "$work/floor-check"
matches_expected "$work/floor-check" console || { echo "FAIL the floor does not write bench/expected/" >&2; exit 1; }

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
time_ratio=$(median_of ratio)
echo
awk -v p="$(median_of werkverbund)" -v f="$(median_of fair-floor)" -v l="$(median_of floor)" -v r="$time_ratio" 'BEGIN {
    printf "                  median wall time\n"
    printf "  werkverbund       %8.3f ms\n", p * 1000
    printf "  fair floor        %8.3f ms\n", f * 1000
    printf "  ratio             %8.2f\n", r
    printf "  floor.c           %8.3f ms   (each file written once)\n", l * 1000
    printf "(medians of %d rounds; the ratio is the median of the rounds\047 ratios)\n", '"$rounds"'
}'
if awk -v r="$time_ratio" "BEGIN { exit !(r <= $max_time_ratio) }"; then
    echo "met    median wall time at most $max_time_ratio times the fair floor's"
else
    echo "MISSED median wall time at most $max_time_ratio times the fair floor's: $time_ratio times"
    failed=1
fi
exit "$failed"
