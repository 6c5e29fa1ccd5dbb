#!/usr/bin/env bash
# A cancel of a gathering from storage that answers each operation after DELAY_US (a dying
# NAS; default 3 s): a fresh mount of bench_slowfs over TREE, the desktop program's progress
# window (offscreen), its cancel pressed after CANCEL_AFTER seconds (default 2).
#
#   bench/slow_cancel.sh TREE [DELAY_US] [CANCEL_AFTER] [BUILD]     (build/bench by default)
#
# Prints how long after the press the main window was enabled again (target at most 0.5 s).
set -euo pipefail
TREE=$(cd "$1" && pwd)
DELAY=${2:-3000000}
CANCEL_AFTER=${3:-2}
BUILD=${4:-build/bench}
MOUNT=$(mktemp -d)
trap 'fusermount3 -u "$MOUNT" 2>/dev/null || true; rmdir "$MOUNT"' EXIT

"$BUILD/bench/bench_slowfs" "$TREE" "$MOUNT" --delay-us "$DELAY" &
pid=$!
for _ in $(seq 100); do
    mountpoint -q "$MOUNT" && break
    sleep 0.05
done
status=0
"$BUILD/bench/torvane_bench_cancel" "$MOUNT" "$CANCEL_AFTER" || status=$?
# Reads the storage still holds return within one delay; the mount goes once they have.
for _ in $(seq $((DELAY / 100000 + 20))); do
    fusermount3 -u "$MOUNT" 2>/dev/null && break
    sleep 0.1
done
wait "$pid" || true
exit "$status"
