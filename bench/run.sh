#!/usr/bin/env bash
# Measures d88cut on generated images against two floors: reading the image
# once (cat) and writing the same files in the same order, each checked with
# one fstat, with nothing else done (bench_min_writer); counts read and seek
# system calls per sector cut, and the reader's walks of tracks against the
# distinct track starts it read (bench_walk_count).
# d88cut and the floors take turns over BENCH_RUNS paired rounds (21 at the
# least), and each ratio is the median of the rounds' own ratios, with its
# quartiles and its range: the machine's speed at making files and copying
# memory moves between runs, and a ratio of one round's times is steadier
# than a ratio of medians.
# Prints a Markdown table, then the guard: the 64-disk image ("large") must
# take at most 1.5 times the writer floor on a quiet machine; the status is 2
# when it does not. Any command that fails or is missing stops the run with a
# message and status 1: no number comes from a failed run.
# Usage: bench/run.sh [BUILD_DIR]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-bench}
# The timed commands run in directories of their own, so the build must be
# named from anywhere.
mkdir -p "$build" && build=$(cd "$build" && pwd)
runs=${BENCH_RUNS:-21}
guard=1.5

die() {
    echo "bench/run.sh: $*" >&2
    exit 1
}

[[ "$runs" =~ ^[0-9]+$ ]] && [ "$runs" -ge 21 ] || die "BENCH_RUNS must be 21 or more, not $runs"

for tool in strace /usr/bin/time awk cat; do
    command -v "$tool" >/dev/null || die "$tool is missing (Debian: apt-get install -y strace time)"
done

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DD88CUT_BUILD_TESTS=OFF -DD88CUT_BENCH=ON >/dev/null ||
    die "configuring $build failed"
cmake --build "$build" -j2 --target d88cut d88mkimage bench_min_writer bench_walk_count >/dev/null ||
    die "building in $build failed"
d88cut=$build/d88cut
mkimage=$build/tools/d88mkimage
writer=$build/bench/bench_min_writer
walk_count=$build/bench/bench_walk_count
for program in "$d88cut" "$mkimage" "$writer" "$walk_count"; do
    [ -x "$program" ] || die "$program was not built"
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
images=$work/images
mkdir -p "$images"
"$mkimage" sample "$images/set.d88" || die "d88mkimage sample failed"
"$mkimage" large "$images/large.d88" || die "d88mkimage large failed"
"$mkimage" hostile "$images/hostile-8M.d88" $((8 * 1024 * 1024)) || die "d88mkimage hostile failed"
"$mkimage" hostile "$images/hostile-64M.d88" $((64 * 1024 * 1024)) || die "d88mkimage hostile failed"
"$mkimage" chain "$images/chain-64M.d88" $((64 * 1024 * 1024)) || die "d88mkimage chain failed"

# Wall time in milliseconds of one run of a command in a fresh directory: the
# command is started directly, with no shell of its own in the timed part.
# Called inside $(...), so the cd does not outlast it.
wall_once() {
    local dir=$1
    shift
    local start end status=0
    rm -rf "$dir" && mkdir -p "$dir" && cd "$dir" || die "cannot enter $dir"
    start=$EPOCHREALTIME
    "$@" >/dev/null 2>&1 || status=$?
    end=$EPOCHREALTIME
    [ "$status" -eq 0 ] || die "failed (status $status): $*"
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.1f", (b - a) * 1000 }'
}

# median, spread and ratio.
. "$root/bench/stats.sh"

peak_kb() {
    local dir=$1
    shift
    rm -rf "$dir" && mkdir -p "$dir"
    (cd "$dir" && /usr/bin/time -o "$work/time" -f %M "$@" >/dev/null 2>&1) || die "failed: $*"
    tail -n 1 "$work/time"
}


