#!/usr/bin/env bash
# Runs two builds of the calculator benchmark in turns, so that both meet the same load on a
# shared machine, and prints each one's medians:
#   bench/ui_side_by_side.sh OLD/bin/gavelry_bench_ui NEW/bin/gavelry_bench_ui [rounds]
set -euo pipefail
old=$1 new=$2 rounds=${3:-3}
export QT_QPA_PLATFORM=offscreen
for round in $(seq "$rounds"); do
    for bench in "$old" "$new"; do
        echo "== round $round: $bench"
        # A build may fail on the way out; its figures are printed by then.
        ("$bench" --benchmark_filter='BM_' 2>/dev/null || true) | grep '_median'
    done
done
