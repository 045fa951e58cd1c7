#!/bin/bash
# Joins SIDE x SIDE adjacent sheets of WIDTH x HEIGHT pixels into one level and prints
# the wall time, CPU seconds and peak resident memory of each way, ROUNDS times:
#   one-by-one  mapvane-cli convert one.smf sheet.map for every sheet in turn (the sum
#               of the times, the largest peak): a level per sheet, collars and all;
#   group       mapvane-cli convert out.smf ( sheet.map ... ): one level, collars cut
#               by each .map file's border polygon;
#   gdal        gdalbuildvrt over the sheets cut to their map faces, then gdalwarp
#               -multi -cutline onto WGS 84 to a tiled deflate GeoTIFF of the level's
#               size (the sums of the two steps' times, the larger peak).
# The goal: the group within 1.3 x the one-by-one sum, at the memory of one sheet.
# Each sheet is the same make_map_image PNG (copied, so that every source is its own
# file) with an OziExplorer .map file on a Transverse Mercator grid (UTM zone 33N
# written out), 2.5 m pixels: a white-free collar of MARGIN pixels on every side lies
# over the neighbours' faces, and the border polygon (MMPXY/MMPLL) is the map face.
# Wall times are only worth comparing on an idle machine: each round prints the load
# average it started at; the CPU seconds say the same on a busy one.
# Needs GNU time (Debian package time) and gdal-bin.
# Usage: bench/mosaic_bench.sh BUILD_DIR [ROUNDS] [SIDE] [WIDTH] [HEIGHT]
#        (ROUNDS 1, SIDE 4, WIDTH 8000, HEIGHT 6000)
set -u
USAGE="usage: mosaic_bench.sh BUILD_DIR [ROUNDS] [SIDE] [WIDTH] [HEIGHT]"
BUILD="${1:?$USAGE}"
ROUNDS="${2:-1}"
SIDE="${3:-4}"
WIDTH="${4:-8000}"
HEIGHT="${5:-6000}"
MARGIN=200
PIXEL=2.5
EAST=500000
NORTH=5400000
CLI="$BUILD/bin/mapvane-cli"
MAKE_IMAGE="$BUILD/bench/make_map_image"
TIME=/usr/bin/time
[ -x "$TIME" ] || { echo "needs GNU time (Debian package time)"; exit 1; }
for tool in gdalbuildvrt gdal_translate gdaltransform gdalwarp gdalinfo; do
    command -v $tool >/dev/null || { echo "needs $tool (Debian package gdal-bin)"; exit 1; }
done
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT

# One run: prints "wall_seconds cpu_seconds peak_kib".
measure() {
    "$TIME" -f '%e %U %S %M' -o "$WORK/time.txt" "$@" >/dev/null 2>"$WORK/stderr.txt" || {
        echo "FAILED: $*" >&2
        cat "$WORK/stderr.txt" >&2
        return 1
    }
    awk '{ printf "%s %.2f %s\n", $1, $2 + $3, $4 }' "$WORK/time.txt"
}

report() {
    awk -v t="$1" -v w="$2" -v c="$3" -v k="$4" -v o="$5" \
        'BEGIN { printf "%-11s wall %8.2f s  CPU %8.2f s  peak RSS %7.1f MiB  %s\n", t, w, c, k / 1024, o }'
}

# Longitude and latitude (decimal degrees) of UTM 33N positions "E N" on stdin.
to_degrees() { gdaltransform -s_srs EPSG:32633 -t_srs EPSG:4326 -output_xy; }

