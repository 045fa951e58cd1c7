#!/bin/bash
# Warps a generated map-like SIZE x SIZE GeoTIFF on UTM zone 33N (WGS 84) onto a
# geographic WGS 84 grid, once with each tool, and prints each one's wall time, CPU
# seconds, peak resident memory and output:
#   mapvane   mapvane-cli convert out.smf sheet.tif: the SMF file, warped onto its level
#             grid of whole milliarcseconds, 300 x 500 pixel tiles of 16 bits, deflated;
#   gdal      gdalwarp -t_srs EPSG:4326 to a virtual raster (nothing is warped yet), then
#             gdal_translate from it to a tiled deflate GeoTIFF of 304 x 512 pixel tiles
#             (a TIFF tile is a multiple of 16 pixels: the nearest to 300 x 500); the warp
#             runs as gdal_translate reads the virtual raster. Times and peaks are of the
#             two steps together (the peak is the larger one);
#   gdalwarp  gdalwarp -multi -wo NUM_THREADS=ALL_CPUS writing the same tiled GeoTIFF
#             itself, as one would warp a sheet with GDAL alone.
# Every tool resamples bilinearly (the level's default) and compresses on all cores; the
# GDAL runs make an image of the level's size (-ts), as gdalwarp on its own would choose
# square pixels of degrees, a fifth more columns and a third fewer rows at 48 degrees N.
# The sheet: make_map_image writes a PNG, gdal_translate makes it a GeoTIFF tiled
# 256 x 256 and deflated, 2.5 m pixels from 600000 E 5400000 N, so the grid's
# north lies about 1.1 degrees off the meridians and the warp cannot be a copy.
# Needs GNU time (Debian package time) and gdal_translate, gdalwarp and gdalinfo
# (Debian package gdal-bin).
# Usage: bench/warp_bench.sh BUILD_DIR [SIZE]   (SIZE defaults to 20000)
set -u
USAGE="usage: warp_bench.sh BUILD_DIR [SIZE]"
BUILD="${1:?$USAGE}"
SIZE="${2:-20000}"
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

PIXEL=2.5
EAST=600000
NORTH=5400000
QT_QPA_PLATFORM=offscreen "$MAKE_IMAGE" --by-rows "$SIZE" "$SIZE" "$WORK/map.png" || exit 1
gdal_translate -q -a_srs EPSG:32633 \
    -a_ullr $EAST $NORTH "$(awk -v e=$EAST -v n=$SIZE -v p=$PIXEL 'BEGIN { print e + n * p }')" \
    "$(awk -v s=$NORTH -v n=$SIZE -v p=$PIXEL 'BEGIN { print s - n * p }')" \
    -co TILED=YES -co COMPRESS=DEFLATE -co NUM_THREADS=ALL_CPUS "$WORK/map.png" "$WORK/sheet.tif" || exit 1
rm -f "$WORK/map.png"
echo "sheet.tif: ${SIZE} x ${SIZE} pixels of $PIXEL m, UTM zone 33N, tiled 256 x 256, deflate," \
    "$(stat -c %s "$WORK/sheet.tif") bytes"

WARP_OPTIONS=(-t_srs EPSG:4326 -r bilinear -wo NUM_THREADS=ALL_CPUS)
TILED=(-co TILED=YES -co BLOCKXSIZE=304 -co BLOCKYSIZE=512 -co COMPRESS=DEFLATE -co NUM_THREADS=ALL_CPUS)

line=$(measure "$CLI" convert "$WORK/out.smf" "$WORK/sheet.tif") || exit 1
read -r wall cpu rss <<<"$line"
read -r width height <<<"$("$CLI" info "$WORK/out.smf" |
    awk '$1 == "bottomRightX" { x = $2 } $1 == "bottomRightY" { y = $2 } END { print x, y }')"
report mapvane "$wall" "$cpu" "$rss" "level $width x $height, $(stat -c %s "$WORK/out.smf") bytes"
rm -f "$WORK/out.smf"
WARP_OPTIONS+=(-ts "$width" "$height")

line=$(measure gdalwarp -q -of VRT "${WARP_OPTIONS[@]}" "$WORK/sheet.tif" "$WORK/warp.vrt") || exit 1
read -r wall1 cpu1 rss1 <<<"$line"
line=$(measure gdal_translate -q "${TILED[@]}" "$WORK/warp.vrt" "$WORK/out.tif") || exit 1
read -r wall2 cpu2 rss2 <<<"$line"
size=$(gdalinfo "$WORK/out.tif" | awk '/^Size is/ { print $3 " x " $4 }' | tr -d ,)
report gdal "$(awk -v a="$wall1" -v b="$wall2" 'BEGIN { print a + b }')" \
    "$(awk -v a="$cpu1" -v b="$cpu2" 'BEGIN { print a + b }')" "$((rss1 > rss2 ? rss1 : rss2))" \
    "GeoTIFF $size, $(stat -c %s "$WORK/out.tif") bytes"
rm -f "$WORK/out.tif"

line=$(measure gdalwarp -q -multi "${WARP_OPTIONS[@]}" "${TILED[@]}" "$WORK/sheet.tif" "$WORK/out.tif") || exit 1
read -r wall cpu rss <<<"$line"
size=$(gdalinfo "$WORK/out.tif" | awk '/^Size is/ { print $3 " x " $4 }' | tr -d ,)
report gdalwarp "$wall" "$cpu" "$rss" "GeoTIFF $size, $(stat -c %s "$WORK/out.tif") bytes"
