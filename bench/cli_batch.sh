#!/usr/bin/env bash
# Times gavelry-calc on a batch of auction lines read from standard input, as a price
# comparison script would feed it. The lines are the example auctions with their amounts,
# weights and picture counts varied, so no two neighbouring lines are alike.
#
# Usage: bench/cli_batch.sh [path/to/gavelry-calc] [number of lines, default 100000]
# Prints the time taken; exits non-zero when gavelry-calc fails or its output is short.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
data=$here/../data
calc=${1:-$here/../build-bench/bin/gavelry-calc}
lines=${2:-100000}
target_ms=1000

if [[ ! -x $calc ]]; then
    echo "cli_batch: no gavelry-calc at $calc (build it, or name it as the first argument)" >&2
    exit 2
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Each amount of [OUTLAY] and the weight and mark-up of [POSTAGE] are scaled by a factor
# between 0.5 and 2.5; the picture count runs from 0 to 11.
awk -v n="$lines" '
    function scale(s, f) { return s == 0 ? s : sprintf("%.2f", s * f) }
    function section(line, marker, parts,    a) {
        split(line, a, marker)
        parts[1] = a[1]; parts[2] = a[2]; parts[3] = a[3]
    }
    { sub(/\r$/, ""); if (length($0) > 0) example[count++] = $0 }
    END {
        for (i = 0; i < n; i++) {
            line = example[i % count]
            f = 0.5 + (i % 1000) / 500

            section(line, "\\[OUTLAY\\]", p)
            split(p[2], o, "|")
            outlay = scale(o[1], f) "|" scale(o[2], f) "|" scale(o[3], f) "|" scale(o[4], f) \
                     "|" o[5] "|" o[6]
            line = p[1] "[OUTLAY]" outlay "[OUTLAY]" p[3]

            section(line, "\\[POSTAGE\\]", p)
            split(p[2], q, "|")
            q[2] = scale(q[2], f); q[9] = scale(q[9], f)
            postage = q[1]
            for (k = 2; k <= 10; k++) postage = postage "|" q[k]
            line = p[1] "[POSTAGE]" postage "[POSTAGE]" p[3]

            section(line, "\\[FEATURES\\]", p)
            split(p[2], s, "|")
            line = p[1] "[FEATURES]" s[1] "|" (i % 12) "[FEATURES]" p[3]
            print line
        }
    }' "$data"/examples/*.gva >"$work/auctions.txt"

start=$(date +%s%N)
status=0
"$calc" --prices "$data/UpdateUK_v0102.dat" --format json - \
    <"$work/auctions.txt" >"$work/figures.json" 2>"$work/errors.txt" || status=$?
end=$(date +%s%N)
elapsed_ms=$(((end - start) / 1000000))

results=$(wc -l <"$work/figures.json")
failures=$(grep -c '"error"' "$work/figures.json" || true)
printf 'gavelry-calc --format json: %d auctions in %d.%03d s (target %d.%03d s): %s\n' \
    "$lines" $((elapsed_ms / 1000)) $((elapsed_ms % 1000)) $((target_ms / 1000)) \
    $((target_ms % 1000)) "$([[ $elapsed_ms -le $target_ms ]] && echo met || echo MISSED)"

if [[ $status -ne 0 || $results -ne $lines || $failures -ne 0 ]]; then
    echo "cli_batch: run failed (exit $status, $results results, $failures errors)" >&2
    head -n 5 "$work/errors.txt" >&2
    exit 1
fi
