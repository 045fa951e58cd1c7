#!/bin/bash
# Checks that the program's warp gives GDAL's output: warps the map-like UTM 33N sheet of
# warp_bench.sh (SIZE x SIZE, default 8000; or SHEET.tif, any georeferenced raster) with
# mapvane-cli convert and with gdalwarp onto the same grid, for each resampling, and
# prints how many pixels agree in the level's 5 bits per colour (warp_agreement).
# gdalwarp runs with the error threshold ET (source pixels, default 0.03125, the
# program's own: transforming every pixel exactly is -et 0) and the level's extent and
# size; it makes 4 bands with -dstalpha, so the pixels outside the raster's footprint
# are compared too.
# The goal: at least 99.9 % of the pixels both show within one 5-bit step for nearest
# and bilinear, within two for cubic and lanczos.
# Needs gdalwarp and gdal_translate (Debian package gdal-bin).
# Usage: bench/warp_agreement.sh BUILD_DIR [SIZE | SHEET.tif] [ET]
set -u
USAGE="usage: warp_agreement.sh BUILD_DIR [SIZE | SHEET.tif] [ET]"
BUILD="${1:?$USAGE}"
SIZE="${2:-8000}"
ET="${3:-0.03125}"
CLI="$BUILD/bin/mapvane-cli"
MAKE_IMAGE="$BUILD/bench/make_map_image"
AGREEMENT="$BUILD/bench/warp_agreement"
for tool in gdal_translate gdalwarp; do
    command -v $tool >/dev/null || { echo "needs $tool (Debian package gdal-bin)"; exit 1; }
done
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT

if [ -f "$SIZE" ]; then
    SHEET="$SIZE"
else
    # The sheet of warp_bench.sh: 2.5 m pixels from 600000 E 5400000 N.
    QT_QPA_PLATFORM=offscreen "$MAKE_IMAGE" --by-rows "$SIZE" "$SIZE" "$WORK/map.png" || exit 1
    gdal_translate -q -a_srs EPSG:32633 -a_ullr 600000 5400000 \
        "$(awk -v n="$SIZE" 'BEGIN { print 600000 + n * 2.5 }')" "$(awk -v n="$SIZE" 'BEGIN { print 5400000 - n * 2.5 }')" \
        -co TILED=YES -co COMPRESS=DEFLATE "$WORK/map.png" "$WORK/sheet.tif" || exit 1
    rm -f "$WORK/map.png"
    SHEET="$WORK/sheet.tif"
fi

# A fill colour no pixel of the map has, to tell where the level shows nothing.
FILL=255,0,255
for resampling in nearest bilinear cubic lanczos; do
    "$CLI" convert "$WORK/out.smf" "$SHEET" --resampling $resampling --fill $FILL -q || exit 1
    # The level's grid: its corners in milliarcseconds and its size.
    read -r west south east north width height <<<"$("$CLI" info "$WORK/out.smf" | awk '
        $1 == "topLeftLon" { w = $2 } $1 == "topLeftLat" { n = $2 } $1 == "bottomRightLon" { e = $2 }
        $1 == "bottomRightLat" { s = $2 } $1 == "bottomRightX" { x = $2 } $1 == "bottomRightY" { y = $2 }
        END { printf "%.12f %.12f %.12f %.12f %d %d", w / 3600000, s / 3600000, e / 3600000, n / 3600000, x, y }')"
    gdalwarp -q -overwrite -multi -wo NUM_THREADS=ALL_CPUS -et "$ET" -t_srs "+proj=longlat +datum=WGS84 +no_defs" \
        -te "$west" "$south" "$east" "$north" -ts "$width" "$height" -r $resampling -dstalpha \
        "$SHEET" "$WORK/gdal.tif" || exit 1
    printf '%-9s ' $resampling
    "$AGREEMENT" "$WORK/out.smf" "$WORK/gdal.tif" $FILL || exit 1
    rm -f "$WORK/out.smf" "$WORK/gdal.tif"
done
