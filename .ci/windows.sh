#!/usr/bin/env bash
# CI: cross-builds werkverbund.exe with mingw-w64, runs every golden case against it under wine,
# then builds the .deb and the Windows .zip, checks what they hold and runs lintian on the .deb.
# Installs mingw-w64, wine and lintian when they are missing.
set -euo pipefail
cd "$(dirname "$0")/.."

.ci/need.sh x86_64-w64-mingw32-g++=mingw-w64 wine=wine,wine64 unzip lintian

echo "== Windows build"
cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DWERKVERBUND_TESTS=OFF \
    -DWERKVERBUND_WERROR=ON
cmake --build build-windows -j2
exe=build-windows/werkverbund.exe
# A static build imports only DLLs that every Windows has.
imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr '[:upper:]' '[:lower:]' | sort -u)
extra=$(grep -vxE 'kernel32\.dll|msvcrt\.dll|api-ms-win-.*\.dll' <<< "$imports" || true)
if [ -n "$extra" ]; then
    echo "FAIL $exe needs DLLs beside it: $extra"
    exit 1
fi

echo "== golden cases under wine"
export WINEDEBUG=-all WINEPREFIX="$PWD/build-windows/wineprefix"
# The first start sets up the prefix and takes a while; the cases then start quickly.
wineboot --init > /dev/null 2>&1
trap 'wineserver -k 2>/dev/null || true' EXIT
failed=0 passed=0
for case_dir in tests/golden/*/; do
    [ -e "$case_dir/unix-only" ] && { echo "skip $(basename "$case_dir"): unix-only"; continue; }
    if WERKVERBUND_LAUNCHER=wine tests/golden/run-case.sh "$exe" "$case_dir"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
    fi
done
echo "golden cases under wine: $passed passed, $failed failed"
[ "$failed" = 0 ]

echo "== packages"
cmake -S . -B build-package -DWERKVERBUND_TESTS=OFF -DWERKVERBUND_WERROR=ON > /dev/null
cmake --build build-package -j2
(cd build-package && cpack > /dev/null)
(cd build-windows && cpack > /dev/null)
deb=$(ls build-package/werkverbund_*.deb)
zip=$(ls build-windows/werkverbund-*-win64.zip)
# Each package must hold the program, the manual page, the README and the licence.
check() {
    local package=$1 listing=$2; shift 2
    for entry in "$@"; do
        grep -qE -- "$entry\$" <<< "$listing" || { echo "FAIL $package lacks $entry"; exit 1; }
    done
    echo "ok $package"
}
check "$deb" "$(dpkg-deb -c "$deb")" \
    ./usr/bin/werkverbund ./usr/share/man/man1/werkverbund.1.gz ./usr/share/doc/werkverbund/README.md \
    ./usr/share/doc/werkverbund/copyright ./usr/share/doc/werkverbund/changelog.gz
check "$zip" "$(unzip -l "$zip")" \
    /bin/werkverbund.exe /share/man/man1/werkverbund.1 -win64/README.md -win64/LICENSE
# The page, when .ci/page.sh has built it before, goes into both packages.
if [ -f build-web/werkverbund.html ]; then
    check "$deb" "$(dpkg-deb -c "$deb")" ./usr/share/werkverbund/werkverbund.html
    check "$zip" "$(unzip -l "$zip")" -win64/werkverbund.html
fi
# Errors and warnings of lintian fail the run; its notes may stay.
lintian --fail-on error,warning "$deb"
echo "ok lintian $deb"
if command -v groff > /dev/null; then
    warnings=$(groff -man -Tutf8 -ww -z doc/werkverbund.1 2>&1)
    [ -z "$warnings" ] || { echo "FAIL doc/werkverbund.1: $warnings"; exit 1; }
    echo "ok doc/werkverbund.1"
fi
