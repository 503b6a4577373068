#!/usr/bin/env bash
# Measures d88cut on generated images against two floors: reading the image
# once (cat) and writing the same files in the same order with nothing else
# done (bench_min_writer); counts read and seek system calls per sector cut,
# and the reader's walks of tracks against the distinct track starts it read
# (bench_walk_count).
# Prints a Markdown table. Any command that fails or is missing stops the
# run with a message and a non-zero status: no number comes from a failed run.
# Usage: bench/run.sh [BUILD_DIR]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-bench}
# The timed commands run in directories of their own, so the build must be
# named from anywhere.
mkdir -p "$build" && build=$(cd "$build" && pwd)
runs=${BENCH_RUNS:-5}

die() {
    echo "bench/run.sh: $*" >&2
    exit 1
}

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

median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

peak_kb() {
    local dir=$1
    shift
    rm -rf "$dir" && mkdir -p "$dir"
    (cd "$dir" && /usr/bin/time -o "$work/time" -f %M "$@" >/dev/null 2>&1) || die "failed: $*"
    tail -n 1 "$work/time"
}

# Two decimals: a goal such as 1.1 times a floor must not be met by rounding.
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }'; }

echo "| image | size | d88cut wall | cat floor (ratio) | writer floor (ratio) | d88cut peak memory | files, sectors cut | reads, seeks | walks, track starts read | per sector cut |"
echo "|---|---|---|---|---|---|---|---|---|---|"
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

    # The three take turns, so that whatever else the machine does weighs on
    # each alike; the median of each is shown.
    walls=() cat_walls=() writer_walls=()
    for _ in $(seq "$runs"); do
        walls+=("$(wall_once "$work/run" "$d88cut" "$file" -op)")
        cat_walls+=("$(wall_once "$work/run" cat "$file")")
        writer_walls+=("$(wall_once "$work/run" "$writer" ${writes[@]+"${writes[@]}"})")
    done
    wall=$(median "${walls[@]}")
    cat_wall=$(median "${cat_walls[@]}")
    writer_wall=$(median "${writer_walls[@]}")
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
    echo "| $image | $size_mb | ${wall} ms | ${cat_wall} ms ($(ratio "$wall" "$cat_wall")x) |" \
        "${writer_wall} ms ($(ratio "$wall" "$writer_wall")x) | ${peak} KB |" \
        "${#writes[@]}, $sectors | $reads, $seeks | $walks, $starts | $per_sector |"
done
