#!/usr/bin/env bash
# Builds the web page build-web/werkverbund.html with emscripten, before the packages are made, so that the .deb
# and the Windows zip ship it. Installs emscripten, esbuild (which bundles the page's scripts) and npm (which installs
# the libraries the bundle holds from web/package-lock.json) when missing.
set -euo pipefail
cd "$(dirname "$0")/.."

.ci/need.sh cmake emcc=emscripten node=nodejs esbuild npm
# emscripten's tools load acorn from Debian's node modules, also under a node of another origin.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}

echo "== web page"
emcmake cmake -S . -B build-web -DWERKVERBUND_WERROR=ON > /dev/null
cmake --build build-web -j2
ls -l build-web/werkverbund.html
