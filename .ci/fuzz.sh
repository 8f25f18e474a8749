#!/usr/bin/env bash
# A short fuzzing run of both targets under AddressSanitizer and UndefinedBehaviorSanitizer: the whole program
# in-process (fuzz/fuzz_run.cpp, seeded with the golden cases), then the page's plan entry (fuzz/fuzz_plan.cpp).
# FUZZ_SECONDS sets the length of each; the corpora in build-fuzz/ are kept and grow from run to run. Both start
# from the seeds kept in fuzz/corpus/: for the run target golden inputs under headers that make the reads come in
# chunks, fail or end in a read error, the files fail or exist before the run, and numbers and lines of more than
# 500 characters; for the plan target plans of each option alone and all together, every crystal race, -m values
# shown and typed, values at and beyond the limits, not whole or not finite, and folders in the way of each file.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60}

.ci/need.sh '/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a=libclang-rt-14-dev'

CXX=clang++ cmake -S . -B build-fuzz -DWERKVERBUND_FUZZ=ON -DWERKVERBUND_TESTS=OFF -DWERKVERBUND_WERROR=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build-fuzz -j2 --target werkverbund_fuzz werkverbund_fuzz_plan
rm -rf build-fuzz/seeds
mkdir -p build-fuzz/corpus build-fuzz/corpus-plan
fuzz/make-corpus.sh build-fuzz/seeds
# Absolute folders: the run target works in a scratch folder of its own.
for target in run plan; do
    echo "== fuzz_$target, $seconds seconds"
    if [ "$target" = run ]; then
        set -- build-fuzz/werkverbund_fuzz "$PWD/build-fuzz/corpus" "$PWD/build-fuzz/seeds" "$PWD/fuzz/corpus/run"
    else
        set -- build-fuzz/werkverbund_fuzz_plan "$PWD/build-fuzz/corpus-plan" "$PWD/fuzz/corpus/plan"
    fi
    "$@" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$PWD/build-fuzz/" > "build-fuzz/$target.log" 2>&1 ||
        { tail -n 60 "build-fuzz/$target.log"; exit 1; }
    grep -E "DONE|^stat::" "build-fuzz/$target.log"
done
