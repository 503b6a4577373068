#!/usr/bin/env bash
# Measures d88merge merging three dumps of the eight-disk set (6.3 MB each,
# each disk damaged where the other dumps are good) and writing the result,
# against a floor that reads the three files whole and writes one of that
# size (bench_merge_floor). The two take turns over BENCH_RUNS paired rounds
# (21 at the least), in an order that changes from round to round; the ratio
# is the median of the rounds' own ratios, with its quartiles and range.
# Also the peak memory of each (/usr/bin/time's maximum resident set).
# Prints a Markdown table, then the goals: at most 2 times the floor, and
# memory at most the inputs' size plus one disk; the status is 2 when one is
# missed. Any command that fails or is missing stops the run with status 1:
# no number comes from a failed run.
# Usage: bench/merge.sh [BUILD_DIR]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-bench}
mkdir -p "$build" && build=$(cd "$build" && pwd)
runs=${BENCH_RUNS:-21}

die() {
    echo "bench/merge.sh: $*" >&2
    exit 1
}

[[ "$runs" =~ ^[0-9]+$ ]] && [ "$runs" -ge 21 ] || die "BENCH_RUNS must be 21 or more, not $runs"
for tool in /usr/bin/time awk; do
    command -v "$tool" >/dev/null || die "$tool is missing (Debian: apt-get install -y time)"
done

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DD88CUT_BUILD_TESTS=OFF -DD88CUT_BENCH=ON >/dev/null ||
    die "configuring $build failed"
cmake --build "$build" -j2 --target d88merge d88mkimage bench_merge_floor >/dev/null ||
    die "building in $build failed"
merge=$build/src/merge/d88merge
mkimage=$build/tools/d88mkimage
floor=$build/bench/bench_merge_floor
for program in "$merge" "$mkimage" "$floor"; do
    [ -x "$program" ] || die "$program was not built"
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/dumps" "$work/out"
"$mkimage" dumps "$work/dumps" || die "d88mkimage dumps failed"
dumps=("$work/dumps/dump1.d88" "$work/dumps/dump2.d88" "$work/dumps/dump3.d88")
out=$work/out/merged.d88

# Wall time in milliseconds of one run, which must end with status 0; the
# output is removed first, so that every run writes it anew.
wall_once() {
    local start end status=0
    rm -f "$out"
    start=$EPOCHREALTIME
    "$@" >/dev/null 2>&1 || status=$?
    end=$EPOCHREALTIME
    [ "$status" -eq 0 ] || die "failed (status $status): $*"
    [ -s "$out" ] || die "wrote nothing: $*"
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.1f", (b - a) * 1000 }'
}

# median, spread and ratio.
. "$root/bench/stats.sh"
peak_kb() {
    rm -f "$out"
    /usr/bin/time -o "$work/time" -f %M "$@" >/dev/null 2>&1 || die "failed: $*"
    tail -n 1 "$work/time"
}

merge_cmd=("$merge" -o "$out" "${dumps[@]}")
floor_cmd=("$floor" "$out" "${dumps[@]}")
# The merge of these dumps makes every file whole: status 0, and it must
# equal the undamaged set.
"${merge_cmd[@]}" >/dev/null || die "the merge did not end with status 0"
"$mkimage" sample "$work/set.d88" || die "d88mkimage sample failed"
cmp -s "$out" "$work/set.d88" || die "the merge of the dumps is not the undamaged set"

merge_times=() floor_times=() ratios=()
for ((round = 0; round < runs; round++)); do
    if ((round % 2 == 0)); then
        m=$(wall_once "${merge_cmd[@]}")
        f=$(wall_once "${floor_cmd[@]}")
    else
        f=$(wall_once "${floor_cmd[@]}")
        m=$(wall_once "${merge_cmd[@]}")
    fi
    merge_times+=("$m") floor_times+=("$f") ratios+=("$(ratio "$m" "$f")")
done
merge_peak=$(peak_kb "${merge_cmd[@]}")
floor_peak=$(peak_kb "${floor_cmd[@]}")
inputs_kb=$(( ($(stat -c %s "${dumps[@]}" | awk '{s += $1} END {print s}') + 1023) / 1024 ))
# The largest disk of the set: the Opening Disk's 830,992 bytes.
disk_kb=$(( (830992 + 1023) / 1024 ))

echo "| merge | inputs | d88merge wall | floor wall | ratio to the floor | d88merge peak memory | floor peak memory | inputs + one disk |"
echo "|---|---|---|---|---|---|---|---|"
echo "| 3 dumps of the set | 3 x $(awk -v b="$(stat -c %s "${dumps[0]}")" 'BEGIN {printf "%.1f", b / 1048576}') MiB |" \
    "$(median "${merge_times[@]}") ms | $(median "${floor_times[@]}") ms | $(spread "${ratios[@]}") |" \
    "${merge_peak} KB | ${floor_peak} KB | $((inputs_kb + disk_kb)) KB |"
status=0
ratio_median=$(median "${ratios[@]}")
if awk -v r="$ratio_median" 'BEGIN { exit !(r <= 2) }'; then
    echo "goal: the merge takes $ratio_median times the floor, at most 2: holds"
else
    echo "goal: the merge takes $ratio_median times the floor, at most 2: missed"
    status=2
fi
if [ "$merge_peak" -le $((inputs_kb + disk_kb)) ]; then
    echo "goal: the merge's peak memory ${merge_peak} KB, at most $((inputs_kb + disk_kb)) KB: holds"
else
    echo "goal: the merge's peak memory ${merge_peak} KB, at most $((inputs_kb + disk_kb)) KB: missed"
    status=2
fi
exit $status
