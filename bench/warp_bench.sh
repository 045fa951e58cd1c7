#!/bin/bash
# Warps generated map-like SIZE x SIZE GeoTIFFs on UTM zone 33N (WGS 84) onto a
# geographic WGS 84 grid with each tool, ROUNDS times in turn (ours, gdal, gdalwarp,
# ours, ...), and prints each run's wall time, CPU seconds and peak resident memory,
# then per tool the medians, and ours beside gdalwarp's as ratios:
#   mapvane   mapvane-cli convert out.smf sheet.tif: the SMF file, warped onto its level
#             grid of whole milliarcseconds, 300 x 500 pixel tiles of 16 bits, deflated;
#   gdal      gdalwarp -t_srs EPSG:4326 to a virtual raster (nothing is warped yet), then
#             gdal_translate from it to a tiled deflate GeoTIFF of 304 x 512 pixel tiles
#             (a TIFF tile is a multiple of 16 pixels: the nearest to 300 x 500); the warp
#             runs as gdal_translate reads the virtual raster. Times and peaks are of the
#             two steps together (the peak is the larger one);
#   gdalwarp  gdalwarp -multi -wo NUM_THREADS=ALL_CPUS writing the same tiled GeoTIFF
#             itself, as one would warp a sheet with GDAL alone.
# The goal: ours at most 0.7 x gdalwarp's wall time and at most 150 MiB.
# Every tool resamples bilinearly (the level's default) and compresses on all cores; the
# GDAL runs make an image of the level's size (-ts), as gdalwarp on its own would choose
# square pixels of degrees, a fifth more columns and a third fewer rows at 48 degrees N.
# Each sheet: make_map_image writes a PNG, gdal_translate makes it a GeoTIFF tiled
# 256 x 256 and deflated, 2.5 m pixels from 600000 E 5400000 N, so the grid's
# north lies about 1.1 degrees off the meridians and the warp cannot be a copy.
# Wall times are only worth comparing on an idle machine: each round prints the load
# average it started at; the CPU seconds say the same on a busy one.
# Needs GNU time (Debian package time) and gdal_translate, gdalwarp and gdalinfo
# (Debian package gdal-bin).
# Usage: bench/warp_bench.sh BUILD_DIR [ROUNDS] [SIZE...]   (ROUNDS 3, SIZEs 8000 20000)
set -u
USAGE="usage: warp_bench.sh BUILD_DIR [ROUNDS] [SIZE...]"
BUILD="${1:?$USAGE}"
ROUNDS="${2:-3}"
shift $(($# < 2 ? $# : 2))
SIZES=("$@")
[ ${#SIZES[@]} -gt 0 ] || SIZES=(8000 20000)
CLI="$BUILD/bin/mapvane-cli"
MAKE_IMAGE="$BUILD/bench/make_map_image"
TIME=/usr/bin/time
[ -x "$TIME" ] || { echo "needs GNU time (Debian package time)"; exit 1; }
for tool in gdal_translate gdalwarp gdalinfo; do
    command -v $tool >/dev/null || { echo "needs $tool (Debian package gdal-bin)"; exit 1; }
done
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT

# One run: prints "wall_seconds cpu_seconds peak_kib".
measure() {
    "$TIME" -f '%e %U %S %M' -o "$WORK/time.txt" "$@" >/dev/null 2>&1 || { echo "FAILED: $*" >&2; return 1; }
    awk '{ printf "%s %.2f %s\n", $1, $2 + $3, $4 }' "$WORK/time.txt"
}

report() {
    awk -v t="$1" -v w="$2" -v c="$3" -v k="$4" -v o="$5" \
        'BEGIN { printf "%-9s wall %8.2f s  CPU %8.2f s  peak RSS %7.1f MiB  %s\n", t, w, c, k / 1024, o }'
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

PIXEL=2.5
EAST=600000
NORTH=5400000
WARP_OPTIONS=(-t_srs EPSG:4326 -r bilinear -wo NUM_THREADS=ALL_CPUS)
TILED=(-co TILED=YES -co BLOCKXSIZE=304 -co BLOCKYSIZE=512 -co COMPRESS=DEFLATE -co NUM_THREADS=ALL_CPUS)

for SIZE in "${SIZES[@]}"; do
    QT_QPA_PLATFORM=offscreen "$MAKE_IMAGE" --by-rows "$SIZE" "$SIZE" "$WORK/map.png" >/dev/null 2>&1 || exit 1
    gdal_translate -q -a_srs EPSG:32633 \
        -a_ullr $EAST $NORTH "$(awk -v e=$EAST -v n="$SIZE" -v p=$PIXEL 'BEGIN { print e + n * p }')" \
        "$(awk -v s=$NORTH -v n="$SIZE" -v p=$PIXEL 'BEGIN { print s - n * p }')" \
        -co TILED=YES -co COMPRESS=DEFLATE -co NUM_THREADS=ALL_CPUS "$WORK/map.png" "$WORK/sheet.tif" || exit 1
    rm -f "$WORK/map.png"
    echo "sheet.tif: ${SIZE} x ${SIZE} pixels of $PIXEL m, UTM zone 33N, tiled 256 x 256, deflate," \
        "$(stat -c %s "$WORK/sheet.tif") bytes"
    : >"$WORK/mapvane.txt"
    : >"$WORK/gdal.txt"
    : >"$WORK/gdalwarp.txt"
    for ((round = 1; round <= ROUNDS; round++)); do
        echo "round $round, load average $(cut -d' ' -f1 /proc/loadavg)"
        line=$(measure "$CLI" convert "$WORK/out.smf" "$WORK/sheet.tif") || exit 1
        echo "$line" >>"$WORK/mapvane.txt"
        read -r wall cpu rss <<<"$line"
        read -r width height <<<"$("$CLI" info "$WORK/out.smf" |
            awk '$1 == "bottomRightX" { x = $2 } $1 == "bottomRightY" { y = $2 } END { print x, y }')"
        report mapvane "$wall" "$cpu" "$rss" "level $width x $height, $(stat -c %s "$WORK/out.smf") bytes"
        rm -f "$WORK/out.smf"

        line=$(measure gdalwarp -q -of VRT "${WARP_OPTIONS[@]}" -ts "$width" "$height" "$WORK/sheet.tif" \
            "$WORK/warp.vrt") || exit 1
        read -r wall1 cpu1 rss1 <<<"$line"
        line=$(measure gdal_translate -q "${TILED[@]}" "$WORK/warp.vrt" "$WORK/out.tif") || exit 1
        read -r wall2 cpu2 rss2 <<<"$line"
        line="$(awk -v a="$wall1" -v b="$wall2" 'BEGIN { print a + b }') \
$(awk -v a="$cpu1" -v b="$cpu2" 'BEGIN { print a + b }') $((rss1 > rss2 ? rss1 : rss2))"
        echo "$line" >>"$WORK/gdal.txt"
        read -r wall cpu rss <<<"$line"
        size=$(gdalinfo "$WORK/out.tif" | awk '/^Size is/ { print $3 " x " $4 }' | tr -d ,)
        report gdal "$wall" "$cpu" "$rss" "GeoTIFF $size, $(stat -c %s "$WORK/out.tif") bytes"
        rm -f "$WORK/out.tif" "$WORK/warp.vrt"

        line=$(measure gdalwarp -q -multi "${WARP_OPTIONS[@]}" -ts "$width" "$height" "${TILED[@]}" \
            "$WORK/sheet.tif" "$WORK/out.tif") || exit 1
        echo "$line" >>"$WORK/gdalwarp.txt"
        read -r wall cpu rss <<<"$line"
        size=$(gdalinfo "$WORK/out.tif" | awk '/^Size is/ { print $3 " x " $4 }' | tr -d ,)
        report gdalwarp "$wall" "$cpu" "$rss" "GeoTIFF $size, $(stat -c %s "$WORK/out.tif") bytes"
        rm -f "$WORK/out.tif"
    done
    echo "medians of $ROUNDS rounds, ${SIZE} x ${SIZE}:"
    for tool in mapvane gdal gdalwarp; do
        report $tool "$(awk '{ print $1 }' "$WORK/$tool.txt" | median)" "$(awk '{ print $2 }' "$WORK/$tool.txt" | median)" \
            "$(awk '{ print $3 }' "$WORK/$tool.txt" | median)" ""
    done
    awk -v ow="$(awk '{ print $1 }' "$WORK/mapvane.txt" | median)" -v oc="$(awk '{ print $2 }' "$WORK/mapvane.txt" | median)" \
        -v gw="$(awk '{ print $1 }' "$WORK/gdalwarp.txt" | median)" -v gc="$(awk '{ print $2 }' "$WORK/gdalwarp.txt" | median)" \
        'BEGIN { printf "mapvane / gdalwarp: wall %.2f x, CPU %.2f x (goal: wall at most 0.7 x, at most 150 MiB)\n", ow / gw, oc / gc }'
    rm -f "$WORK/sheet.tif"
done
