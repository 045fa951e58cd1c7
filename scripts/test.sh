#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
#   scripts/test.sh              normal build in build/
#   scripts/test.sh --sanitize   AddressSanitizer + UndefinedBehaviorSanitizer build in build-sanitize/
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

cmake_args=()
if [ "${1:-}" = "--sanitize" ]; then
    BUILD_DIR="$ROOT/build-sanitize"
    cmake_args+=(-DMAPVANE_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug -DMAPVANE_BUILD_BENCH=OFF)
fi

install_missing_packages "${MAPVANE_PACKAGES[@]}"
configure_and_build "${cmake_args[@]}"

export QT_QPA_PLATFORM=offscreen
cd "$BUILD_DIR"
ctest --output-on-failure --parallel "$(nproc)"
