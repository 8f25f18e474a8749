#!/usr/bin/env bash
# A mutation round over the page's pure modules with StrykerJS (from this folder's lock file): each module is
# mutated in turn and the node tests that cover it run on every mutant. Not part of CI: a round takes an hour or
# more on two cores. Needs the WebAssembly core in build-web and the console program in build (the node tests
# load both; WERKVERBUND_WEB_BUILD and WERKVERBUND_NATIVE say where, as for the web tests).
#   bench/mutation/run.sh                 # every module below
#   bench/mutation/run.sh plan/store record/csv    # only these
#   bench/mutation/run.sh plan/store:1-130         # only these lines of a module
#   TESTS="limits plans" bench/mutation/run.sh plan/plan:31-58   # against other tests than those named below
# The reports land in build-mutation/<module>/: Stryker's log with the survivors in run.log, the HTML and JSON
# reports beside it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
cd "$top"
export WERKVERBUND_WEB_BUILD=${WERKVERBUND_WEB_BUILD:-$top/build-web}
export WERKVERBUND_NATIVE=${WERKVERBUND_NATIVE:-$top/build/werkverbund}
# the random comparison of the plan reader with the console program and the random plans through their address
# and code: few plans, always the same ones
export WERKVERBUND_PLAN_RUNS=${WERKVERBUND_PLAN_RUNS:-60} WERKVERBUND_RANDOM_SEED=${WERKVERBUND_RANDOM_SEED:-1}
export WERKVERBUND_CODE_RUNS=${WERKVERBUND_CODE_RUNS:-100}
for need in "$WERKVERBUND_WEB_BUILD/web/werkverbund-core.wasm" "$WERKVERBUND_NATIVE"; do
    [ -e "$need" ] || { echo "missing $need: build the WebAssembly core (build-web) and the console program (build) first" >&2; exit 2; }
done
[ -d "$here/node_modules/@stryker-mutator/core" ] || (cd "$here" && npm ci --no-audit --no-fund)

# module: the node tests that cover it (those that load it, directly or through the module that uses it); the plan
# module's field checks are also covered by limits and plans, left out here as they take a minute a mutant
declare -A tests=(
    [lib/format]="export results"
    [plan/plan]="store results"
    [record/rows]="export results"
    [record/checklist]="export results"
    [record/csv]="export results"
    [record/compare]="export results"
    [plan/carry]="export results"
    [plan/checked]="store plancode"
    [plan/address]="store plancode"
    [plan/planfile]="store plancode"
    [plan/storage]="store plancode"
    [plan/store]="store plancode"
    [plan/packed]="plancode"
    [plan/plancode]="plancode"
    [plan/sum]="together"
    [record/together]="together"
    [record/describe]="results"
    [record/explain]="results"
    [record/chain]="results"
    [plan/answers]="results"
)
order=(plan/store plan/checked plan/address plan/planfile plan/storage lib/format record/rows record/checklist record/csv
    record/compare plan/carry plan/plan record/describe record/chain record/explain plan/answers plan/packed plan/plancode
    plan/sum record/together)
[ $# -gt 0 ] && order=("$@")
for part in "${order[@]}"; do
    module=${part%%:*}
    range=${part#"$module"}
    [ -n "${tests[$module]:-}" ] || { echo "no tests named for $module" >&2; exit 2; }
    files=$(for t in ${TESTS:-${tests[$module]}}; do printf 'web/tests/%s.test.mjs ' "$t"; done)
    out=build-mutation/${module//\//-}${range:+-${range#:}}
    mkdir -p "$out"
    echo "== web/$module.js$range against $files"
    # the command runner's command has no flag of its own: each module gets a config file of its own
    cat > "$out/stryker.config.json" <<JSON
{
  "testRunner": "command",
  "commandRunner": { "command": "node --test --test-concurrency=1 $files" },
  "coverageAnalysis": "off",
  "mutate": ["web/$module.js$range"],
  "reporters": ["clear-text", "html", "json", "progress-append-only"],
  "htmlReporter": { "fileName": "$out/index.html" },
  "jsonReporter": { "fileName": "$out/mutation.json" },
  "ignorePatterns": ["/*", "!/web/", "!/tests/", "/tests/unit/", "/web/tests/node_modules/"],
  "tempDirName": "build-mutation/.tmp-${module//\//-}",
  "concurrency": ${STRYKER_CONCURRENCY:-2},
  "timeoutMS": 60000
}
JSON
    "$here/node_modules/.bin/stryker" run "$out/stryker.config.json" > "$out/run.log" 2>&1 ||
        echo "stryker failed on $module: see $out/run.log"
    grep -E '^ *(File|All files|[a-z]+\.js) *\|' "$out/run.log" || true
done
