#!/bin/bash
# Converts a generated map-like 10000 x 10000 PNG and JPEG to an SMF file with
# mapvane-cli and, when installed, to tiled deflate TIFFs with gdal_translate and vips,
# ROUNDS times each in turn, and prints each round's wall time, peak resident memory
# and ratios of ours to each peer, then the median wall time, CPU seconds and peak
# resident memory of each and the ratio of the medians. Then converts a 4000 x 3000
# PNG and JPEG with each the same way, at most 3 times, and sets the median peak
# resident memory at that size beside the one at SIZE, to show how memory grows with
# the image.
# --huge then also converts a 40000 x 40000 PNG once, with mapvane-cli only, and
# prints its wall time, CPU seconds and peak resident memory; the image alone is about
# 1 GB and writing it takes one or two minutes.
# The peers come from the Debian packages gdal-bin (gdal_translate) and libvips-tools
# (vips), GNU time from time.
# Usage: bench/compare.sh [--huge] BUILD_DIR [ROUNDS] [SIZE]
set -u
USAGE="usage: compare.sh [--huge] BUILD_DIR [ROUNDS] [SIZE]"
HUGE=0
ARGS=()
for arg in "$@"; do
    case $arg in
    --huge) HUGE=1 ;;
    -*) echo "$USAGE" >&2; exit 2 ;;
    *) ARGS+=("$arg") ;;
    esac
done
set -- "${ARGS[@]}"
BUILD="${1:?$USAGE}"
ROUNDS="${2:-5}"
SIZE="${3:-10000}"
CLI="$BUILD/bin/mapvane-cli"
MAKE_IMAGE="$BUILD/bench/make_map_image"
TIME=/usr/bin/time
[ -x "$TIME" ] || { echo "needs GNU time (Debian package time)"; exit 1; }
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT

QT_QPA_PLATFORM=offscreen "$MAKE_IMAGE" "$SIZE" "$SIZE" "$WORK/map.png" || exit 1
QT_QPA_PLATFORM=offscreen "$MAKE_IMAGE" "$SIZE" "$SIZE" "$WORK/map.jpg" || exit 1
ls -l "$WORK"/map.*

# One run: prints "wall_seconds cpu_seconds peak_kib".
measure() {
    "$TIME" -f '%e %U %S %M' -o "$WORK/time.txt" "$@" >/dev/null 2>&1 || { echo "FAILED: $*" >&2; return 1; }
    awk '{ printf "%s %.2f %s\n", $1, $2 + $3, $4 }' "$WORK/time.txt"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Converts the image at path $2 with tool $1, as measure does.
convert_with() {
    rm -f "$WORK"/out.*
    case $1 in
    mapvane) measure "$CLI" convert "$WORK/out.smf" "$2@10,46,11,45" ;;
    gdal) measure gdal_translate -q -of GTiff -co TILED=YES -co BLOCKXSIZE=304 -co BLOCKYSIZE=512 \
              -co COMPRESS=DEFLATE -co NUM_THREADS=ALL_CPUS "$2" "$WORK/out.tif" ;;
    vips) measure vips tiffsave "$2" "$WORK/out.tif" --tile --tile-width 304 --tile-height 512 --compression deflate ;;
    esac
}

TOOLS=(mapvane)
command -v gdal_translate >/dev/null && TOOLS+=(gdal)
command -v vips >/dev/null && TOOLS+=(vips)

# Median peak resident memory in KiB by "tool input", at SIZE and at the smaller size.
declare -A PEAK=() SMALL_PEAK=()
for input in map.png map.jpg; do
    declare -A WALL=() CPU=() RSS=() ROUND_WALL=() ROUND_RSS=()
    for ((round = 1; round <= ROUNDS; ++round)); do
        for tool in "${TOOLS[@]}"; do
            line=$(convert_with "$tool" "$WORK/$input")
            [ -n "$line" ] || exit 1
            read -r wall cpu rss <<<"$line"
            WALL[$tool]+="$wall "; CPU[$tool]+="$cpu "; RSS[$tool]+="$rss "
            ROUND_WALL[$tool]=$wall; ROUND_RSS[$tool]=$rss
        done
        report="$input round $round:"
        for tool in "${TOOLS[@]}"; do
            report+=$(awk -v t="$tool" -v w="${ROUND_WALL[$tool]}" -v r="${ROUND_RSS[$tool]}" \
                'BEGIN { printf "  %s %.2f s %.0f MiB", t, w, r / 1024 }')
        done
        for tool in "${TOOLS[@]}"; do
            [ "$tool" = mapvane ] && continue
            report+=$(awk -v t="$tool" -v a="${ROUND_WALL[mapvane]}" -v b="${ROUND_WALL[$tool]}" \
                -v c="${ROUND_RSS[mapvane]}" -v d="${ROUND_RSS[$tool]}" \
                'BEGIN { printf "  | ours/%s wall %.2f x memory %.2f x", t, a / b, c / d }')
        done
        echo "$report"
    done
    echo "== $input, $SIZE x $SIZE, $ROUNDS rounds (medians) =="
    declare -A MW=() MR=()
    for tool in "${TOOLS[@]}"; do
        MW[$tool]=$(tr ' ' '\n' <<<"${WALL[$tool]}" | grep . | median)
        mc=$(tr ' ' '\n' <<<"${CPU[$tool]}" | grep . | median)
        MR[$tool]=$(tr ' ' '\n' <<<"${RSS[$tool]}" | grep . | median)
        PEAK["$tool $input"]=${MR[$tool]}
        printf '%-8s wall %7.2f s  CPU %7.2f s  peak RSS %7.1f MiB\n' "$tool" "${MW[$tool]}" "$mc" \
            "$(awk -v k="${MR[$tool]}" 'BEGIN { print k / 1024 }')"
    done
    for tool in "${TOOLS[@]}"; do
        [ "$tool" = mapvane ] && continue
        awk -v a="${MW[mapvane]}" -v b="${MW[$tool]}" -v c="${MR[mapvane]}" -v d="${MR[$tool]}" -v t="$tool" \
            'BEGIN { printf "mapvane / %-5s wall %.2f x  peak memory %.2f x\n", t, a / b, c / d }'
    done
    unset WALL CPU RSS MW MR ROUND_WALL ROUND_RSS
