#!/usr/bin/env bash
# Static analysis: clang-tidy with the checks of .clang-tidy and cppcheck, both with zero
# findings, and the formatting of .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."

.ci/need.sh clang-tidy run-clang-tidy=clang-tidy clang-format cppcheck

cmake -S . -B build-analysis -DCMAKE_EXPORT_COMPILE_COMMANDS=ON -DWERKVERBUND_TESTS=OFF > /dev/null
run-clang-tidy -p build-analysis -quiet "$(pwd)/src/"

# useStlAlgorithm: the plain loops over the race table are the house style.
cppcheck --enable=warning,style,performance,portability --std=c++20 --error-exitcode=1 --quiet \
    --suppress=useStlAlgorithm --suppress=missingIncludeSystem -I src src fuzz

mapfile -t sources < <(git ls-files '*.cpp' '*.h')
clang-format --dry-run -Werror "${sources[@]}"
echo "static analysis: no findings"
