#!/usr/bin/env bash
# CI for the web edition: builds werkverbund.html with emscripten, then runs every golden case
# through the WebAssembly core in node and through the page in headless Chromium, the randomized
# comparison of native and WebAssembly runs, and the browser test of the form. Installs
# emscripten, Chromium and node when they are missing; playwright-core comes from the lock file
# and drives the installed Chromium (no browser is downloaded).
set -euo pipefail
cd "$(dirname "$0")/.."

need=()
command -v cmake >/dev/null || need+=(cmake)
command -v g++ >/dev/null || need+=(g++)
command -v emcc >/dev/null || need+=(emscripten)
command -v chromium >/dev/null || need+=(chromium)
command -v node >/dev/null || need+=(nodejs)
command -v npm >/dev/null || need+=(npm)
if [ "${#need[@]}" -gt 0 ]; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${need[@]}"
fi
# emscripten's tools load acorn from Debian's node modules, also under a node of another origin.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
export PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1

echo "== console program (the randomized comparison's reference)"
if [ -f build/CMakeCache.txt ]; then
    cmake --build build -j2 --target werkverbund
    export WERKVERBUND_NATIVE=$PWD/build/werkverbund
else
    cmake -S . -B build-native -DWERKVERBUND_TESTS=OFF > /dev/null
    cmake --build build-native -j2 --target werkverbund
    export WERKVERBUND_NATIVE=$PWD/build-native/werkverbund
fi

echo "== web page"
emcmake cmake -S . -B build-web > /dev/null
cmake --build build-web -j2
ls -l build-web/werkverbund.html

echo "== web tests"
(cd web/tests && npm ci --no-audit --no-fund)
WERKVERBUND_RANDOM_RUNS=${WERKVERBUND_RANDOM_RUNS:-2000} node --test \
    web/tests/golden.test.js web/tests/random.test.js web/tests/browser.test.js

# The packages made earlier by .ci/windows.sh ship the page now that it is built.
for dir in build-package build-windows; do
    [ -f "$dir/CPackConfig.cmake" ] || continue
    (cd "$dir" && cpack > /dev/null 2>&1)
    if [ "$dir" = build-package ]; then
        package=$(echo "$dir"/werkverbund_*.deb)
        listing=$(dpkg-deb -c "$package")
    else
        package=$(echo "$dir"/werkverbund-*-win64.zip)
        listing=$(unzip -l "$package")
    fi
    grep -q 'werkverbund\.html$' <<< "$listing" || { echo "FAIL $package lacks werkverbund.html"; exit 1; }
    echo "ok $package ships werkverbund.html"
done