QT_QPA_PLATFORM=offscreen "$MAKE_IMAGE" "$WIDTH" "$HEIGHT" "$WORK/map.png" >/dev/null 2>&1 || exit 1
FACE_W=$((WIDTH - 2 * MARGIN))
FACE_H=$((HEIGHT - 2 * MARGIN))
SHEETS=()
FACES=()
for ((row = 0; row < SIDE; row++)); do
    for ((col = 0; col < SIDE; col++)); do
        name="sheet-$row-$col"
        cp "$WORK/map.png" "$WORK/$name.png"
        # The image's top-left corner on the grid; the face starts MARGIN pixels in.
        read -r left top <<<"$(awk -v e=$EAST -v n=$NORTH -v c=$col -v r=$row -v w=$FACE_W -v h=$FACE_H \
            -v m=$MARGIN -v p=$PIXEL 'BEGIN { printf "%.1f %.1f\n", e + c * w * p - m * p, n - r * h * p + m * p }')"
        # Face corners in pixels, clockwise from the top left.
        xs=($MARGIN $((WIDTH - MARGIN)) $((WIDTH - MARGIN)) $MARGIN)
        ys=($MARGIN $MARGIN $((HEIGHT - MARGIN)) $((HEIGHT - MARGIN)))
        grid=()
        for k in 0 1 2 3; do
            grid+=("$(awk -v l="$left" -v t="$top" -v x=${xs[$k]} -v y=${ys[$k]} -v p=$PIXEL \
                'BEGIN { printf "%.1f %.1f", l + x * p, t - y * p }')")
        done
        mapfile -t degrees < <(printf '%s\n' "${grid[@]}" | to_degrees)
        {
            printf 'OziExplorer Map Data File Version 2.2\r\n%s\r\n%s.png\r\n1 ,Map Code,\r\n' "$name" "$name"
            printf 'WGS 84,WGS 84,   0.0000,   0.0000,WGS 84\r\nReserved 1\r\nReserved 2\r\n'
            printf 'Magnetic Variation,,,E\r\n'
            printf 'Map Projection,Transverse Mercator,PolyCal,No,AutoCalOnly,No,BSBUseWPX,No\r\n'
            for ((k = 1; k <= 30; k++)); do
                if ((k <= 4)); then
                    read -r e n <<<"${grid[$((k - 1))]}"
                    printf 'Point%02d,xy,%5d,%5d,in, deg,    ,        ,N,    ,        ,E, grid,     ,%10.1f,%11.1f,N\r\n' \
                        $k ${xs[$((k - 1))]} ${ys[$((k - 1))]} "$e" "$n"
                else
                    printf 'Point%02d,xy,     ,     ,ex, deg,    ,        ,N,    ,        ,E, grid,   ,           ,           ,N\r\n' $k
                fi
            done
            printf 'Projection Setup,     0.000000000,    15.000000000,     0.999600000,       500000.00,          0.00,,,,,\r\n'
            printf 'Map Feature = MF ; Map Comment = MC     These follow if they exist\r\n'
            printf 'Track File = TF      These follow if they exist\r\n'
            printf 'Moving Map Parameters = MM?    These follow if they exist\r\nMM0,Yes\r\nMMPNUM,4\r\n'
            for k in 0 1 2 3; do printf 'MMPXY,%d,%d,%d\r\n' $((k + 1)) ${xs[$k]} ${ys[$k]}; done
            for k in 0 1 2 3; do
                read -r lon lat <<<"${degrees[$k]}"
                printf 'MMPLL,%d,%12.6f,%12.6f\r\n' $((k + 1)) "$lon" "$lat"
            done
            printf 'MM1B,%.6f\r\nMOP,Map Open Position,0,0\r\nIWH,Map Image Width/Height,%d,%d\r\n' $PIXEL "$WIDTH" "$HEIGHT"
        } >"$WORK/$name.map"
        # The same face for GDAL: the image cut to it, on its grid.
        read -r fl ft <<<"${grid[0]}"
        read -r fr fb <<<"${grid[2]}"
        gdal_translate -q -of VRT -srcwin $MARGIN $MARGIN $FACE_W $FACE_H -a_srs EPSG:32633 \
            -a_ullr "$fl" "$ft" "$fr" "$fb" "$WORK/$name.png" "$WORK/$name.vrt" || exit 1
        SHEETS+=("$WORK/$name.map")
        FACES+=("$WORK/$name.vrt")
    done
done
rm -f "$WORK/map.png"
read -r ul_e ul_n <<<"$(awk -v e=$EAST -v n=$NORTH 'BEGIN { print e, n }')"
read -r lr_e lr_n <<<"$(awk -v e=$EAST -v n=$NORTH -v s=$SIDE -v w=$FACE_W -v h=$FACE_H -v p=$PIXEL \
    'BEGIN { printf "%.1f %.1f\n", e + s * w * p, n - s * h * p }')"
