#!/usr/bin/env bash
# A short fuzzing run: the whole program in-process under AddressSanitizer and
# UndefinedBehaviorSanitizer, seeded with the golden cases. FUZZ_SECONDS sets the length.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60}

if ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a > /dev/null 2>&1; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq libclang-rt-14-dev
fi

CXX=clang++ cmake -S . -B build-fuzz -DWERKVERBUND_FUZZ=ON -DWERKVERBUND_TESTS=OFF -DWERKVERBUND_WERROR=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build-fuzz -j2 --target werkverbund_fuzz
rm -rf build-fuzz/corpus build-fuzz/seeds
mkdir -p build-fuzz/corpus
fuzz/make-corpus.sh build-fuzz/seeds
# Absolute folders: the target works in a scratch folder of its own.
build-fuzz/werkverbund_fuzz "$PWD/build-fuzz/corpus" "$PWD/build-fuzz/seeds" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 2>&1 | tail -n 20
