#!/usr/bin/env bash
# Times gavelry-calc on a batch of auction lines read from standard input, as a price
# comparison script would feed it. The lines are the example auctions with their amounts,
# weights and picture counts varied, so no two neighbouring lines are alike.
#
# Usage: bench/cli_batch.sh [--jobs N] [--today] [--memory | --startup] [path/to/gavelry-calc]
#                           [lines]
#   (default: build-bench/bin/gavelry-calc, 100000 lines; --memory: 1000000 lines)
#   --jobs N   pass --jobs N (a build without --jobs runs on one thread anyway)
#   --memory   report the peak resident memory of the run (/usr/bin/time -v) instead
#   --startup  report the CPU time (user + system) of one auction file, over 200 runs
#   --today    today's UK fees (FeesTodayUK.dat), each line with a [TODAY] section: private
#              and business sellers, categories with and without thresholds, buyers abroad
#   --lines-to FILE  only write the auction lines to FILE (for bench/cli_side_by_side.sh)
# Prints the time taken and the auctions a second (of wall time and of CPU time), or the
# memory, or the CPU time; exits
# non-zero when gavelry-calc fails or its output is short.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
data=$here/../data
jobs=()
mode=time
prices=UpdateUK_v0102.dat
today=0
lines_to=
while [[ $# -gt 0 && $1 == --* ]]; do
    case $1 in
    --jobs) jobs=(--jobs "$2"); shift 2 ;;
    --memory) mode=memory; shift ;;
    --startup) mode=startup; shift ;;
    --today) prices=FeesTodayUK.dat; today=1; shift ;;
    --lines-to) lines_to=$2; shift 2 ;;
    *) echo "cli_batch: unknown option $1" >&2; exit 2 ;;
    esac
done
calc=${1:-$here/../build-bench/bin/gavelry-calc}
lines=${2:-$([[ $mode == memory ]] && echo 1000000 || echo 100000)}
target_rate=500000 # auctions a second, on one thread

if [[ -z $lines_to && ! -x $calc ]]; then
    echo "cli_batch: no gavelry-calc at $calc (build it, or name it as the first argument)" >&2
    exit 2
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if [[ $mode == startup ]]; then
    runs=200
    example=$data/examples/single-item-reserve.gva
    "$calc" --prices "$data/$prices" "$example" >/dev/null
    /usr/bin/time -f '%U %S' -o "$work/time" sh -c \
        "for i in \$(seq $runs); do '$calc' --prices '$data/$prices' '$example'; done" \
        >/dev/null
    read -r user system <"$work/time"
    awk -v u="$user" -v s="$system" -v n="$runs" \
        'BEGIN { printf "gavelry-calc on one auction: %.2f ms of CPU a run (%d runs)\n", (u + s) * 1000 / n, n }'
    exit 0
fi

# Each amount of [OUTLAY] and the weight and mark-up of [POSTAGE] are scaled by a factor
# between 0.5 and 2.5; the picture count runs from 0 to 11.
awk -v n="$lines" -v today="$today" '
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
            if (today) {
                split("Private Business Business Business", acc, " ")
                split("- Jewellery Handbags Books Computers Home", cat, " ")
                split("- - - Europe World", reg, " ")
                line = line "[TODAY]" acc[i % 4 + 1] "|" cat[i % 6 + 1] "|" reg[i % 5 + 1] "|" \
                       (i % 3 ? 0 : 4.5) "|" (i % 7 ? "False" : "True") "|False|" \
                       (i % 2 ? "True" : "False") "|0|" (i % 5 ? "False" : "True") "|0[TODAY]"
            }
            print line
        }
    }' "$data"/examples/*.gva >"$work/auctions.txt"
if [[ -n $lines_to ]]; then
    mv "$work/auctions.txt" "$lines_to"
    exit 0
fi

status=0
if [[ $mode == memory ]]; then
    /usr/bin/time -v -o "$work/time" "$calc" "${jobs[@]}" --prices "$data/$prices" \
        --format json - <"$work/auctions.txt" >"$work/figures.json" 2>"$work/errors.txt" ||
        status=$?
    peak=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$work/time")
    printf 'gavelry-calc --format json %s: %d auctions, peak resident memory %d KiB (%.1f MiB)\n' \
        "${jobs[*]}" "$lines" "$peak" "$(awk -v k="$peak" 'BEGIN { print k / 1024 }')"
else
    # The CPU time as well: on a machine other work shares, the wall time also counts the
    # time spent waiting for a core.
    start=$(date +%s%N)
    /usr/bin/time -f '%U %S' -o "$work/time" "$calc" "${jobs[@]}" \
        --prices "$data/$prices" --format json - \
        <"$work/auctions.txt" >"$work/figures.json" 2>"$work/errors.txt" || status=$?
    end=$(date +%s%N)
    elapsed_us=$(((end - start) / 1000))
    rate=$((lines * 1000000 / (elapsed_us > 0 ? elapsed_us : 1)))
    cpu_rate=$(awk -v n="$lines" '{ t = $1 + $2; printf "%d", (t > 0 ? n / t : 0) }' "$work/time")
    printf 'gavelry-calc --format json %s: %d auctions in %d.%03d s, %d auctions/s (%d per CPU second; target %d/s on one thread): %s\n' \
        "${jobs[*]}" "$lines" $((elapsed_us / 1000000)) $((elapsed_us / 1000 % 1000)) "$rate" \
        "$cpu_rate" "$target_rate" "$([[ $rate -ge $target_rate ]] && echo met || echo MISSED)"
fi

results=$(wc -l <"$work/figures.json")
failures=$(grep -c '"error"' "$work/figures.json" || true)
if [[ $status -ne 0 || $results -ne $lines || $failures -ne 0 ]]; then
    echo "cli_batch: run failed (exit $status, $results results, $failures errors)" >&2
    head -n 5 "$work/errors.txt" >&2
    exit 1
fi