cat >"$WORK/faces.geojson" <<EOF
{"type": "FeatureCollection", "crs": {"type": "name", "properties": {"name": "EPSG:32633"}},
 "features": [{"type": "Feature", "properties": {}, "geometry": {"type": "Polygon", "coordinates":
 [[[$ul_e, $ul_n], [$lr_e, $ul_n], [$lr_e, $lr_n], [$ul_e, $lr_n], [$ul_e, $ul_n]]]}}]}
EOF
echo "${#SHEETS[@]} sheets of ${WIDTH} x ${HEIGHT} pixels of $PIXEL m (faces ${FACE_W} x ${FACE_H}), UTM zone 33N"

for ((round = 1; round <= ROUNDS; round++)); do
    echo "round $round, load average $(cut -d' ' -f1 /proc/loadavg)"
    wall=0 cpu=0 rss=0
    for sheet in "${SHEETS[@]}"; do
        line=$(measure "$CLI" convert "$WORK/one.smf" "$sheet") || exit 1
        read -r w c k <<<"$line"
        wall=$(awk -v a="$wall" -v b="$w" 'BEGIN { print a + b }')
        cpu=$(awk -v a="$cpu" -v b="$c" 'BEGIN { print a + b }')
        rss=$((k > rss ? k : rss))
        rm -f "$WORK/one.smf"
    done
    report one-by-one "$wall" "$cpu" "$rss" "sum of ${#SHEETS[@]} conversions"
    one_wall=$wall one_cpu=$cpu one_rss=$rss

    line=$(measure "$CLI" convert "$WORK/out.smf" "(" "${SHEETS[@]}" ")") || exit 1
    read -r wall cpu rss <<<"$line"
    read -r width height <<<"$("$CLI" info "$WORK/out.smf" |
        awk '$1 == "bottomRightX" { x = $2 } $1 == "bottomRightY" { y = $2 } END { print x, y }')"
    report group "$wall" "$cpu" "$rss" "level $width x $height, $(stat -c %s "$WORK/out.smf") bytes"
    group_wall=$wall group_cpu=$cpu group_rss=$rss
    rm -f "$WORK/out.smf"

    line=$(measure gdalbuildvrt -q "$WORK/mosaic.vrt" "${FACES[@]}") || exit 1
    read -r wall1 cpu1 rss1 <<<"$line"
    line=$(measure gdalwarp -q -multi -wo NUM_THREADS=ALL_CPUS -t_srs EPSG:4326 -r bilinear \
        -cutline "$WORK/faces.geojson" -ts "$width" "$height" \
        -co TILED=YES -co BLOCKXSIZE=304 -co BLOCKYSIZE=512 -co COMPRESS=DEFLATE -co NUM_THREADS=ALL_CPUS \
        "$WORK/mosaic.vrt" "$WORK/out.tif") || exit 1
    read -r wall2 cpu2 rss2 <<<"$line"
    report gdal "$(awk -v a="$wall1" -v b="$wall2" 'BEGIN { print a + b }')" \
        "$(awk -v a="$cpu1" -v b="$cpu2" 'BEGIN { print a + b }')" $((rss1 > rss2 ? rss1 : rss2)) \
        "GeoTIFF, $(stat -c %s "$WORK/out.tif") bytes"
    gdal_wall=$(awk -v a="$wall1" -v b="$wall2" 'BEGIN { print a + b }')
    rm -f "$WORK/out.tif" "$WORK/mosaic.vrt"

    awk -v gw="$group_wall" -v ow="$one_wall" -v gc="$group_cpu" -v oc="$one_cpu" -v gr="$group_rss" \
        -v or="$one_rss" -v dw="$gdal_wall" \
        'BEGIN { printf "group / one-by-one: wall %.2f x, CPU %.2f x, peak %.2f x (goal: wall at most 1.3 x, peak about 1 x); group / gdal: wall %.2f x\n",
                 gw / ow, gc / oc, gr / or, gw / dw }'
done