done

# The same conversions of a smaller image, for how peak memory grows with the image.
SMALL_WIDTH=4000
SMALL_HEIGHT=3000
SMALL_ROUNDS=$((ROUNDS < 3 ? ROUNDS : 3))
mkdir "$WORK/small"
for input in map.png map.jpg; do
    QT_QPA_PLATFORM=offscreen "$MAKE_IMAGE" $SMALL_WIDTH $SMALL_HEIGHT "$WORK/small/$input" || exit 1
done
ls -l "$WORK"/small/map.*
for input in map.png map.jpg; do
    declare -A RSS=()
    for ((round = 1; round <= SMALL_ROUNDS; ++round)); do
        for tool in "${TOOLS[@]}"; do
            line=$(convert_with "$tool" "$WORK/small/$input")
            [ -n "$line" ] || exit 1
            read -r wall cpu rss <<<"$line"
            RSS[$tool]+="$rss "
        done
    done
    for tool in "${TOOLS[@]}"; do
        SMALL_PEAK["$tool $input"]=$(tr ' ' '\n' <<<"${RSS[$tool]}" | grep . | median)
    done
    unset RSS
done
echo "== peak memory by size (medians of $SMALL_ROUNDS rounds at ${SMALL_WIDTH}x$SMALL_HEIGHT, $ROUNDS at ${SIZE}x$SIZE) =="
for tool in "${TOOLS[@]}"; do
    for input in map.png map.jpg; do
        awk -v t="$tool" -v i="$input" -v a="${SMALL_WIDTH}x$SMALL_HEIGHT" -v b="${SIZE}x$SIZE" \
            -v r="${SMALL_PEAK["$tool $input"]}" -v s="${PEAK["$tool $input"]}" \
            'BEGIN { printf "%-8s %-8s %s %7.1f MiB  %s %7.1f MiB  difference %7.1f MiB\n", t, i, a, r / 1024, b, s / 1024, (s - r) / 1024 }'
    done
done

# One conversion of a 40000 x 40000 PNG by ours alone; the image is written by rows, as
# it would not fit in memory.
if ((HUGE)); then
    HUGE_SIZE=40000
    mkdir "$WORK/huge"
    line=$(measure env QT_QPA_PLATFORM=offscreen "$MAKE_IMAGE" --by-rows $HUGE_SIZE $HUGE_SIZE "$WORK/huge/map.png")
    [ -n "$line" ] || exit 1
    read -r wall cpu rss <<<"$line"
    ls -l "$WORK/huge/map.png"
    printf 'huge map.png %dx%d written in %.2f s (peak RSS %.0f MiB)\n' $HUGE_SIZE $HUGE_SIZE "$wall" \
        "$(awk -v k="$rss" 'BEGIN { print k / 1024 }')"
    if line=$(convert_with mapvane "$WORK/huge/map.png"); then
        read -r wall cpu rss <<<"$line"
        printf 'huge map.png %dx%d: mapvane wall %.2f s CPU %.2f s peak RSS %.0f MiB\n' $HUGE_SIZE $HUGE_SIZE \
            "$wall" "$cpu" "$(awk -v k="$rss" 'BEGIN { print k / 1024 }')"
    else
        # GNU time still reports a failed run's figures, on its last line.
        read -r wall user sys rss <<<"$(tail -n 1 "$WORK/time.txt")"
        printf 'huge map.png %dx%d: mapvane FAILED after %.2f s, peak RSS %.0f MiB (%s)\n' $HUGE_SIZE $HUGE_SIZE \
            "$wall" "$(awk -v k="$rss" 'BEGIN { print k / 1024 }')" "$(head -n 1 "$WORK/time.txt")"
    fi
fi
