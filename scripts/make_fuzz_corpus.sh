#!/usr/bin/env bash
# Makes the seed corpus of every fuzz target from files the program itself writes:
#   scripts/make_fuzz_corpus.sh BUILD_DIR OUT_DIR
# BUILD_DIR is a configured fuzz build (see scripts/fuzz.sh); OUT_DIR receives one
# folder per target. Regression inputs kept in fuzz/regressions/<target>/ are added too.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$1"
OUT="$2"

cmake --build "$BUILD" --target make_fuzz_seeds mapvane-cli --parallel "$(nproc)" >/dev/null
BIN="$BUILD/bin"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
# The seeds come from trusted inputs; leaks of the tools are not what is looked for here.
export ASAN_OPTIONS=detect_leaks=0

"$BIN/make_fuzz_seeds" "$work"
rm -rf "$OUT"
mkdir -p "$OUT/fuzz_smf_read" "$OUT/fuzz_ozi_map" "$OUT/fuzz_wfl_sidecar" "$OUT/fuzz_grid_parse" "$OUT/fuzz_image_rows" \
    "$OUT/fuzz_qgis_points"

cli() { "$BIN/mapvane-cli" "$@" >/dev/null; }
cli convert "$OUT/fuzz_smf_read/one-level.smf" "$work/map.png@120.5,24.25,121,23.75" --tile 16x16
cli convert "$OUT/fuzz_smf_read/two-levels.smf" "$work/map.png@120.5,24.25,121,23.75" \
    "$work/map-wide.png@0,0,120.5,24.25,130,70,121,23.75" --tile 32x24 --name Seeds
cli convert "$OUT/fuzz_smf_read/odd-tile.smf" "$work/map-wide.png@10,50,11,49" --tile 17x21
cli convert "$OUT/fuzz_smf_read/from-ozi.smf" "$work/ozi/unix.map" --tile 20x20 2>/dev/null \
    || cp "$OUT/fuzz_smf_read/one-level.smf" "$OUT/fuzz_smf_read/from-ozi.smf"
cli wfl "$work/wfl" -o "$OUT/fuzz_smf_read/wfl.smf"

cp "$work"/ozi/*.map "$OUT/fuzz_ozi_map/"
cp "$work"/sidecar/* "$OUT/fuzz_wfl_sidecar/"
cp "$work"/grid/* "$OUT/fuzz_grid_parse/"
cp "$work"/images/* "$OUT/fuzz_image_rows/"
# Points files in the layouts of QGIS 2 and of QGIS 3.26 (a grid by its code, CRLF).
printf 'mapX,mapY,pixelX,pixelY,enable\n10.5,46.75,0,0,1\n11.25,46.5,812.5,-640.25,0\n' \
    > "$OUT/fuzz_qgis_points/qgis2.points"
printf '#CRS: EPSG:32633\r\nmapX,mapY,sourceX,sourceY,enable,dX,dY,residual\r\n600000,5400000,0,0,1,0,0,0\r\n' \
    > "$OUT/fuzz_qgis_points/qgis326.points"

for target in fuzz_smf_read fuzz_ozi_map fuzz_wfl_sidecar fuzz_grid_parse fuzz_image_rows fuzz_qgis_points; do
    if [ -d "$ROOT/fuzz/regressions/$target" ]; then
        cp "$ROOT/fuzz/regressions/$target"/* "$OUT/$target/" 2>/dev/null || true
    fi
done
