#!/bin/bash
# Converts a generated map-like 10000 x 10000 PNG and JPEG to an SMF file with
# mapvane-cli and, when installed, to tiled deflate TIFFs with gdal_translate and vips,
# ROUNDS times each in turn, and prints each round's wall time, peak resident memory
# and ratios of ours to each peer, then the median wall time, CPU seconds and peak
# resident memory of each and the ratio of the medians.
# Usage: bench/compare.sh BUILD_DIR [ROUNDS] [SIZE]
set -u
BUILD="${1:?usage: compare.sh BUILD_DIR [ROUNDS] [SIZE]}"
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

TOOLS=(mapvane)
command -v gdal_translate >/dev/null && TOOLS+=(gdal)
command -v vips >/dev/null && TOOLS+=(vips)

for input in map.png map.jpg; do
    declare -A WALL=() CPU=() RSS=() ROUND_WALL=() ROUND_RSS=()
    for ((round = 1; round <= ROUNDS; ++round)); do
        for tool in "${TOOLS[@]}"; do
            rm -f "$WORK"/out.*
            case $tool in
            mapvane) line=$(measure "$CLI" convert "$WORK/out.smf" "$WORK/$input@10,46,11,45") ;;
            gdal) line=$(measure gdal_translate -q -of GTiff -co TILED=YES -co BLOCKXSIZE=304 -co BLOCKYSIZE=512 \
                            -co COMPRESS=DEFLATE -co NUM_THREADS=ALL_CPUS "$WORK/$input" "$WORK/out.tif") ;;
            vips) line=$(measure vips tiffsave "$WORK/$input" "$WORK/out.tif" --tile --tile-width 304 \
                            --tile-height 512 --compression deflate) ;;
            esac
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
