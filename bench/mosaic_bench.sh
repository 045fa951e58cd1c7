#!/bin/bash
# Joins COUNT generated map-like sheets of WIDTH x HEIGHT pixels into one level and
# prints the wall time, CPU seconds and peak resident memory of:
#   group     mapvane-cli convert out.smf ( sheet1.tif --border … sheet2.tif --border … … ):
#             every sheet cut to its face and warped once onto one WGS 84 level;
#   one by    mapvane-cli convert out.smf sheetN.tif for each sheet in turn (whole sheets,
#             each its own level): the sum of the wall and CPU times, the largest peak;
#   gdal      gdalbuildvrt of the sheets, then gdalwarp -cutline (the faces as one
#             multipolygon) -t_srs EPSG:4326 -multi to a tiled deflate GeoTIFF of the
#             group's level size: the sum of both steps, the larger peak. The virtual
#             raster lays each sheet's whole image, collar and all, over the ones before;
#             the cutline only cuts around the union of the faces, so the collars still
#             cover the neighbours' faces: its pixels are not the group's, its work is.
# The goal: the group within 1.3 x the one-by-one sum, at the memory of one sheet.
# The sheets: one map-like image (make_map_image) made GeoTIFFs on UTM zone 33N,
# 5 m pixels, tiled 256 x 256 and deflated, in a square of columns; each has a collar
# of a twentieth of its side around its face, the faces abut and the collars overlap.
# Wall times are only worth comparing on an idle machine; the CPU seconds say the same
# on a busy one. One round: the full size takes several minutes and a few GB of disk.
# Needs GNU time (Debian package time) and gdal_translate, gdalbuildvrt, gdalwarp,
# gdalsrsinfo (Debian package gdal-bin).
# Usage: bench/mosaic_bench.sh BUILD_DIR [COUNT] [WIDTH] [HEIGHT]   (16 sheets of 8000 x 6000)
set -u
USAGE="usage: mosaic_bench.sh BUILD_DIR [COUNT] [WIDTH] [HEIGHT]"
BUILD="${1:?$USAGE}"
COUNT="${2:-16}"
WIDTH="${3:-8000}"
HEIGHT="${4:-6000}"
CLI="$BUILD/bin/mapvane-cli"
MAKE_IMAGE="$BUILD/bench/make_map_image"
TIME=/usr/bin/time
[ -x "$TIME" ] || { echo "needs GNU time (Debian package time)"; exit 1; }
for tool in gdal_translate gdalbuildvrt gdalwarp ogr2ogr; do
    command -v $tool >/dev/null || { echo "needs $tool (Debian package gdal-bin)"; exit 1; }
done
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT

# One run: prints "wall_seconds cpu_seconds peak_kib".
measure() {
    "$TIME" -f '%e %U %S %M' -o "$WORK/time.txt" "$@" >/dev/null 2>"$WORK/err.txt" ||
        { echo "FAILED: $*" >&2; tail -3 "$WORK/err.txt" >&2; return 1; }
    awk '{ printf "%s %.2f %s\n", $1, $2 + $3, $4 }' "$WORK/time.txt"
}

report() {
    awk -v t="$1" -v w="$2" -v c="$3" -v k="$4" -v o="$5" \
        'BEGIN { printf "%-8s wall %8.2f s  CPU %8.2f s  peak RSS %7.1f MiB  %s\n", t, w, c, k / 1024, o }'
}

PIXEL=5
COLLAR=$((WIDTH / 20))
FACE_W=$((WIDTH - 2 * COLLAR))
FACE_H=$((HEIGHT - 2 * COLLAR))
COLUMNS=$(awk -v n="$COUNT" 'BEGIN { c = int(sqrt(n)); if (c * c < n) c++; print c }')
QT_QPA_PLATFORM=offscreen "$MAKE_IMAGE" --by-rows "$WIDTH" "$HEIGHT" "$WORK/map.png" >/dev/null 2>&1 || exit 1
GROUP=()
FACES=""
for ((s = 0; s < COUNT; s++)); do
    read -r west north east south <<<"$(awk -v i=$((s % COLUMNS)) -v j=$((s / COLUMNS)) -v fw=$FACE_W -v fh=$FACE_H \
        -v c=$COLLAR -v w="$WIDTH" -v h="$HEIGHT" -v p=$PIXEL \
        'BEGIN { x = 500000 + i * fw * p - c * p; y = 5400000 - j * fh * p + c * p
                 printf "%d %d %d %d\n", x, y, x + w * p, y - h * p }')"
    gdal_translate -q -a_srs EPSG:32633 -a_ullr "$west" "$north" "$east" "$south" \
        -co TILED=YES -co COMPRESS=DEFLATE -co NUM_THREADS=ALL_CPUS "$WORK/map.png" "$WORK/sheet$s.tif" || exit 1
    GROUP+=("$WORK/sheet$s.tif" --border "$COLLAR,$COLLAR,$((WIDTH - COLLAR)),$COLLAR,$((WIDTH - COLLAR)),$((HEIGHT - COLLAR)),$COLLAR,$((HEIGHT - COLLAR))")
    fw=$((west + COLLAR * PIXEL)); fn=$((north - COLLAR * PIXEL))
    fe=$((east - COLLAR * PIXEL)); fs=$((south + COLLAR * PIXEL))
    FACES+="${FACES:+,}(($fw $fn,$fe $fn,$fe $fs,$fw $fs,$fw $fn))"
