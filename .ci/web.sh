#!/usr/bin/env bash
# CI for the web edition: every golden case through the WebAssembly core in node and through the page in headless
# Chromium, the randomized comparisons of native and WebAssembly runs and of the plan reader, plan codes in node,
# and the browser tests of the page and of the site folder. Builds the page first when .ci/page.sh has not (esbuild
# for that). Installs Chromium and node when they are missing; playwright-core comes from the lock file and drives
# the installed Chromium (no browser is downloaded).
set -euo pipefail
cd "$(dirname "$0")/.."

.ci/need.sh cmake g++ chromium node=nodejs esbuild npm
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

# the page and the site folder beside it (site.test.js serves the folder)
[ -f build-web/werkverbund.html ] && [ -f build-web/site/index.html ] || bash .ci/page.sh

echo "== web rooms"
node web/build/rooms.js --check README.md doc/design.md

echo "== web tests"
(cd web/tests && npm ci --no-audit --no-fund)
WERKVERBUND_RANDOM_RUNS=${WERKVERBUND_RANDOM_RUNS:-2000} WERKVERBUND_PLAN_RUNS=${WERKVERBUND_PLAN_RUNS:-2000} \
WERKVERBUND_CODE_RUNS=${WERKVERBUND_CODE_RUNS:-1000} \
    node --test web/tests/*.test.js web/tests/*.test.mjs
