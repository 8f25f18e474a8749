#!/usr/bin/env bash
# The random player's long run: sessions in chunks (a browser of its own each) until STEPS steps are played (20000),
# seeds counted up from SEED; each chunk's log in build-web/player-<seed>.log, the figure at the end.
# Run from the repository's top after building the page: nice web/tests/player.sh
set -uo pipefail
export PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 WERKVERBUND_NATIVE=${WERKVERBUND_NATIVE:-$PWD/build/werkverbund}
want=${STEPS:-20000} seed=${SEED:-$(( $(date +%s) % 1000000 ))} played=0 failed=0 since=$(date +%s) first=$seed
while [ "$played" -lt "$want" ]; do
    log=build-web/player-$seed.log
    WERKVERBUND_RANDOM_SEED=$seed WERKVERBUND_PLAYER_RUNS=${RUNS:-10} WERKVERBUND_PLAYER_STEPS=${SESSION:-60} \
        node --test --test-name-pattern='random player' web/tests/player.test.mjs > "$log" 2>&1 || { failed=$((failed + 1)); echo "seed $seed failed: $log"; }
    played=$((played + $(sed -n 's/.*player: \([0-9]*\) steps played.*/\1/p' "$log" | head -1)))
    echo "$(date -u +%H:%M) seed $seed: $played steps in all, $failed chunks failed"
    seed=$((seed + 1))
done
echo "player: $played steps, seeds $first to $((seed - 1)), $(( ($(date +%s) - since) / 60 )) minutes, $failed chunks failed"
