# The numbers of a benchmark's paired rounds, for bench/run.sh and
# bench/merge.sh to source: the median of a list, its spread, and one round's
# ratio.

# The median of numbers.
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

# "median (first quartile-third quartile; least-greatest)" of numbers, two
# decimals, the quartiles by nearest rank.
spread() {
    printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {
        q1 = int((NR + 3) / 4); q3 = int((3 * NR + 3) / 4)
        printf "%.2f (%.2f-%.2f; %.2f-%.2f)", a[int((NR+1)/2)], a[q1], a[q3], a[1], a[NR] }'
}

# One round's ratio, four decimals; medians are shown with two, so that a
# guard such as 1.5 times a floor is not met by rounding.
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.4f", a / b; else print "-" }'; }
