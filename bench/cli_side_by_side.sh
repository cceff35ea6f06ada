#!/usr/bin/env bash
# Batch throughput of gavelry-calc under the 2008 fees and under today's, side by side in one
# run: the same number of auction lines (those of bench/cli_batch.sh, today's with a [TODAY]
# section on every line), the same --format, on one thread, in turns, so that a busy machine
# slows both alike. Give two or more builds (before and after a change) to time them all in
# the same turns.
#
# Usage: bench/cli_side_by_side.sh [--runs N] [--format text|json|csv] [--lines N]
#                                  [CALC ...]   (default: build-bench/bin/gavelry-calc)
# For each build and schedule prints the medians over the runs of the auctions a second (of
# wall time and of CPU time, user + system) and of the output bytes a second, and whether
# today's auctions a CPU second reach the 2008 ones. The output goes to a file, as a batch's
# would.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
data=$here/../data
runs=7
format=json
lines=100000
while [[ $# -gt 0 && $1 == --* ]]; do
    case $1 in
    --runs) runs=$2; shift 2 ;;
    --format) format=$2; shift 2 ;;
    --lines) lines=$2; shift 2 ;;
    *) echo "cli_side_by_side: unknown option $1" >&2; exit 2 ;;
    esac
done
calcs=("$@")
[[ ${#calcs[@]} -gt 0 ]] || calcs=("$here/../build-bench/bin/gavelry-calc")
for calc in "${calcs[@]}"; do
    if [[ ! -x $calc ]]; then
        echo "cli_side_by_side: no gavelry-calc at $calc" >&2
        exit 2
    fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$here/cli_batch.sh" --lines-to "$work/2008.txt" - "$lines"
"$here/cli_batch.sh" --today --lines-to "$work/today.txt" - "$lines"
declare -A prices=([2008]=UpdateUK_v0102.dat [today]=FeesTodayUK.dat)

# One timed run: appends "wall_us cpu_s bytes" to the results of build b and schedule s. The
# CPU time (user + system) is the child's own, to the microsecond.
run() {
    local b=$1 s=$2 calc=${calcs[$1]}
    /usr/bin/python3 - "$calc" "$data/${prices[$s]}" "$format" "$work/$s.txt" "$work/out" \
        "$work/err" >>"$work/result.$b.$s" <<'PY' || exit 1
import os, subprocess, sys, time
calc, prices, fmt, lines, out, err = sys.argv[1:]
with open(lines, "rb") as i, open(out, "wb") as o, open(err, "wb") as e:
    start = time.monotonic_ns()
    p = subprocess.Popen([calc, "--jobs", "1", "--prices", prices, "--format", fmt, "-"],
                         stdin=i, stdout=o, stderr=e)
    _, status, usage = os.wait4(p.pid, 0)
    p.returncode = status  # reaped here, with its own resource use
    wall = (time.monotonic_ns() - start) // 1000
if status != 0:
    sys.stderr.write("cli_side_by_side: %s failed on %s (status %d)\n" % (calc, lines, status))
    sys.exit(1)
print(wall, usage.ru_utime + usage.ru_stime, os.path.getsize(out))
PY
}

for ((r = 0; r < runs; r++)); do
    for b in "${!calcs[@]}"; do
        for s in 2008 today; do
            run "$b" "$s"
        done
    done
done

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }
echo "gavelry-calc --format $format --jobs 1, $lines auctions a run, medians of $runs runs:"
for b in "${!calcs[@]}"; do
    echo "${calcs[$b]}"
    declare -A cpu_rate=()
    for s in 2008 today; do
        f=$work/result.$b.$s
        wall=$(awk -v n="$lines" '{ print n * 1e6 / $1 }' "$f" | median)
        cpu=$(awk -v n="$lines" '{ print ($2 > 0 ? n / $2 : 0) }' "$f" | median)
        bytes=$(awk '{ print ($2 > 0 ? $3 / $2 : 0) }' "$f" | median)
        per_line=$(awk -v n="$lines" 'NR == 1 { print $3 / n }' "$f")
        cpu_rate[$s]=$cpu
        printf '  %-6s %9.0f auctions/s wall, %9.0f auctions/CPU s, %6.1f MB/CPU s, %4.0f bytes a line\n' \
            "$s" "$wall" "$cpu" "$(awk -v b="$bytes" 'BEGIN { print b / 1e6 }')" "$per_line"
    done
    awk -v t="${cpu_rate[today]}" -v o="${cpu_rate[2008]}" 'BEGIN {
        printf "  today / 2008: %.2f of the auctions a CPU second: %s\n", t / o,
            (t >= o ? "today is no slower" : "today is SLOWER") }'
done