done
rm -f "$WORK/map.png"
printf 'id,WKT\n1,"MULTIPOLYGON(%s)"\n' "$FACES" >"$WORK/faces.csv"
ogr2ogr -a_srs EPSG:32633 "$WORK/faces.gpkg" "$WORK/faces.csv" || exit 1
echo "$COUNT sheets of $WIDTH x $HEIGHT pixels of $PIXEL m, UTM zone 33N, collars of $COLLAR pixels," \
    "$(du -cb "$WORK"/sheet*.tif | tail -1 | cut -f1) bytes; load average $(cut -d' ' -f1 /proc/loadavg)"

line=$(measure "$CLI" convert "$WORK/group.smf" \( "${GROUP[@]}" \)) || exit 1
read -r gwall gcpu grss <<<"$line"
read -r width height <<<"$("$CLI" info "$WORK/group.smf" |
    awk '$1 == "bottomRightX" { x = $2 } $1 == "bottomRightY" { y = $2 } END { print x, y }')"
report group "$gwall" "$gcpu" "$grss" "level $width x $height, $(stat -c %s "$WORK/group.smf") bytes"
rm -f "$WORK/group.smf"

swall=0; scpu=0; srss=0
for ((s = 0; s < COUNT; s++)); do
    line=$(measure "$CLI" convert "$WORK/one.smf" "$WORK/sheet$s.tif") || exit 1
    read -r wall cpu rss <<<"$line"
    swall=$(awk -v a="$swall" -v b="$wall" 'BEGIN { print a + b }')
    scpu=$(awk -v a="$scpu" -v b="$cpu" 'BEGIN { print a + b }')
    srss=$((rss > srss ? rss : srss))
    rm -f "$WORK/one.smf"
done
report "one by" "$swall" "$scpu" "$srss" "the sum of $COUNT conversions, the largest peak"

line=$(measure gdalbuildvrt -q "$WORK/sheets.vrt" "$WORK"/sheet*.tif) || exit 1
read -r wall1 cpu1 rss1 <<<"$line"
line=$(measure gdalwarp -q -multi -wo NUM_THREADS=ALL_CPUS -t_srs EPSG:4326 -r bilinear -ts "$width" "$height" \
    -cutline "$WORK/faces.gpkg" -co TILED=YES -co COMPRESS=DEFLATE -co NUM_THREADS=ALL_CPUS \
    "$WORK/sheets.vrt" "$WORK/out.tif") || exit 1
read -r wall2 cpu2 rss2 <<<"$line"
report gdal "$(awk -v a="$wall1" -v b="$wall2" 'BEGIN { print a + b }')" \
    "$(awk -v a="$cpu1" -v b="$cpu2" 'BEGIN { print a + b }')" $((rss1 > rss2 ? rss1 : rss2)) \
    "gdalbuildvrt + gdalwarp -cutline, $(stat -c %s "$WORK/out.tif") bytes"
awk -v gw="$gwall" -v gc="$gcpu" -v sw="$swall" -v sc="$scpu" -v gr="$grss" -v sr="$srss" \
    -v dw="$(awk -v a="$wall1" -v b="$wall2" 'BEGIN { print a + b }')" \
    'BEGIN { printf "group / one by one: wall %.2f x, CPU %.2f x, peak %.2f x (goal: at most 1.3 x, the memory of one)\n", gw / sw, gc / sc, gr / sr
             printf "group / gdal: wall %.2f x\n", gw / dw }'