echo "| image | size | d88cut wall | cat floor | writer floor | ratio to the cat floor | ratio to the writer floor | d88cut peak memory | files, sectors cut | reads, seeks | walks, track starts read | per sector cut |"
echo "|---|---|---|---|---|---|---|---|---|---|---|---|"
large_ratio=
for image in set large hostile-8M hostile-64M chain-64M; do
    file=$images/$image.d88
    out=$work/out-$image
    rm -rf "$out" && mkdir -p "$out"
    (cd "$out" && "$d88cut" "$file" -op >"$work/stdout" 2>/dev/null) || die "d88cut failed on $image"

    # The files in the order they were cut, with their sizes.
    writes=()
    bytes=0
    while read -r name; do
        size=$(stat -c %s "$out/$name") || die "d88cut announced $name but did not write it"
        writes+=("$name:$size")
        bytes=$((bytes + size))
    done < <(LC_ALL=C sed -n 's/^cutting \.\.\. //p' "$work/stdout")
    sectors=$(((bytes + 1023) / 1024))

    # The three take turns, in a changing order, so that whatever else the
    # machine does weighs on each alike; each round gives its own ratios.
    walls=() cat_walls=() writer_walls=() cat_ratios=() writer_ratios=()
    for round in $(seq "$runs"); do
        if [ $((round % 2)) -eq 1 ]; then
            d=$(wall_once "$work/run" "$d88cut" "$file" -op)
            c=$(wall_once "$work/run" cat "$file")
            w=$(wall_once "$work/run" "$writer" "$file" ${writes[@]+"${writes[@]}"})
        else
            w=$(wall_once "$work/run" "$writer" "$file" ${writes[@]+"${writes[@]}"})
            c=$(wall_once "$work/run" cat "$file")
            d=$(wall_once "$work/run" "$d88cut" "$file" -op)
        fi
        walls+=("$d") cat_walls+=("$c") writer_walls+=("$w")
        cat_ratios+=("$(ratio "$d" "$c")") writer_ratios+=("$(ratio "$d" "$w")")
    done
    wall=$(median "${walls[@]}")
    cat_wall=$(median "${cat_walls[@]}")
    writer_wall=$(median "${writer_walls[@]}")
    if [ "$image" = large ]; then
        large_ratio=$(median "${writer_ratios[@]}")
    fi
    # The writer floor must have written what d88cut wrote.
    for write in ${writes[@]+"${writes[@]}"}; do
        [ -f "$work/run/${write%:*}" ] || die "the writer floor did not write ${write%:*}"
    done
    peak=$(peak_kb "$work/run" "$d88cut" "$file" -op)

    rm -rf "$work/run" && mkdir -p "$work/run"
    (cd "$work/run" && strace -f -c -o "$work/strace" -e trace=read,lseek,pread64 \
        "$d88cut" "$file" -op >/dev/null 2>&1) || die "d88cut under strace failed on $image"
    reads=$(awk '$NF == "read" || $NF == "pread64" {n += $4} END {print n + 0}' "$work/strace")
    seeks=$(awk '$NF == "lseek" {n += $4} END {print n + 0}' "$work/strace")
    rm -rf "$work/run" && mkdir -p "$work/run"
    (cd "$work/run" && "$walk_count" "$file" -op >/dev/null 2>"$work/walks") ||
        die "bench_walk_count failed on $image"
    read -r walks starts < <(sed -n 's/^reader: [0-9]* \([0-9]*\) \([0-9]*\)$/\1 \2/p' "$work/walks")
    [ -n "${starts:-}" ] || die "bench_walk_count reported nothing on $image"
    per_sector="-"
    if [ "$sectors" -gt 0 ]; then
        per_sector=$(awk -v r="$reads" -v s="$seeks" -v w="$walks" -v n="$sectors" \
            'BEGIN { printf "%.2f reads, %.2f seeks, %.2f walks", r / n, s / n, w / n }')
    fi
    size_mb=$(awk -v b="$(stat -c %s "$file")" 'BEGIN { printf "%.1f MB", b / 1048576 }')
    echo "| $image | $size_mb | ${wall} ms | ${cat_wall} ms | ${writer_wall} ms |" \
        "$(spread "${cat_ratios[@]}") | $(spread "${writer_ratios[@]}") | ${peak} KB |" \
        "${#writes[@]}, $sectors | $reads, $seeks | $walks, $starts | $per_sector |"
done

echo
echo "Times are medians of $runs rounds; a ratio is the median of the rounds' own ratios" \
    "(quartiles; range)."
[ -n "$large_ratio" ] || die "no ratio was measured for the large image"
if awk -v r="$large_ratio" -v g="$guard" 'BEGIN { exit !(r <= g) }'; then
    printf 'guard: large takes %.2f times the writer floor, at most %s: holds\n' "$large_ratio" "$guard"
else
    printf 'guard: large takes %.2f times the writer floor, more than %s (on a quiet machine?)\n' \
        "$large_ratio" "$guard"
    exit 2
fi
