#!/bin/bash
# Times 'mapvane-cli coord --notation utm -' on COUNT generated WGS 84 positions (one
# "LAT LON" a line, in UTM zone 49, 0 to 84 degrees north) and, beside it, PROJ's
# cs2cs on the same positions (EPSG:4326 to EPSG:32649, which reads "LAT LON" too),
# ROUNDS times each, and prints each round's wall time, then the best of each and
# their ratio. Also times 'coord --parse utm -' reading back the first two fields of
# what --notation printed. The target: 10,000 positions in under a second.
# cs2cs comes from the Debian package proj-bin; --install installs it when missing.
# Usage: bench/coord_bench.sh [--install] BUILD_DIR [COUNT] [ROUNDS]
set -u
USAGE="usage: coord_bench.sh [--install] BUILD_DIR [COUNT] [ROUNDS]"
INSTALL=0
ARGS=()
for arg in "$@"; do
    case $arg in
    --install) INSTALL=1 ;;
    -*) echo "$USAGE" >&2; exit 2 ;;
    *) ARGS+=("$arg") ;;
    esac
done
set -- "${ARGS[@]}"
BUILD="${1:?$USAGE}"
COUNT="${2:-10000}"
ROUNDS="${3:-5}"
CLI="$BUILD/bin/mapvane-cli"
[ -x "$CLI" ] || { echo "no $CLI; build first" >&2; exit 1; }
if ! command -v cs2cs >/dev/null && [ "$INSTALL" = 1 ]; then
    SUDO=()
    [ "$(id -u)" -ne 0 ] && SUDO=(sudo)
    "${SUDO[@]}" apt-get install -y -qq --no-install-recommends proj-bin >/dev/null
fi
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT

# The same positions every run.
awk -v n="$COUNT" 'BEGIN { srand(27); for (i = 0; i < n; ++i) printf "%.8f %.8f\n", rand() * 84, 108 + rand() * 6 }' \
    > "$WORK/positions.txt"

# Seconds one run of "$@" takes, standard input from $IN, standard output to $OUT.
seconds() {
    local start end
    start=$(date +%s.%N)
    "$@" < "$IN" > "$OUT" || { echo "FAILED: $*" >&2; return 1; }
    end=$(date +%s.%N)
    awk -v a="$start" -v b="$end" 'BEGIN { print b - a }'
}

best() { sort -g | head -1; }

# Times tool $1 (mapvane, parse or cs2cs) ROUNDS times; prints the rounds, then its best.
time_tool() {
    local tool=$1 times=()
    for ((round = 1; round <= ROUNDS; ++round)); do
        case $tool in
        mapvane) IN="$WORK/positions.txt" OUT="$WORK/utm.txt" seconds "$CLI" coord --notation utm - ;;
        parse) IN="$WORK/grid.txt" OUT="$WORK/back.txt" seconds "$CLI" coord --parse utm - ;;
        cs2cs) IN="$WORK/positions.txt" OUT="$WORK/cs2cs.txt" seconds cs2cs -f %.3f EPSG:4326 EPSG:32649 ;;
        esac
    done | tee "$WORK/$tool.times" | awk -v t="$tool" '{ printf "  %-8s round %d: %.3f s\n", t, NR, $1 }'
    best < "$WORK/$tool.times" > "$WORK/$tool.best"
}

echo "$COUNT positions, $ROUNDS rounds"
time_tool mapvane
[ "$(wc -l < "$WORK/utm.txt")" -eq "$COUNT" ] || { echo "coord printed $(wc -l < "$WORK/utm.txt") lines" >&2; exit 1; }
cut -f1,2 "$WORK/utm.txt" > "$WORK/grid.txt"
time_tool parse
OURS=$(cat "$WORK/mapvane.best")
printf 'best: coord --notation utm - %.3f s (%.1f µs a position), coord --parse utm - %.3f s\n' \
    "$OURS" "$(awk -v t="$OURS" -v n="$COUNT" 'BEGIN { print t * 1000000 / n }')" "$(cat "$WORK/parse.best")"
if command -v cs2cs >/dev/null; then
    time_tool cs2cs
    THEIRS=$(cat "$WORK/cs2cs.best")
    printf 'best: cs2cs %.3f s; coord / cs2cs = %.2f\n' "$THEIRS" "$(awk -v a="$OURS" -v b="$THEIRS" 'BEGIN { print a / b }')"
else
    echo "cs2cs is not installed (Debian package proj-bin; --install installs it)"
fi
