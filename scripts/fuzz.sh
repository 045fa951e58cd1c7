#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer + UndefinedBehaviorSanitizer)
# in build-fuzz/ and runs each for SECONDS (default 60) on a fresh seed corpus:
#   scripts/fuzz.sh [SECONDS]
# Prints, per target, the executions and whether it found a crash; a crashing input
# is left in build-fuzz/findings/<target>/. Exits 1 when any target found one.
# Memory is capped, so an input that makes a reader allocate without bound is a finding.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

SECONDS_EACH="${1:-60}"
FUZZ_BUILD="${FUZZ_BUILD_DIR:-$ROOT/build-fuzz}"
TARGETS=(fuzz_smf_read fuzz_ozi_map fuzz_wfl_sidecar fuzz_grid_parse fuzz_image_rows fuzz_qgis_points)

install_missing_packages "${MAPVANE_PACKAGES[@]}" "${MAPVANE_FUZZ_PACKAGES[@]}"
cmake -S "$ROOT/fuzz" -B "$FUZZ_BUILD" -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$FUZZ_BUILD" --target "${TARGETS[@]}" --parallel "$(nproc)"
"$ROOT/scripts/make_fuzz_corpus.sh" "$FUZZ_BUILD" "$FUZZ_BUILD/corpus"

export QT_QPA_PLATFORM=offscreen
# Qt's font and platform set-up allocates once for the whole process and keeps it.
export LSAN_OPTIONS="suppressions=$ROOT/fuzz/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

failed=0
summary=()
for target in "${TARGETS[@]}"; do
    findings="$FUZZ_BUILD/findings/$target"
    rm -rf "$findings"
    mkdir -p "$findings"
    log="$FUZZ_BUILD/$target.log"
    status=0
    "$FUZZ_BUILD/bin/$target" "$FUZZ_BUILD/corpus/$target" \
        -max_total_time="$SECONDS_EACH" -rss_limit_mb=2048 -malloc_limit_mb=1024 -timeout=20 \
        -max_len=65536 -artifact_prefix="$findings/" -print_final_stats=1 >"$log" 2>&1 || status=$?
    runs="$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)"
    if [ "$status" -eq 0 ]; then
        result="no crash"
    else
        result="CRASH ($(ls "$findings" | head -1)); see $log"
        failed=1
    fi
    summary+=("$(printf '%-18s %10s executions  %s' "$target" "${runs:-?}" "$result")")
done
printf '%s\n' "${summary[@]}"
exit "$failed"
