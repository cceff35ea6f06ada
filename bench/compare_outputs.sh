#!/usr/bin/env bash
# Runs two builds of gavelry-calc over the same random auction lines and says whether every
# byte they print (standard output and standard error) and their exit status are the same:
# the check that a speed change moved no figure and no message.
#
# Usage: bench/compare_outputs.sh OLD_CALC NEW_CALC [lines, default 100000] [seed, default 15]
#
# Both regions with both shipped price files (and each region's rules on the other's file),
# text, JSON and CSV, with and without --break-even --hints --target-profit/--target-margin.
# A build that has --jobs is run with --jobs 1 and --jobs 2. Exits 1 on the first difference
# and keeps the two outputs for a look.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
data=$here/../data
old=${1:?usage: compare_outputs.sh OLD_CALC NEW_CALC [lines] [seed]}
new=${2:?usage: compare_outputs.sh OLD_CALC NEW_CALC [lines] [seed]}
lines=${3:-100000}
seed=${4:-15}

work=$(mktemp -d)
keep=0
trap '[[ $keep == 1 ]] || rm -rf "$work"' EXIT

/usr/bin/python3 "$here/random_auctions.py" "$lines" "$seed" >"$work/auctions.txt"
# A few lines around one longer than an auction can be, which is reported and skipped.
{
    head -n 3 "$work/auctions.txt"
    head -c 1200000 /dev/zero | tr '\0' 'x'
    echo
    sed -n 4,6p "$work/auctions.txt"
} >"$work/long.txt"
echo "compare_outputs: $lines random auction lines (seed $seed)"

jobs_of() { # the --jobs settings a build knows
    if "$1" --help 2>/dev/null | grep -q -- '--jobs'; then echo "1 2"; else echo "-"; fi
}

runs=0
# run NAME INPUT ARGS...: the old build once, the new one with each --jobs it has.
run() {
    local name=$1 input=$2
    shift 2
    local status=0
    "$old" "$@" <"$input" >"$work/old.out" 2>"$work/old.err" || status=$?
    echo "$status" >"$work/old.status"
    for jobs in $(jobs_of "$new"); do
        local extra=()
        [[ $jobs == - ]] || extra=(--jobs "$jobs")
        status=0
        "$new" "${extra[@]}" "$@" <"$input" >"$work/new.out" 2>"$work/new.err" || status=$?
        echo "$status" >"$work/new.status"
        for part in out err status; do
            if ! cmp -s "$work/old.$part" "$work/new.$part"; then
                keep=1
                echo "DIFFERENT: $name ${extra[*]} (standard $part); outputs kept in $work" >&2
                cmp "$work/old.$part" "$work/new.$part" | head -n 3 >&2 || true
                exit 1
            fi
        done
        runs=$((runs + 1))
    done
    printf '  same: %-58s %9d bytes out, %7d bytes of messages\n' "$name" \
        "$(wc -c <"$work/old.out")" "$(wc -c <"$work/old.err")"
}

uk=$data/UpdateUK_v0102.dat
us=$data/UpdateUS_v0102.dat
all=(--break-even --hints --target-profit 5)
in=$work/auctions.txt

run "UK json, break-even, hints, target profit" "$in" --prices "$uk" --format json "${all[@]}" -
run "US json, break-even, hints, target profit" "$in" --region US --prices "$us" --format json \
    "${all[@]}" -
run "UK rules, US file, json, everything" "$in" --prices "$us" --format json "${all[@]}" -
run "US rules, UK file, json, everything" "$in" --region US --prices "$uk" --format json \
    "${all[@]}" -
run "UK json" "$in" --prices "$uk" --format json -
run "US json" "$in" --region US --prices "$us" --format json -
run "UK text, everything" "$in" --prices "$uk" --format text "${all[@]}" -
run "US text, everything" "$in" --region US --prices "$us" --format text "${all[@]}" -
run "UK csv, everything" "$in" --prices "$uk" --format csv "${all[@]}" -
run "US csv, break-even, target margin" "$in" --region US --prices "$us" --format csv \
    --break-even --target-margin 20 -
run "UK json, a line too long" "$work/long.txt" --prices "$uk" --format json --break-even -
run "UK text, the example files and stdin" "$work/long.txt" --prices "$uk" --hints \
    "$data"/examples/*.gva - "$data/examples/uk-motor.gva"

echo "compare_outputs: identical in all $runs runs"
