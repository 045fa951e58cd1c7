#!/usr/bin/env bash
# Installs what is missing, builds, and starts Mapvane. Arguments go to the program.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing_packages "${MAPVANE_PACKAGES[@]}"
configure_and_build -DMAPVANE_BUILD_TESTS=OFF -DMAPVANE_BUILD_BENCH=OFF

# Run from its build folder, the program keeps Language.ini and config.ini in the
# current folder, so it starts in the folder that holds the translation files. Files
# named on the command line are made absolute first.
args=()
for arg in "$@"; do
    [ -e "$arg" ] && arg="$(realpath -- "$arg")"
    args+=("$arg")
done
cd "$BUILD_DIR/bin"
exec ./mapvane "${args[@]}"
